#include <gtest/gtest.h>

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
