#include "settings/exact_decimal.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

// A halfway point between two doubles has at most 767 significant digits; past these, one more nonzero
// digit stands for everything dropped, which keeps the value on the same side of every halfway point.
constexpr std::size_t kKeptDigits = 800;
// Beyond these decimal magnitudes the answer is an infinity or 0 whatever the digits are.
constexpr long long kLargestMagnitude = 310;    // 10^309 > the largest double
constexpr long long kSmallestMagnitude = -324;  // 10^-325 < half the smallest double

// What a binary format keeps: its significant bits and the weight of its smallest subnormal's one bit.
struct BinaryFormat {
  int mantissaBits;
  int lowestExponent;
};
constexpr BinaryFormat kDouble{53, -1074};
constexpr BinaryFormat kFloat{24, -149};

// A non-negative integer of any size, 32 bits a limb, least significant first, no leading zero limb.
class BigInteger {
 public:
  explicit BigInteger(std::uint64_t value) {
    for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
  }

  void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
      carry += std::uint64_t{limb} * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
  }

  void multiplyByPowerOfTen(long long power) {
    for (; power >= 9; power -= 9) multiplyAdd(1'000'000'000, 0);
    for (; power > 0; --power) multiplyAdd(10, 0);
  }

  void shiftLeft(long long bits) {
    if (limbs_.empty() || bits == 0) return;
    const std::size_t whole = static_cast<std::size_t>(bits / 32);
    const int part = static_cast<int>(bits % 32);
    limbs_.insert(limbs_.begin(), whole, 0);
    if (part == 0) return;
    std::uint32_t carry = 0;
    for (std::size_t i = whole; i < limbs_.size(); ++i) {
      const std::uint32_t limb = limbs_[i];
      limbs_[i] = (limb << part) | carry;
      carry = limb >> (32 - part);
    }
    if (carry != 0) limbs_.push_back(carry);
  }

  // Drops the lowest bit.
  void halve() {
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      const std::uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] : 0;
      limbs_[i] = (limbs_[i] >> 1) | (high << 31);
    }
    trim();
  }

  // *this -= other, where other <= *this.
  void subtract(const BigInteger& other) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t difference =
          std::int64_t{limbs_[i]} - borrow - (i < other.limbs_.size() ? other.limbs_[i] : 0);
      borrow = difference < 0;
      limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    trim();
  }

  // *this /= divisor; returns the remainder.
  std::uint32_t divide(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
      const std::uint64_t current = (remainder << 32) | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
  }

  long long bitLength() const {
    if (limbs_.empty()) return 0;
    return 32 * static_cast<long long>(limbs_.size() - 1) + std::bit_width(limbs_.back());
  }

  bool isZero() const { return limbs_.empty(); }

  friend bool operator<(const BigInteger& a, const BigInteger& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size();
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i];
    }
    return false;
  }

 private:
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }
  std::vector<std::uint32_t> limbs_;
};

BigInteger fromDigits(std::string_view digits) {
  BigInteger value(0u);
  for (std::size_t i = 0; i < digits.size(); i += 9) {
    std::uint32_t chunk = 0;
    std::uint32_t scale = 1;
    for (std::size_t j = i; j < digits.size() && j < i + 9; ++j) {
      chunk = chunk * 10 + static_cast<std::uint32_t>(digits[j] - '0');
      scale *= 10;
    }
    value.multiplyAdd(scale, chunk);
  }
  return value;
}

// The quotient of numerator / denominator, below 2^(bits+1), and whether a remainder was left; the
// numerator is used up.
std::uint64_t divide(BigInteger& numerator, const BigInteger& denominator, int bits, bool& remainder) {
  BigInteger step = denominator;
  step.shiftLeft(bits);
  std::uint64_t quotient = 0;
  for (int bit = bits; bit >= 0; --bit) {
    if (!(numerator < step)) {
      numerator.subtract(step);
      quotient |= std::uint64_t{1} << bit;
    }
    step.halve();
  }
  remainder = !numerator.isZero();
  return quotient;
}

