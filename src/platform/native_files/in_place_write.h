// Writing a file over itself, for a folder that takes no temporary file: the steps in an order that leaves,
// at every moment, a file that reads as the old INI text or as the new one.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// One file opened for writing, as the system gives it. Each call says whether it worked; the system's
// own error stays where the caller can read it (errno, GetLastError).
class InPlaceFile {
 public:
  virtual std::optional<std::uint64_t> size() = 0;
  // Claims the space for `size` bytes without changing what the file reads as.
  virtual bool reserve(std::uint64_t size) = 0;
  virtual bool writeFromStart(std::string_view bytes) = 0;
  virtual bool truncate(std::uint64_t size) = 0;
  // Sends what was written to the disk.
  virtual bool flush() = 0;

 protected:
  ~InPlaceFile() = default;
};

// Puts `contents` in the file's place. A longer text has its space claimed first, so that a full disk stops
// the write before the first byte changes. A shorter one is written padded with line feeds to the old
// length and cut only once that is on the disk: an INI reader takes the blank lines for nothing, so the
// file reads as the new text before the cut as after it, and never as the new text with the old one's tail.
bool writeInPlace(InPlaceFile& file, std::string_view contents);

}  // namespace quorvel
