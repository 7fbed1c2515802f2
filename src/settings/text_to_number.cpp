#include "settings/text_to_number.h"

#include <string>

#include "settings/exact_decimal.h"

namespace quorvel {
namespace {

// Yields the characters of a text that count, skipping blanks, tabs and line feeds.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { skip(); }
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }
  void next() {
    ++pos_;
    skip();
  }
  bool accept(char lower) {
    const char c = peek();
    if (c != lower && c != lower - ('a' - 'A')) return false;
    next();
    return true;
  }

 private:
  void skip() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

double readRadixInteger(Cursor& in, int radix) {
  double value = 0;
  while (digitValue(in.peek()) < radix) {
    value = value * radix + digitValue(in.peek());
    in.next();
  }
  return value;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double TextToNumber(std::string_view text) {
  Cursor in(text);
  if (in.peek() == '&') {
    in.next();
    if (in.accept('h')) return readRadixInteger(in, 16);
    if (in.accept('o')) return readRadixInteger(in, 8);
    return 0;
  }

  std::string digits;  // the number's digits, without the skipped blanks and the point
  bool negative = false;
  if (in.peek() == '+' || in.peek() == '-') {
    negative = in.peek() == '-';
    in.next();
  }
  bool sawPoint = false;
  long long fractionDigits = 0;
  for (;; in.next()) {
    const char c = in.peek();
    if (isDigit(c)) {
      digits += c;
      fractionDigits += sawPoint;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
  }
  if (digits.empty()) return 0;

  long long exponent = 0;
  int exponentSign = 1;
  if (in.accept('e')) {
    if (in.peek() == '+' || in.peek() == '-') {
      exponentSign = in.peek() == '-' ? -1 : 1;
      in.next();
    }
    constexpr long long kExponentCap = 100000;  // far past any double; keeps the sum from overflowing
    while (isDigit(in.peek())) {
      if (exponent < kExponentCap) exponent = exponent * 10 + (in.peek() - '0');
      in.next();
    }
  }

  const double value = DecimalToDouble(digits, exponent * exponentSign - fractionDigits);
  return negative ? -value : value;
}

}  // namespace quorvel
