// The exact decimal conversions against the C++ and C libraries of this system: a digit string and an
// exponent must read as std::from_chars reads them (double and float), so must a point halfway between
// two doubles and the points just above and below it, and formatFloat32 must write what printf's
// shortest round trip writes.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "settings/conversions.h"
#include "settings/exact_decimal.h"

namespace {

template <typename Float>
void expectSameAsFromChars(const std::string& digits, long long exponent, Float ours) {
  const std::string text = (digits.empty() ? "0" : digits) + "e" + std::to_string(exponent);
  Float theirs = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), theirs);
  if (error == std::errc::result_out_of_range) {
    if (ours != 0 && !std::isinf(ours)) std::abort();
  } else if (error != std::errc() || ours != theirs) {
    std::abort();
  }
}

void checkDigits(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return;
  const long long exponent = static_cast<std::int16_t>(data[0] | data[1] << 8) % 700;
  std::string digits;
  for (std::size_t i = 2; i < size; ++i) digits += static_cast<char>('0' + data[i] % 10);
  expectSameAsFromChars(digits, exponent, quorvel::DecimalToDouble(digits, exponent));
  expectSameAsFromChars(digits, exponent, quorvel::DecimalToFloat(digits, exponent));
}

// The exact decimal of the point halfway from a double to the next; glibc prints long doubles exactly.
void checkHalfway(const std::uint8_t* data, std::size_t size) {
  double value = 0;
  if (size < sizeof value) return;
  std::memcpy(&value, data, sizeof value);
  value = std::fabs(value);
  if (!std::isfinite(value) || value == std::numeric_limits<double>::max()) return;
  const long double half = (static_cast<long double>(value) + std::nextafter(value, HUGE_VAL)) / 2;
  char text[1200];
  std::snprintf(text, sizeof text, "%.1100Le", half);
  const char* e = std::strchr(text, 'e');
  std::string digits = text[0] + std::string(text + 2, static_cast<std::size_t>(e - text - 2));
  const long long exponent = std::atoll(e + 1) - static_cast<long long>(digits.size() - 1);
  expectSameAsFromChars(digits, exponent, quorvel::DecimalToDouble(digits, exponent));
  expectSameAsFromChars(digits + "1", exponent - 1, quorvel::DecimalToDouble(digits + "1", exponent - 1));
  --digits[digits.find_last_not_of('0')];
  expectSameAsFromChars(digits, exponent, quorvel::DecimalToDouble(digits, exponent));
  const quorvel::Decimal exact = quorvel::ExactDecimal(value);
  if (quorvel::DecimalToDouble(exact.digits, exact.exponent) != value) std::abort();
}

// What formatFloat32 wrote with printf and strtof.
std::string printfShortest(float value) {
  char text[64];
  const double wide = value;
  if (wide == std::trunc(wide)) {
    std::snprintf(text, sizeof text, "%.0f", wide);
    return text;
  }
  for (int digits = 1; digits <= std::numeric_limits<float>::max_digits10; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, wide);
    if (std::strtof(text, nullptr) == value) break;
  }
  return text;
}

void checkFormat(const std::uint8_t* data, std::size_t size) {
  float value = 0;
  if (size < sizeof value) return;
  std::memcpy(&value, data, sizeof value);
  if (std::isfinite(value) && quorvel::formatFloat32(value) != printfShortest(value)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  switch (data[0] % 3) {
    case 0:
      checkDigits(data + 1, size - 1);
      break;
    case 1:
      checkHalfway(data + 1, size - 1);
      break;
    default:
      checkFormat(data + 1, size - 1);
  }
  return 0;
}
