#include "settings/conversions.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "settings/exact_decimal.h"

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

// The number rounded to `precision` significant digits, ties to even, without trailing zeros.
Decimal roundToDigits(Decimal number, int precision) {
  const auto kept = static_cast<std::size_t>(precision);
  if (number.digits.size() <= kept) return number;
  const std::string_view rest = std::string_view(number.digits).substr(kept + 1);
  const char next = number.digits[kept];
  number.exponent += static_cast<long long>(number.digits.size() - kept);
  number.digits.resize(kept);
  const bool odd = (number.digits.back() - '0') % 2 != 0;
  if (next > '5' || (next == '5' && (rest.find_first_not_of('0') != std::string_view::npos || odd))) {
    std::size_t i = kept;
    while (i > 0 && number.digits[i - 1] == '9') number.digits[--i] = '0';
    if (i == 0) {
      number.digits.insert(number.digits.begin(), '1');
      number.digits.pop_back();
      ++number.exponent;
    } else {
      ++number.digits[i - 1];
    }
  }
  const auto last = number.digits.find_last_not_of('0');
  number.exponent += static_cast<long long>(number.digits.size() - last - 1);
  number.digits.resize(last + 1);
  return number;
}

// printf's %g: fixed notation for decimal exponents from -4 to below the precision, else d.ddde±XX.
std::string generalLayout(const Decimal& number, int precision) {
  const std::string& d = number.digits;
  const long long exponent = static_cast<long long>(d.size()) - 1 + number.exponent;
  if (exponent < -4 || exponent >= precision) {
    const std::string mantissa = d.substr(0, 1) + (d.size() > 1 ? "." + d.substr(1) : "");
    const std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    return mantissa + (exponent < 0 ? "e-" : "e+") + (digits.size() < 2 ? "0" : "") + digits;
  }
  if (exponent < 0) return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + d;
  const auto whole = static_cast<std::size_t>(exponent + 1);
  if (d.size() <= whole) return d + std::string(whole - d.size(), '0');
  return d.substr(0, whole) + "." + d.substr(whole);
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

std::int16_t toInt16(double value, const ValueOrigin& origin) {
  return toInteger<std::int16_t>(value, origin);
}
std::uint8_t toUInt8(double value, const ValueOrigin& origin) {
  return toInteger<std::uint8_t>(value, origin);
}
std::int32_t toInt32(double value, const ValueOrigin& origin) {
  return toInteger<std::int32_t>(value, origin);
}

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
// back as the same float, laid out as printf's %g lays them out. Worked out from the exact value rather
// than with printf and strtof, whose floating-point code would make up a tenth of the Windows program.
std::string formatFloat32(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  const std::string sign = std::signbit(value) ? "-" : "";
  const float magnitude = std::fabs(value);
  const Decimal exact = ExactDecimal(magnitude);
  if (magnitude == std::trunc(magnitude)) {
    if (exact.digits.empty()) return sign + "0";
    return sign + exact.digits + std::string(static_cast<std::size_t>(exact.exponent), '0');
  }
  for (int precision = 1;; ++precision) {
    const Decimal shortest = roundToDigits(exact, precision);
    if (precision == std::numeric_limits<float>::max_digits10 ||
        DecimalToFloat(shortest.digits, shortest.exponent) == magnitude) {
      return sign + generalLayout(shortest, precision);
    }
  }
}

}  // namespace quorvel
