#include "settings/text_to_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace quorvel {
namespace {

struct Case {
  std::string text;
  double expected;
};

class TextToNumberTest : public ::testing::TestWithParam<Case> {};

TEST_P(TextToNumberTest, ReadsTheLeadingNumber) {
  const Case& c = GetParam();
  EXPECT_EQ(TextToNumber(c.text), c.expected) << "text: \"" << c.text << "\"";
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Grammar, TextToNumberTest,
    ::testing::Values(
        // no number at all
        Case{"", 0}, Case{"abc", 0}, Case{"-", 0}, Case{"+", 0}, Case{".", 0}, Case{"--1", 0}, Case{"e5", 0},
        // plain numbers and where they stop
        Case{"0", 0}, Case{"42", 42}, Case{"+5", 5}, Case{"-120", -120}, Case{"12a", 12}, Case{"1.2.3", 1.2},
        Case{".5", 0.5}, Case{"5.", 5}, Case{"2.5", 2.5}, Case{"1,5", 1},
        // blanks, tabs and line feeds are skipped anywhere; a carriage return is not
        Case{"  7", 7}, Case{"1 2 3", 123}, Case{"\t-\n3.5", -3.5}, Case{"- 4", -4}, Case{"1 e 2", 100},
        Case{"1\r2", 1}, Case{"\r5", 0},
        // exponents
        Case{"1e1", 10}, Case{"1E+2", 100}, Case{"25e-1", 2.5}, Case{"1e", 1}, Case{"1e+", 1},
        Case{"1e-x", 1}, Case{"1.5e3x", 1500}, Case{"1d2", 1},
        // out of the double range
        Case{"1e400", kInf}, Case{"-1e400", -kInf}, Case{"1e-400", 0}, Case{"0e999999999999", 0},
        Case{std::string(400, '9'), kInf}, Case{"0." + std::string(400, '0') + "1", 0},
        // hexadecimal and octal
        Case{"&H1F", 31}, Case{"&hff", 255}, Case{"&H 1 f", 31}, Case{"&O17", 15}, Case{"&o8", 0},
        Case{"&O78", 7}, Case{"&HG", 0}, Case{"&", 0}, Case{"&X1", 0}, Case{"&HFFFFFFFF", 4294967295.0},
        Case{"-&H10", 0},
        // a NUL ends the text
        Case{std::string("1\0002", 3), 1}, Case{std::string("\0005", 2), 0}));

// Correctly rounded, ties to even, down to the subnormals and up to the largest double.
INSTANTIATE_TEST_SUITE_P(
    Rounding, TextToNumberTest,
    ::testing::Values(Case{"9007199254740993", 9007199254740992.0},
                      Case{"9007199254740995", 9007199254740996.0},
                      Case{"9007199254740993.0000000000000000000001", 9007199254740994.0}, Case{"0.1", 0.1},
                      Case{"2.2250738585072011e-308", 0x0.fffffffffffffp-1022}, Case{"4.9e-324", 0x1p-1074},
                      Case{"2.4703282292062327e-324", 0}, Case{"2.4703282292062328e-324", 0x1p-1074},
                      Case{"1.7976931348623158e308", 0x1.fffffffffffffp1023},
                      Case{"1.7976931348623159e308", kInf}));

TEST(TextToNumber, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(TextToNumber("-0")));
  EXPECT_FALSE(std::signbit(TextToNumber("0")));
}

}  // namespace
}  // namespace quorvel
