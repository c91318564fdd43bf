#include "game/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "QtPrinters.h"

using namespace mofurin;

TEST(Numbers, RoundingGoesToTheEvenNeighbourOnTies) {
  EXPECT_EQ(roundHalfEven(0.5), 0);
  EXPECT_EQ(roundHalfEven(1.5), 2);
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(-3.5), -4);
  EXPECT_EQ(roundHalfEven(2.5000001), 3);
  EXPECT_EQ(roundHalfEven(62.99999999999999), 63);
}

TEST(Numbers, TruncationDropsTheFractionTowardZero) {
  EXPECT_EQ(truncateToInt32(62.99999999999999), 62);
  EXPECT_EQ(truncateToInt32(1.9), 1);
  EXPECT_EQ(truncateToInt32(-1.9), -1);
}

TEST(Numbers, ValuesBeyondThirtyTwoBitsSaturateInsteadOfWrapping) {
  EXPECT_EQ(roundHalfEven(9e9), std::numeric_limits<qint32>::max());
  EXPECT_EQ(truncateToInt32(-9e9), std::numeric_limits<qint32>::min());
  EXPECT_EQ(roundHalfEven(std::nan("")), 0);
  EXPECT_TRUE(fitsInt32(2147483647.0));
  EXPECT_FALSE(fitsInt32(2147483648.0));
  EXPECT_TRUE(fitsInt32(-2147483648.0));
  EXPECT_FALSE(fitsInt32(std::numeric_limits<double>::infinity()));
}

TEST(Numbers, DecimalForms) {
  EXPECT_EQ(decimal(-42), "-42");
  EXPECT_EQ(decimal(0), "0");
  EXPECT_EQ(signSpacedDecimal(7), " 7");
  EXPECT_EQ(signSpacedDecimal(-7), "-7");
}

TEST(Numbers, FixedWidthFieldsPadLeftAndKeepTheLastCharacters) {
  EXPECT_EQ(fitRight(" 7", 5), "    7");
  EXPECT_EQ(fitRight(" 12345", 5), "12345");
  EXPECT_EQ(fitRight("-123456", 5), "23456");
  EXPECT_EQ(fitRight(QString(), 3), "   ");
  EXPECT_EQ(fitRight("ナミ", 3), " ナミ");
}

TEST(Numbers, LenientReadingTakesTheNumberTheTextBeginsWith) {
  EXPECT_DOUBLE_EQ(leadingNumber(u"  -1.9e1xyz"), -19.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u"12abc"), 12.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u"abc"), 0.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u""), 0.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u"1.9"), 1.9);
  EXPECT_DOUBLE_EQ(leadingNumber(u"000000"), 0.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u"1 2 3"), 123.0);  // blanks anywhere are skipped
  EXPECT_DOUBLE_EQ(leadingNumber(u"+5"), 5.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u".5"), 0.5);
  EXPECT_DOUBLE_EQ(leadingNumber(u"1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(leadingNumber(u"2e"), 2.0);  // an exponent without digits is not one
  EXPECT_DOUBLE_EQ(leadingNumber(u"3D2"), 300.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u"-"), 0.0);
  EXPECT_DOUBLE_EQ(leadingNumber(u"９"), 0.0);  // full-width digits are not digits here
  EXPECT_DOUBLE_EQ(leadingNumber(u"9e9"), 9e9);
  EXPECT_TRUE(std::isinf(leadingNumber(u"1e999")));
  EXPECT_DOUBLE_EQ(leadingNumber(u"1e-999"), 0.0);
}
