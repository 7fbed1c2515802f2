#include "settings/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quorvel {
namespace {

template <typename Int>
Int toInteger(double value, const ValueOrigin& origin) {
  const double rounded = roundHalfEven(value);
  // NaN fails both comparisons and is refused too.
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    throw OverflowError(origin);
  }
  return static_cast<Int>(rounded);
}

}  // namespace

OverflowError::OverflowError(ValueOrigin origin)
    : std::runtime_error("overflow in " + origin.field + " of slot " + std::to_string(origin.slot) + ": " +
                         origin.text),
      origin_(std::move(origin)) {}

double roundHalfEven(double value) {
  // Worked out by hand so that no floating-point rounding mode can change the result.
  const double down = std::floor(value);
  const double diff = value - down;
  if (diff < 0.5) return down;
  if (diff > 0.5) return down + 1;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

std::int16_t toInt16(double value, const ValueOrigin& origin) { return toInteger<std::int16_t>(value, origin); }
std::uint8_t toUInt8(double value, const ValueOrigin& origin) { return toInteger<std::uint8_t>(value, origin); }
std::int32_t toInt32(double value, const ValueOrigin& origin) { return toInteger<std::int32_t>(value, origin); }

float toFloat32(double value) {
  // A double beyond the float range would make the cast undefined; round it as IEEE does instead.
  constexpr double kMax = std::numeric_limits<float>::max();
  constexpr double kHalfUlpAtMax = 0x1p103;
  if (std::isfinite(value) && std::fabs(value) > kMax) {
    const double magnitude = std::fabs(value) < kMax + kHalfUlpAtMax ? kMax : HUGE_VAL;
    return static_cast<float>(std::copysign(magnitude, value));
  }
  return static_cast<float>(value);
}

std::string formatFloat32(float value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace quorvel
