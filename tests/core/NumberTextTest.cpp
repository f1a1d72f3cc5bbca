#include <gtest/gtest.h>

#include <QRegularExpression>
#include <bit>
#include <cstdint>

#include "core/NumberReading.h"
#include "core/NumberText.h"
#include "tests/core/CalculationFixture.h"

namespace {

struct FormatCase {
    double value;
    const char* text;
};

TEST(FormatAmountTest, RoundsToTheHundredthOnEighteenDigits) {
    const FormatCase cases[] = {
        {0, "0,00"},
        {0.125, "0,13"},  // exactly halfway: away from zero
        {-0.125, "-0,13"},
        {1.005, "1,00"},  // the double lies below the half
        {2.675, "2,67"},
        {999.995, "1.000,00"},   // the double lies above the half
        {1000.005, "1.000,01"},  // below the half, but halfway in eighteen digits
        {-0.005, "-0,01"},
        {1234.5, "1.234,50"},
        {-1234567.891, "-1.234.567,89"},
        {1e6, "1.000.000,00"},
        {999.999, "1.000,00"},
        {12345678901.23, "12.345.678.901,23"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(core::FormatAmount(c.value), QString::fromUtf8(c.text)) << c.value;
    }
}

// A rounding residue is not a negative amount.
TEST(FormatAmountTest, WritesZeroWithoutSign) {
    const double residues[] = {-0.0, -4e-16, 4e-16, -0.004, 0.1 + 0.2 - 0.3, -(0.1 + 0.2 - 0.3)};
    for (double residue : residues) {
        EXPECT_EQ(core::FormatAmount(residue), QStringLiteral("0,00")) << residue;
        EXPECT_EQ(core::FormatAmount15(residue), QStringLiteral("0,00")) << residue;
    }
}

TEST(FormatAmountTest, RoundsComputedValuesToFifteenDigitsFirst) {
    const FormatCase cases[] = {
        {5 * 1.5 / 100, "0,08"},  // 0,075 in fifteen digits, just below it as a double
        {2.675, "2,68"},
        {1.005, "1,01"},
        {0.015, "0,02"},
        {-0.015, "-0,02"},
        {24 * 3000.0 / 36000, "2,00"},
        {3000, "3.000,00"},
        // Exactly halfway in decimal: away from zero, whatever the binary tie-break says.
        {-8965297374.25 * 2153, "-19.302.285.246.760,30"},
        {19302285246760.25, "19.302.285.246.760,30"},
        {999999999999999.5, "1.000.000.000.000.000,00"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(core::FormatAmount15(c.value), QString::fromUtf8(c.text)) << c.value;
    }
}

// The value kept beside a written amount is the one reading the text gives, bit for bit;
// past fifteen digits of hundredths it is left to the reading.
TEST(WriteAmountTest, KeepsTheValueTheTextReadsAs) {
    const double values[] = {0,
                             -0.0,
                             -0.004,
                             0.005,
                             2.675,
                             -1.5,
                             1e6,
                             9999999999999.99,
                             1e13 + 0.125,
                             -123456.785,
                             1e14,
                             -1e20,
                             1.0 / 3,
                             24 * 3000.0 / 36000};
    for (const double value : values) {
        for (const bool fifteen : {false, true}) {
            const core::WrittenAmount written =
                fifteen ? core::WriteAmount15(value) : core::WriteAmount(value);
            EXPECT_EQ(written.text,
                      fifteen ? core::FormatAmount15(value) : core::FormatAmount(value));
            const double read = core::ParseAmount(written.text);
            QString digits = written.text;
            digits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
            digits.remove(QRegularExpression(QStringLiteral("^0+")));
            EXPECT_EQ(written.value.has_value(), digits.size() <= 15) << written.text.toStdString();
            if (written.value) {
                EXPECT_EQ(std::bit_cast<std::uint64_t>(*written.value),
                          std::bit_cast<std::uint64_t>(read))
                    << written.text.toStdString();
            }
        }
    }
}

// A text FormatAmount would write again unchanged from its own value is recognised as such,
// so writing it can be left out; anything else is not.
TEST(IsWrittenAmountTest, KnowsTheWrittenFormOfAnAmount) {
    const char* written[] = {
        "0,00", "0,05", "-0,01", "1.000,00", "-12.345,67", "999,99", "9.999.999.999.999,99"};
    for (const char* text : written) {
        const QString q = QString::fromUtf8(text);
        EXPECT_TRUE(core::IsWrittenAmount(q)) << text;
        EXPECT_EQ(core::FormatAmount(core::ParseAmount(q)), q) << text;
    }
    const char* others[] = {"",          "-0,00",     "01,00",   "1000,00", "1.0000,00",
                            "1,0",       "1.000,000", ".100,00", "1.000",   "1.000,00 ",
                            "+1,00",     "1,000.00",  "-",       ",00",     "10.000.000.000.000,00",
                            "1..000,00", "00,00"};
    for (const char* text : others)
        EXPECT_FALSE(core::IsWrittenAmount(QString::fromUtf8(text))) << text;
}

TEST(FormatAmountTest, FollowsOtherSeparatorsWhenGiven) {
    const core::Separators english{QLatin1Char('.'), QLatin1Char(','), QLatin1Char('/')};
    EXPECT_EQ(core::FormatAmount(-1234567.891, english), QStringLiteral("-1,234,567.89"));
    EXPECT_EQ(core::GeneralText(24.5, english), QStringLiteral("24.5"));
}

TEST(FormatGroupedIntegerTest, GroupsInThrees) {
    const FormatCase cases[] = {
        {0, "0"}, {123, "123"}, {1234, "1.234"}, {1234567, "1.234.567"}, {-1234, "-1.234"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(core::FormatGroupedInteger(c.value), QString::fromUtf8(c.text)) << c.value;
    }
}

TEST(GeneralTextTest, WritesFifteenSignificantDigitsWithoutTrailingZeros) {
    const FormatCase cases[] = {
        {2.0 / 12, "0,166666666666667"},
        {24, "24"},
        {30, "30"},
        {-5, "-5"},
        {0, "0"},
        {24.5, "24,5"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"},
        {1032019, "1032019"},
        {123456789012345.0, "123456789012345"},
        {0.33333, "0,33333"},
        {-19302285246760.25, "-19302285246760,3"},  // halfway: away from zero
        {1234567890123.125, "1234567890123,13"},
        {999999999999999.5, "1E15"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(core::GeneralText(c.value), QString::fromUtf8(c.text)) << c.value;
    }
}

}  // namespace
