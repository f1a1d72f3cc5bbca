#include <gtest/gtest.h>

#include "sheets/CellText.h"

using sheets::CellText;
using sheets::CellValue;
using sheets::DateSystem;

TEST(CellText, SerialDatesInBothDateSystems) {
    struct Case {
        double serial;
        DateSystem system;
        const char* text;
    };
    const Case cases[] = {
        {1, DateSystem::From1900, "01.01.1900"},
        {59, DateSystem::From1900, "28.02.1900"},
        {60, DateSystem::From1900, "29.02.1900"},  // the day the 1900 system counts wrongly
        {61, DateSystem::From1900, "01.03.1900"},
        {43905, DateSystem::From1900, "15.03.2020"},
        {43905.75, DateSystem::From1900, "15.03.2020"},       // the time of day is dropped
        {43905.9999999, DateSystem::From1900, "16.03.2020"},  // rounds to the second first
        {2958465, DateSystem::From1900, "31.12.9999"},
        {0, DateSystem::From1904, "01.01.1904"},
        {42443, DateSystem::From1904, "15.03.2020"},
        {-1, DateSystem::From1900, "-1"},  // no calendar day: the number
        {2958466, DateSystem::From1900, "2958466"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CellText(CellValue::ofSerialDate(c.serial), c.system), QString::fromUtf8(c.text))
            << c.serial;
    }
}

TEST(CellText, NumbersTextsIsoDatesAndBooleans) {
    EXPECT_EQ(CellText(CellValue::ofNumber(1234.5)), QStringLiteral("1234,5"));
    EXPECT_EQ(CellText(CellValue::ofNumber(0.1 + 0.2)), QStringLiteral("0,3"));
    EXPECT_EQ(CellText(CellValue::ofNumber(-25000)), QStringLiteral("-25000"));
    EXPECT_EQ(CellText(CellValue::ofText(QStringLiteral("  Çeşme ödemesi"))),
              QStringLiteral("  Çeşme ödemesi"));
    EXPECT_EQ(CellText(CellValue::ofIsoDate(QStringLiteral("2020-03-15"))),
              QStringLiteral("15.03.2020"));
    EXPECT_EQ(CellText(CellValue::ofIsoDate(QStringLiteral("2020-03-15T10:30:00"))),
              QStringLiteral("15.03.2020"));
    EXPECT_EQ(CellText(CellValue::ofIsoDate(QStringLiteral("2020-02-30"))),
              QStringLiteral("2020-02-30"));
    EXPECT_EQ(CellText(CellValue::ofBoolean(true)), QStringLiteral("True"));
}

TEST(CellText, DateFormatCodes) {
    struct Case {
        const char* code;
        bool date;
    };
    const Case cases[] = {
        {"dd.mm.yyyy", true},
        {"[$-41F]d mmmm yyyy;@", true},
        {"mmm-yy", true},
        {"dd/mm/yyyy hh:mm", true},
        {"hh:mm:ss", false},  // a time of day only
        {"General", false},
        {"#,##0.00", false},
        {"#,##0.00 \"day\"", false},  // quoted text is not a format part
        {"[Red]#,##0.00", false},     // nor is a bracketed colour
        {"0\\d", false},              // an escaped d is shown as it is
        {"_-* #,##0.00 _T_L_-", false},
        {"0.00E+00", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sheets::IsDateFormatCode(QString::fromUtf8(c.code)), c.date) << c.code;
    }
    EXPECT_TRUE(sheets::IsBuiltInDateFormat(14));
    EXPECT_TRUE(sheets::IsBuiltInDateFormat(22));
    EXPECT_FALSE(sheets::IsBuiltInDateFormat(20));
    EXPECT_FALSE(sheets::IsBuiltInDateFormat(4));
}
