#include "settings/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvel {
namespace {

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const struct {
    double in, out;
  } cases[] = {{2.5, 2},   {3.5, 4},    {1.5, 2},           {0.5, 0},
               {-0.5, 0},  {0.6, 1},    {-2.5, -2},         {-3.5, -4},
               {-0.6, -1}, {2.4999, 2}, {1e15 + 0.5, 1e15}, {4503599627370497.0, 4503599627370497.0}};
  for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
}

const ValueOrigin kOrigin{"t", 3, "text"};

TEST(IntegerConversion, AcceptsTheWholeRangeAndRefusesBeyond) {
  EXPECT_EQ(toInt16(32767.4, kOrigin), 32767);
  EXPECT_EQ(toInt16(-32768.5, kOrigin), -32768);  // tie to the even -32768
  EXPECT_THROW(toInt16(32767.5, kOrigin), OverflowError);
  EXPECT_THROW(toInt16(-32768.6, kOrigin), OverflowError);

  EXPECT_EQ(toUInt8(254.5, kOrigin), 254);
  EXPECT_EQ(toUInt8(-0.5, kOrigin), 0);
  EXPECT_THROW(toUInt8(255.5, kOrigin), OverflowError);
  EXPECT_THROW(toUInt8(-0.6, kOrigin), OverflowError);

  EXPECT_EQ(toInt32(2147483647.0, kOrigin), 2147483647);
  EXPECT_EQ(toInt32(-2147483648.5, kOrigin), std::numeric_limits<std::int32_t>::min());
  EXPECT_THROW(toInt32(2147483647.5, kOrigin), OverflowError);
  EXPECT_THROW(toInt32(1e12, kOrigin), OverflowError);
  // Infinity and NaN lie beyond every range.
  for (double v : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(toInt16(v, kOrigin), OverflowError);
    EXPECT_THROW(toUInt8(v, kOrigin), OverflowError);
    EXPECT_THROW(toInt32(v, kOrigin), OverflowError);
  }
}

TEST(IntegerConversion, OverflowSaysWhatOverflowed) {
  try {
    toUInt8(300, ValueOrigin{"f", 17, "3e2"});
    FAIL() << "no overflow";
  } catch (const OverflowError& e) {
    EXPECT_EQ(e.origin().field, "f");
    EXPECT_EQ(e.origin().slot, 17);
    EXPECT_EQ(e.origin().text, "3e2");
  }
}

TEST(FloatConversion, RoundsToNearestWithoutRangeCheck) {
  EXPECT_EQ(toFloat32(0.1), 0.1f);
  EXPECT_EQ(toFloat32(16777217.0), 16777216.0f);
  EXPECT_EQ(toFloat32(1e300), std::numeric_limits<float>::infinity());
  EXPECT_EQ(toFloat32(-1e300), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(toFloat32(3.4028235e38), std::numeric_limits<float>::max());
  EXPECT_TRUE(std::isnan(toFloat32(std::numeric_limits<double>::quiet_NaN())));
}

TEST(FormatFloat32, WholeNumbersHaveNoDecimalPoint) {
  const struct {
    float in;
    const char* out;
  } cases[] = {{3000, "3000"},    {-120, "-120"}, {0, "0"},      {0.5f, "0.5"},   {1234567, "1234567"},
               {15.25f, "15.25"}, {0.1f, "0.1"},  {-0.0f, "-0"}, {1e-7f, "1e-07"}};
  for (const auto& c : cases) EXPECT_EQ(formatFloat32(c.in), c.out);
  EXPECT_EQ(formatFloat32(3.4028235e38f), "340282346638528859811704183484516925440");
}

}  // namespace
}  // namespace quorvel
