// Values too large or too close to zero for a double: never written as "INF" and read back as
// 0 by the next row, never reported with the wrong words.
#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/NumberReading.h"
#include "core/Rates.h"
#include "core/TableCommands.h"
#include "tests/core/CalculationFixture.h"

namespace {

using namespace core::col;

// Amounts are read from their digits only ("1E308" is 1308): 10^308 written out.
const QString kHuge = QStringLiteral("1") + QString(308, QLatin1Char('0'));
const QString kLarge = QStringLiteral("1") + QString(307, QLatin1Char('0'));
using coretest::CalculationTest;

class NonFiniteTest : public CalculationTest {
  protected:
    // Recalculates all; returns the conversion error's text, and checks that no cell or total
    // holds a non-finite text.
    QString recalculateAllError() {
        QString message;
        try {
            core::RecalculateAll(calc);
        } catch (const core::CommandFailure& e) {
            message = e.message();
        }
        for (int r = 1; r < table().rowCount(); ++r) {
            for (int c = 0; c < core::TransactionTable::ColumnCount; ++c) {
                EXPECT_FALSE(cell(c, r).contains(QLatin1String("INF")) ||
                             cell(c, r).contains(QLatin1String("NAN")))
                    << "row " << r << ", column " << c;
            }
        }
        EXPECT_FALSE(calc.totals().totalDrawn.contains(QLatin1String("INF")));
        return message;
    }
};

TEST_F(NonFiniteTest, OverflowEndsTheCommandNamingTheCell) {
    struct Case {
        const char* name;
        const char* daysInYear;
        std::initializer_list<coretest::Cells> rows;
        QString expected;
    };
    const Case cases[] = {
        {"two drawings of 1E308",
         "360",
         {{{ValueDate, "01.03.2019"}, {Drawn, kHuge}}, {{ValueDate, "02.03.2019"}, {Drawn, kHuge}}},
         QStringLiteral("2. satır, \"Dorud Bakiye\" sütunu")},
        {"days in the year almost zero",
         "1E-320",
         {{{ValueDate, "01.03.2019"}, {Drawn, "100"}}, {{ValueDate, "31.03.2019"}}},
         QStringLiteral("2. satır, \"Dönem Faizi\" sütunu")},
        {"an interest number past the largest double",
         "360",
         {{{ValueDate, "01.03.2019"}, {Drawn, kLarge}}, {{ValueDate, "31.03.2019"}}},
         QStringLiteral("2. satır, \"Adat\" sütunu")},
        // Every balance stays 0, but the drawings add up past the largest double.
        {"a total past the largest double",
         "360",
         {{{ValueDate, "01.03.2019"}, {Drawn, kHuge}, {Repaid, kHuge}},
          {{ValueDate, "01.03.2019"}, {Drawn, kHuge}, {Repaid, kHuge}},
          {{ValueDate, "01.03.2019"}}},
         QStringLiteral("\"Dorud Tutarı\" sütununun toplamı")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calc.inputs().daysInYear = QString::fromLatin1(c.daysInYear);
        setRows(c.rows);
        const QString message = recalculateAllError();
        EXPECT_EQ(message, QStringLiteral("Geçersiz kayan nokta işlemi: ") + c.expected +
                               QStringLiteral(" sonlu bir sayı değil"));
    }
}

TEST_F(NonFiniteTest, ARateThatOverflowsIsAnError) {
    calc.setRateDirection(core::RateDirection::MonthlyDrives);
    EXPECT_THROW(calc.setMonthlyRateText(QStringLiteral("1E308")), core::CommandFailure);
}

// A number too close to zero is not "too large" (the rate and day fields read with exponents;
// amounts read the same way from their digits).
TEST(NumberRangeTest, UnderflowAndOverflowAreToldApart) {
    const QString tiny = QStringLiteral("0,") + QString(400, QLatin1Char('0')) + QLatin1Char('1');
    const QString large = QStringLiteral("1") + QString(400, QLatin1Char('0'));
    const struct {
        QString text;
        const char* words;
    } cases[] = {
        {tiny, "sıfıra çok yakın"},
        {QStringLiteral("1E-400"), "sıfıra çok yakın"},
        {QStringLiteral("-0,0001E-400"), "sıfıra çok yakın"},
        {QStringLiteral("-") + tiny, "sıfıra çok yakın"},
        {large, "çok büyük"},
        {QStringLiteral("1E400"), "çok büyük"},
        {QStringLiteral("0,001E400"), "çok büyük"},
    };
    for (const auto& c : cases) {
        try {
            core::StrictNumber(c.text);
            ADD_FAILURE() << c.text.toStdString() << " was read";
        } catch (const core::CommandFailure& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.words)))
                << c.text.toStdString() << ": " << e.message().toStdString();
            EXPECT_TRUE(e.message().startsWith(QLatin1Char('"') + c.text + QLatin1Char('"')));
        }
    }
    EXPECT_THROW(core::ParseAmount(tiny), core::CommandFailure);
}

}  // namespace