// numerator / denominator rounded to the nearest value of the format, ties to even, as a double; both
// are nonzero. Beyond the format's range the result is larger than its largest value.
double nearest(BigInteger numerator, BigInteger denominator, BinaryFormat format) {
  // Scaled by 2^-scale, the ratio lies in [2^55, 2^57): three bits or more beyond the mantissa.
  const long long scale = numerator.bitLength() - denominator.bitLength() - 56;
  if (scale >= 0) {
    denominator.shiftLeft(scale);
  } else {
    numerator.shiftLeft(-scale);
  }
  bool sticky = false;
  std::uint64_t quotient = divide(numerator, denominator, 56, sticky);
  // Bits dropped to keep the mantissa, or more where the result is subnormal.
  const long long dropped =
      std::max<long long>(std::bit_width(quotient) - format.mantissaBits, format.lowestExponent - scale);
  if (dropped > 60) return 0;  // below half the smallest subnormal
  const std::uint64_t rest = quotient & ((std::uint64_t{1} << dropped) - 1);
  const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
  quotient >>= dropped;
  if (rest > half || (rest == half && (sticky || (quotient & 1) != 0))) ++quotient;
  // Exact, or an infinity past the largest double.
  return std::ldexp(static_cast<double>(quotient), static_cast<int>(scale + dropped));
}

double nearestTo(std::string_view digits, long long exponent, BinaryFormat format) {
  const auto first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return 0;
  digits.remove_prefix(first);
  const auto last = digits.find_last_not_of('0');
  exponent += static_cast<long long>(digits.size() - last - 1);
  digits.remove_suffix(digits.size() - last - 1);

  const long long magnitude = static_cast<long long>(digits.size()) + exponent;  // value < 10^magnitude
  if (magnitude > kLargestMagnitude) return std::numeric_limits<double>::infinity();
  if (magnitude < kSmallestMagnitude) return 0;

  std::string kept(digits.substr(0, kKeptDigits));
  exponent += static_cast<long long>(digits.size() - kept.size());
  if (kept.size() < digits.size()) {
    kept += '1';  // what was dropped ends in a digit that is not 0
    --exponent;
  }
  BigInteger numerator = fromDigits(kept);
  BigInteger denominator(1u);
  if (exponent >= 0) {
    numerator.multiplyByPowerOfTen(exponent);
  } else {
    denominator.multiplyByPowerOfTen(-exponent);
  }
  return nearest(std::move(numerator), std::move(denominator), format);
}

}  // namespace

double DecimalToDouble(std::string_view digits, long long exponent) {
  return nearestTo(digits, exponent, kDouble);
}

float DecimalToFloat(std::string_view digits, long long exponent) {
  const double value = nearestTo(digits, exponent, kFloat);
  return value > std::numeric_limits<float>::max() ? std::numeric_limits<float>::infinity()
                                                   : static_cast<float>(value);
}

Decimal ExactDecimal(double value) {
  int binaryExponent = 0;
  const double fraction = std::frexp(value, &binaryExponent);  // value = fraction × 2^binaryExponent
  binaryExponent -= std::numeric_limits<double>::digits;
  BigInteger whole(static_cast<std::uint64_t>(std::ldexp(fraction, std::numeric_limits<double>::digits)));
  Decimal result;
  if (binaryExponent >= 0) {
    whole.shiftLeft(binaryExponent);
  } else {
    // m × 2^-k = m × 5^k × 10^-k
    for (int k = 0; k < -binaryExponent; ++k) whole.multiplyAdd(5, 0);
    result.exponent = binaryExponent;
  }
  while (!whole.isZero()) {  // nine digits at a time, lowest first
    std::uint32_t chunk = whole.divide(1'000'000'000);
    for (int i = 0; i < 9; ++i, chunk /= 10) result.digits += static_cast<char>('0' + chunk % 10);
  }
  std::reverse(result.digits.begin(), result.digits.end());
  const auto first = result.digits.find_first_not_of('0');
  const auto last = result.digits.find_last_not_of('0');
  if (first == std::string::npos) return Decimal{};
  result.exponent += static_cast<long long>(result.digits.size() - last - 1);
  result.digits = result.digits.substr(first, last - first + 1);
  return result;
}

}  // namespace quorvel
