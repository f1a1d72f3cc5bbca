#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/Rates.h"
#include "core/TableCommands.h"
#include "tests/core/CalculationFixture.h"

namespace {

using namespace core::col;
using coretest::CalculationTest;

class RatesTest : public CalculationTest {
  protected:
    // The drawing of 100 over 30 days: an interest number of 3.000.
    void setExample() {
        setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}, {Rate, "18"}},
                 {{ValueDate, "31.03.2019"}, {Rate, "18"}}});
    }

    const QString& annual() { return calc.inputs().annualRate; }
    const QString& monthly() { return calc.inputs().monthlyRate; }
};

TEST_F(RatesTest, TheDrivingFieldRewritesTheOther) {
    calc.setRateDirection(core::RateDirection::AnnualDrives);
    calc.setAnnualRateText("2");
    EXPECT_EQ(monthly(), "0,166666666666667");
    calc.setAnnualRateText("24");
    EXPECT_EQ(monthly(), "2");
    calc.setAnnualRateText(" 3 6 ");
    EXPECT_EQ(monthly(), "3");
    calc.setAnnualRateText("");
    EXPECT_EQ(monthly(), "0");

    calc.setRateDirection(core::RateDirection::MonthlyDrives);
    calc.setMonthlyRateText("3");
    EXPECT_EQ(annual(), "36");
    calc.setAnnualRateText("99");  // the annual field does not drive now
    EXPECT_EQ(monthly(), "3");
}

TEST_F(RatesTest, FieldsAreIndependentBeforeEitherIsEntered) {
    calc.setAnnualRateText("30");
    calc.setMonthlyRateText("1");
    EXPECT_EQ(annual(), "30");
    EXPECT_EQ(monthly(), "1");
}

TEST_F(RatesTest, DrivingTextThatIsNoNumberFails) {
    calc.setRateDirection(core::RateDirection::AnnualDrives);
    EXPECT_THROW(calc.setAnnualRateText(","), core::CommandFailure);
    EXPECT_EQ(annual(), ",");
    EXPECT_EQ(monthly(), "2");
}

TEST_F(RatesTest, ChangeRatesPutsTheAnnualRateIntoEveryRow) {
    setExample();
    calc.inputs().annualRate = "36";
    core::ChangeRates(calc);
    EXPECT_EQ(cell(Rate, 1), "36");
    EXPECT_EQ(cell(Rate, 2), "36");
    EXPECT_EQ(cell(PeriodInterest, 2), "3,00");
}

// T × Y × 100 / A: 2 × 360 × 100 / 3.000 = 24.
TEST_F(RatesTest, FindRateAppliesTheRateOnYes) {
    setExample();
    calc.inputs().targetTotalInterest = "2";
    calc.inputs().annualRate = "30";
    calc.inputs().monthlyRate = "2,5";
    calc.setRateDirection(core::RateDirection::AnnualDrives);
    dialogs.queueAnswer(core::DialogButton::Yes);
    EXPECT_EQ(core::FindRate(calc), 24.0);

    ASSERT_EQ(dialogs.questions().size(), 1u);
    const core::Question& question = dialogs.questions().front();
    EXPECT_TRUE(question.text.startsWith("Yıllık Faiz Oranı 24 olarak bulunmuştur."));
    EXPECT_TRUE(question.text.endsWith("\nTablo kayıtlarına aktarılmasını istermisiniz?"));
    EXPECT_EQ(question.caption, core::kProgramCaption);
    EXPECT_EQ(question.buttons, int(core::DialogButton::Yes) | int(core::DialogButton::No) |
                                    int(core::DialogButton::Cancel));
    EXPECT_EQ(question.icon, core::DialogIcon::Question);
    EXPECT_EQ(annual(), "24");
    EXPECT_EQ(monthly(), "2");
    EXPECT_EQ(cell(Rate, 1), "24");
    EXPECT_EQ(cell(Rate, 2), "24");
    EXPECT_EQ(calc.totals().totalInterest, "2,00");
}

TEST_F(RatesTest, FindRateChangesNothingOnNo) {
    setExample();
    calc.inputs().targetTotalInterest = "2";
    calc.inputs().annualRate = "30";
    calc.inputs().monthlyRate = "2,5";
    dialogs.queueAnswer(core::DialogButton::No);
    EXPECT_EQ(core::FindRate(calc), 24.0);
    EXPECT_EQ(annual(), "30");
    EXPECT_EQ(monthly(), "2,5");
    EXPECT_EQ(cell(Rate, 2), "18");
    EXPECT_EQ(calc.totals().totalInterest, "1,50");
}

// 1 × 10 × 100 / 3.000 is a third of a percent.
TEST_F(RatesTest, FindRateRoundsToFiveDecimals) {
    setExample();
    calc.inputs().targetTotalInterest = "1";
    calc.inputs().daysInYear = "10";
    dialogs.queueAnswer(core::DialogButton::Yes);
    EXPECT_EQ(core::FindRate(calc), 0.33333);
    EXPECT_TRUE(dialogs.questions().front().text.startsWith("Yıllık Faiz Oranı 0,33333 olarak"));
    EXPECT_EQ(annual(), "0,33333");
    EXPECT_EQ(cell(Rate, 1), "0,33333");
}

TEST(RoundRateTest, HalfwayGoesToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {
        {1.0 / 3, 0.33333},  {2.0 / 3, 0.66667},    {2.5e-5, 0.00002},   {1.5e-5, 0.00002},
        {0.123455, 0.12346}, {12.000015, 12.00002}, {1.000025, 1.00002}, {24, 24},
    };
    for (const auto& [value, rounded] : cases) {
        EXPECT_DOUBLE_EQ(core::RoundRateToFiveDecimals(value), rounded) << value;
    }
}

// Without a total interest, days in the year or an interest number there is nothing to find.
TEST_F(RatesTest, FindRateNeedsAllThreeValues) {
    const char* message = "Faiz tutarı, yıldaki gün ve tabloya hareket girilmelidir!";
    struct Case {
        const char* what;
        const char* total;
        const char* yearDays;
        bool movements;
    };
    const Case cases[] = {
        {"no total interest", "", "360", true},
        {"no days in the year", "2", "0", false},
        {"no interest number", "2", "360", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.clear();
        calc.inputs().targetTotalInterest = c.total;
        calc.inputs().daysInYear = c.yearDays;
        if (c.movements) {
            setExample();
        } else {
            setRows({{{TransactionDate, "01.03.2019"}}, {{ValueDate, "31.03.2019"}}});
        }
        EXPECT_EQ(core::FindRate(calc), std::nullopt);
        EXPECT_EQ(dialogs.texts(), QStringList{QString::fromUtf8(message)});
        EXPECT_TRUE(dialogs.questions().empty());
    }
}

TEST_F(RatesTest, FindRateEndsWithAStopOfTheRecalculation) {
    setRows({{{TransactionDate, "01.03.2019"}, {Drawn, "100"}}, {{ValueDate, "31.03.3019"}}});
    calc.inputs().targetTotalInterest = "2";
    EXPECT_THROW(core::FindRate(calc), core::SilentStop);
    EXPECT_TRUE(dialogs.questions().empty());
}

}  // namespace
