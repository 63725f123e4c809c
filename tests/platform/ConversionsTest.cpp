#include "platform/Conversions.h"

#include "support/Raised.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>

TEST(Conversions, IsNumericAcceptsTheNumberForms)
{
    for (const char* text : {" 12 ", "-3", "+4.5", "1,000", "1e3", ".5", "5.", "&H1F", "&hff", "&O17", "2.5E-07"})
        EXPECT_TRUE(Conversions::IsNumeric(QString::fromLatin1(text))) << text;
    for (const char* text : {"", " ", "abc", "12abc", "1.2.3", "-", "e5", ".", "&H", "&O8", "&HG", "1,", "1e999"})
        EXPECT_FALSE(Conversions::IsNumeric(QString::fromLatin1(text))) << text;
}

TEST(Conversions, ToDoubleReadsNumericText)
{
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral(" 12 ")), 12.0);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("-3")), -3.0);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("+4.5")), 4.5);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("1,234,567.25")), 1234567.25);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("1e3")), 1000.0);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("&H1F")), 31.0);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("&O17")), 15.0);
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("&HFFFFFFFF")), -1.0);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToDouble(QStringLiteral("abc")); }), 13);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToDouble(QString()); }), 13);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToDouble(QStringLiteral("1e999")); }), 6);
}

TEST(Conversions, IntegersRoundHalfToEven)
{
    EXPECT_EQ(Conversions::ToInt16(2.5), 2);
    EXPECT_EQ(Conversions::ToInt16(3.5), 4);
    EXPECT_EQ(Conversions::ToInt16(-2.5), -2);
    EXPECT_EQ(Conversions::ToInt16(-3.5), -4);
    EXPECT_EQ(Conversions::ToInt16(2.4999), 2);
    EXPECT_EQ(Conversions::ToInt16(-2.6), -3);
    EXPECT_EQ(Conversions::ToInt16(32766.5), 32766);
    EXPECT_EQ(Conversions::ToInt16(-32768.5), -32768);
    EXPECT_EQ(Conversions::ToInt32(2147483646.5), 2147483646);
    EXPECT_EQ(Conversions::ToInt16(QStringLiteral(" 7.5 ")), 8);
    EXPECT_EQ(Conversions::ToInt32(QStringLiteral("1,000")), 1000);
}

TEST(Conversions, IntegersOutOfRangeOverflow)
{
    EXPECT_EQ(RaisedNumber([] { Conversions::ToInt16(32767.5); }), 6);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToInt16(-32769.0); }), 6);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToInt16(std::nan("")); }), 6);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToInt32(2147483647.5); }), 6);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToInt32(-HUGE_VAL); }), 6);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToInt16(QStringLiteral("40000")); }), 6);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToInt32(QStringLiteral("x")); }), 13);
}

TEST(Conversions, ToBooleanReadsWordsAndNumbers)
{
    EXPECT_TRUE(Conversions::ToBoolean(QStringLiteral(" TRUE ")));
    EXPECT_FALSE(Conversions::ToBoolean(QStringLiteral("false")));
    EXPECT_TRUE(Conversions::ToBoolean(QStringLiteral("-1")));
    EXPECT_TRUE(Conversions::ToBoolean(QStringLiteral("0.5")));
    EXPECT_FALSE(Conversions::ToBoolean(QStringLiteral("0")));
    EXPECT_FALSE(Conversions::ToBoolean(QStringLiteral("&H0")));
    EXPECT_EQ(RaisedNumber([] { Conversions::ToBoolean(QStringLiteral("yes")); }), 13);
    EXPECT_EQ(RaisedNumber([] { Conversions::ToBoolean(QString()); }), 13);
    EXPECT_EQ(Conversions::BooleanText(true), "True");
    EXPECT_EQ(Conversions::BooleanText(false), "False");
}

TEST(Conversions, NumberTextShowsFifteenSignificantDigits)
{
    EXPECT_EQ(Conversions::NumberText(0), "0");
    EXPECT_EQ(Conversions::NumberText(-0.0), "0");
    EXPECT_EQ(Conversions::NumberText(12.5), "12.5");
    EXPECT_EQ(Conversions::NumberText(-0.25), "-0.25");
    EXPECT_EQ(Conversions::NumberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(Conversions::NumberText(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(Conversions::NumberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(Conversions::NumberText(100), "100");
    EXPECT_EQ(Conversions::NumberText(123456789012345), "123456789012345");
    EXPECT_EQ(Conversions::NumberText(999999999999999.9), "1E+15");
    EXPECT_EQ(Conversions::NumberText(1e15), "1E+15");
    EXPECT_EQ(Conversions::NumberText(-1.5e20), "-1.5E+20");
    EXPECT_EQ(Conversions::NumberText(1e100), "1E+100");
    EXPECT_EQ(Conversions::NumberText(0.0001), "0.0001");
    EXPECT_EQ(Conversions::NumberText(0.00001), "1E-05");
    EXPECT_EQ(Conversions::NumberText(2.5e-7), "2.5E-07");
}

TEST(Conversions, IgnoresTheDefaultLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Conversions::NumberText(12.5), "12.5");
    EXPECT_EQ(Conversions::NumberText(1234567), "1234567");
    EXPECT_EQ(Conversions::ToDouble(QStringLiteral("1,000.5")), 1000.5);
    QLocale::setDefault(previous);
}
