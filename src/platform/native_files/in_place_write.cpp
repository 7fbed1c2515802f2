#include "platform/native_files/in_place_write.h"

#include <string>

namespace quorvel {

bool writeInPlace(InPlaceFile& file, std::string_view contents) {
  const auto oldSize = file.size();
  if (!oldSize) return false;
  if (contents.size() >= *oldSize) {
    return (contents.size() == *oldSize || file.reserve(contents.size())) && file.writeFromStart(contents) &&
           file.flush();
  }
  std::string padded(contents);
  padded.append(static_cast<std::size_t>(*oldSize - contents.size()), '\n');
  // NOTE: flushed before the cut as well, since a disk may store the new size before the new bytes.
  return file.writeFromStart(padded) && file.flush() && file.truncate(contents.size()) && file.flush();
}

}  // namespace quorvel
