#include "settings/conversions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
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

// A whole number is written out in full; any other value as the fewest significant digits that read
// back as the same float. (snprintf rather than to_chars: the latter's float tables would make up a
// third of the Windows program.)
std::string formatFloat32(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[64];
  const double wide = value;
  if (wide == std::trunc(wide)) {
    std::snprintf(buffer, sizeof buffer, "%.0f", wide);
    return buffer;
  }
  for (int digits = 1; digits <= std::numeric_limits<float>::max_digits10; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, wide);
    if (std::strtof(buffer, nullptr) == value) break;
  }
  return buffer;
}

}  // namespace quorvel
