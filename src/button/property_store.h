// A stored property set: keyed, typed values, keys matched without regard to ASCII letter case. Reads
// convert narrower stored forms (16-bit integers, fixed-point numbers) to the type asked for.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/control_surface.h"

namespace quorvel {

// A number held as an integer count of ten-thousandths (10.5 is 105000).
struct FixedPoint {
  std::int64_t scaled = 0;
  friend bool operator==(const FixedPoint&, const FixedPoint&) = default;
};

// A colour is kept as its own unsigned type so that system colours (high bit set) survive unchanged.
using PropertyValue = std::variant<bool, std::int16_t, std::int32_t, Color, float, FixedPoint, std::string,
                                   CaptionFont, Picture>;

// A stored value that cannot become the type asked for.
class PropertyTypeError : public std::runtime_error {
 public:
  explicit PropertyTypeError(std::string_view key);
};

class PropertyStore {
 public:
  using Entry = std::pair<std::string, PropertyValue>;

  // A key already present, in any letter case, keeps its place and spelling and takes the new value.
  void write(std::string_view key, PropertyValue value);
  void erase(std::string_view key);
  const PropertyValue* find(std::string_view key) const;
  const std::vector<Entry>& entries() const { return entries_; }

  // Typed reads. A missing key gives `missing`; a value of another kind converts as a number would
  // (rounding half to even into integers) or throws PropertyTypeError.
  std::int32_t readInt32(std::string_view key, std::int32_t missing = 0) const;
  float readFloat(std::string_view key, float missing = 0) const;
  bool readBool(std::string_view key, bool missing = false) const;
  Color readColor(std::string_view key, Color missing = 0) const;
  std::string readText(std::string_view key) const;
  std::optional<CaptionFont> readFont(std::string_view key) const;
  Picture readPicture(std::string_view key) const;

 private:
  std::vector<Entry> entries_;
};

}  // namespace quorvel
