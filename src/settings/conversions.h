// Conversions of a number read from text into the narrower fields that hold it. Integers round to the
// nearest value, ties to even; a result outside the field is an error that says what overflowed.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvel {

// What was being converted when a value did not fit, for the message the user sees.
struct ValueOrigin {
  std::string field;  // the key, e.g. "t"
  int slot = 0;       // 1..20, or 0 when the value belongs to no slot
  std::string text;   // the value as the user or the file gave it
};

class OverflowError : public std::runtime_error {
 public:
  explicit OverflowError(ValueOrigin origin);
  const ValueOrigin& origin() const { return origin_; }

 private:
  ValueOrigin origin_;
};

double roundHalfEven(double value);

std::int16_t toInt16(double value, const ValueOrigin& origin);
std::uint8_t toUInt8(double value, const ValueOrigin& origin);
std::int32_t toInt32(double value, const ValueOrigin& origin);
// Nearest representable 32-bit float; not range-checked.
float toFloat32(double value);

// Shortest decimal text that reads back as the same 32-bit float, without a decimal point for a whole
// number (3000, -120, 0).
std::string formatFloat32(float value);

}  // namespace quorvel
