// Exact conversions between decimal numbers and binary floating point: the double or float nearest to
// a decimal number (ties to even), and the exact decimal value of a double. The same answers on every
// system, and no C library parser, formatter or locale in the executable.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The value digits × 10^exponent; `digits` holds only '0'..'9' (it may be empty: 0). Too large gives
// an infinity, too small 0.
double DecimalToDouble(std::string_view digits, long long exponent);
float DecimalToFloat(std::string_view digits, long long exponent);

// digits × 10^exponent, digits without leading or trailing zeros ("" for 0).
struct Decimal {
  std::string digits;
  long long exponent = 0;
};

// The exact value of a finite, non-negative double.
Decimal ExactDecimal(double value);

}  // namespace quorvel
