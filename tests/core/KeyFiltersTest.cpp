#include <gtest/gtest.h>

#include "core/KeyFilters.h"
#include "core/NumberReading.h"
#include "tests/core/CalculationFixture.h"

namespace {

using core::kBackspace;
using core::kEnter;

// A grouped field as the window holds it: its text and the caret, no selection.
struct GroupedField {
    QString text;
    int caret = 0;

    // One key: the filter's decision first, then the key itself at the caret.
    void type(QChar key) {
        const core::KeyDecision decision = core::FilterGroupedKey(key, text, caret, 0);
        EXPECT_FALSE(decision.moveFocus);
        if (decision.text) {
            text = *decision.text;
            caret = static_cast<int>(text.size()) - decision.caretFromEnd;
        }
        if (!decision.accepted || key == kEnter) return;
        if (key == kBackspace) {
            if (caret > 0) text.remove(--caret, 1);
        } else {
            text.insert(caret++, key);
        }
    }
};

GroupedField Typed(const QString& keys) {
    GroupedField field;
    for (QChar key : keys) field.type(key);
    return field;
}

TEST(GroupingFilterTest, GroupsWhileDigitsAreTyped) {
    GroupedField field;
    const char* shown[] = {"1", "12", "123", "1.234", "12.345", "123.456", "1.234.567"};
    const QString digits = QStringLiteral("1234567");
    for (int i = 0; i < digits.size(); ++i) {
        field.type(digits[i]);
        EXPECT_EQ(field.text, QString::fromUtf8(shown[i]));
    }
}

// Keys at the end of a field, from the text it held before.
TEST(GroupingFilterTest, KeysAtTheEnd) {
    struct Case {
        const char* before;
        QChar key;
        const char* after;
    };
    const Case cases[] = {
        {"1.234", kBackspace, "123"},
        {"1.234", kEnter, "12.34"},  // regrouped as for one digit more; same value
        {"123", QLatin1Char('a'), "1.23"},
        {"", QLatin1Char('a'), "0"},
        {"", QLatin1Char(','), ","},
        {"", kEnter, ""},
        {"1.234", QLatin1Char(','), "1.234,"},
        {"1.234,", QLatin1Char(','), "1.234,"},
        {"12,3", QLatin1Char('4'), "12,34"},
        {"12,34", QLatin1Char('5'), "12,34"},
        {"12,34", kBackspace, "12,3"},
        {"12,34", QLatin1Char(','), "12,34"},
        {"1.234", QLatin1Char('.'), "12.34"},
    };
    for (const Case& c : cases) {
        GroupedField field{QString::fromUtf8(c.before), 0};
        field.caret = static_cast<int>(field.text.size());
        field.type(c.key);
        EXPECT_EQ(field.text, QString::fromUtf8(c.after))
            << c.before << " + " << QString(c.key).toStdString();
    }
}

TEST(GroupingFilterTest, RegroupingKeepsTheValue) {
    EXPECT_EQ(core::ParseAmount(Typed(QStringLiteral("1234\r")).text), 1234);
    EXPECT_EQ(core::ParseAmount(Typed(QStringLiteral("12x34")).text), 1234);
}

// The caret keeps its distance from the end; a key in the middle may leave the grouping
// uneven, never the value wrong.
TEST(GroupingFilterTest, KeyInTheMiddleKeepsTheCaretFromTheEnd) {
    GroupedField field{QStringLiteral("123"), 1};
    field.type(QLatin1Char('9'));
    EXPECT_EQ(field.text, QStringLiteral("1.923"));
    EXPECT_EQ(field.caret, 3);

    const core::KeyDecision selected =
        core::FilterGroupedKey(QLatin1Char('5'), QStringLiteral("1.234"), 1, 2);
    ASSERT_TRUE(selected.text.has_value());
    EXPECT_EQ(selected.caretFromEnd, 2);
}

// Past fifteen significant digits a double no longer holds what was typed.
TEST(GroupingFilterTest, RefusesDigitsBeyondFifteen) {
    EXPECT_EQ(Typed(QStringLiteral("12345678901234567890")).text,
              QStringLiteral("123.456.789.012.345"));
    EXPECT_EQ(Typed(QStringLiteral("1234567890123,456")).text,
              QStringLiteral("1.234.567.890.123,45"));
}

TEST(AmountDigitsTest, CountsSignificantDigitsOfTheTextAfterTheKey) {
    struct Case {
        const char* text;
        int selectionStart;
        int selectionLength;
        QChar key;
        bool overflows;
    };
    const Case cases[] = {
        {"123.456.789.012.34", 18, 0, QLatin1Char('5'), false},
        {"123.456.789.012.345", 19, 0, QLatin1Char('6'), true},
        {"123.456.789.012.345", 0, 0, QLatin1Char('1'), true},
        {"123.456.789.012.345", 0, 0, QLatin1Char('0'), false},  // a leading zero adds nothing
        {"123.456.789.012.345", 0, 1, QLatin1Char('9'), false},  // typed over a digit
        {"123.456.789.012.345", 19, 0, QLatin1Char(','), false},
        {"1.234.567.890.123,4", 19, 0, QLatin1Char('5'), false},
        {"1.234.567.890.123,45", 20, 0, QLatin1Char('6'), true},
        {"0,00000000000001", 16, 0, QLatin1Char('2'), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::DigitWouldOverflowAmount(c.key, QString::fromUtf8(c.text), c.selectionStart,
                                                 c.selectionLength),
                  c.overflows)
            << c.text << " + " << QString(c.key).toStdString();
    }
}

struct KeyCase {
    QChar key;
    bool accepted;
};

TEST(FieldKeyFilterTest, RateFieldsTakeDigitsAndTheDecimalSeparator) {
    const KeyCase cases[] = {
        {QLatin1Char('0'), true},  {QLatin1Char('9'), true},  {QLatin1Char(','), true},
        {kBackspace, true},        {QLatin1Char('.'), false}, {QLatin1Char('a'), false},
        {QLatin1Char('-'), false}, {QLatin1Char(' '), false},
    };
    for (const KeyCase& c : cases) {
        const core::KeyDecision decision = core::FilterRateKey(c.key);
        EXPECT_EQ(decision.accepted, c.accepted) << QString(c.key).toStdString();
        EXPECT_FALSE(decision.moveFocus);
    }
    const core::Separators english{QLatin1Char('.'), QLatin1Char(','), QLatin1Char('/')};
    EXPECT_TRUE(core::FilterRateKey(QLatin1Char('.'), english).accepted);
    EXPECT_FALSE(core::FilterRateKey(QLatin1Char(','), english).accepted);
}

TEST(FieldKeyFilterTest, DayFieldsTakeDigitsOnly) {
    const KeyCase cases[] = {
        {QLatin1Char('0'), true},  {QLatin1Char('7'), true},  {kBackspace, true},
        {QLatin1Char(','), false}, {QLatin1Char('.'), false}, {QLatin1Char('x'), false},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(core::FilterDayKey(c.key).accepted, c.accepted) << QString(c.key).toStdString();
    }
}

TEST(FieldKeyFilterTest, EnterMovesOnFromRateAndDayFields) {
    for (const core::KeyDecision& decision :
         {core::FilterRateKey(kEnter), core::FilterDayKey(kEnter)}) {
        EXPECT_FALSE(decision.accepted);
        EXPECT_TRUE(decision.moveFocus);
    }
}

TEST(AmountCellTest, AcceptsDigitsControlKeysAndTheDecimalSeparator) {
    const KeyCase cases[] = {
        {QLatin1Char('5'), true},  {kBackspace, true},        {kEnter, true},
        {QLatin1Char(','), true},  {QLatin1Char('.'), false}, {QLatin1Char('-'), false},
        {QLatin1Char('a'), false}, {QLatin1Char(' '), false},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(core::AcceptsAmountCellKey(c.key), c.accepted) << QString(c.key).toStdString();
    }
}

TEST(AmountCellTest, RegroupsTypedIntegers) {
    EXPECT_EQ(core::RegroupTypedAmount(QStringLiteral("1234")), QStringLiteral("1.234"));
    EXPECT_EQ(core::RegroupTypedAmount(QStringLiteral("1.2345")), QStringLiteral("12.345"));
    EXPECT_EQ(core::RegroupTypedAmount(QStringLiteral("1234567")), QStringLiteral("1.234.567"));
    EXPECT_EQ(core::RegroupTypedAmount(QStringLiteral("12")), std::nullopt);
    EXPECT_EQ(core::RegroupTypedAmount(QStringLiteral("1234,5")), std::nullopt);
}

}  // namespace
