#include <gtest/gtest.h>

#include "core/DateText.h"
#include "core/DayNumber.h"
#include "core/Errors.h"
#include "core/HolidayCalendar.h"
#include "core/HolidayListText.h"
#include "core/ShippedHolidays.h"
#include "core/TableCommands.h"
#include "core/ValueDateMove.h"
#include "tests/core/CalculationFixture.h"

namespace {

using namespace core::col;
using coretest::CalculationTest;

core::DayNumber Day(const char* text) {
    return core::ReadDateByPosition(QString::fromLatin1(text));
}

const core::HolidayCalendar& Official() { return core::HolidayCalendar::ShippedOfficial(); }

struct MoveCase {
    const char* from;
    const char* to;
    const char* why;
};

// The shipped list, moved in one step to the next working day.
TEST(OfficialHolidaysTest, MovesToTheNextWorkingDayFromTheShippedList) {
    const MoveCase cases[] = {
        {"24.05.2020", "27.05.2020", "Ramazan Bayramı on a Sunday"},
        {"31.07.2020", "04.08.2020", "Kurban Bayramı across a weekend"},
        {"13.05.2021", "17.05.2021", "Ramazan Bayramı ending on a Saturday"},
        {"20.07.2021", "26.07.2021", "Kurban Bayramı ending on a Friday"},
        {"15.07.2021", "16.07.2021", "15 July on a Thursday"},
        {"01.05.2022", "05.05.2022", "1 May, then Ramazan Bayramı"},
        {"09.07.2022", "13.07.2022", "Kurban Bayramı from a Saturday"},
        {"15.07.2022", "18.07.2022", "15 July on a Friday, then the weekend"},
        {"21.04.2023", "24.04.2023", "Ramazan Bayramı, its last day also 23 April"},
        {"28.06.2023", "03.07.2023", "Kurban Bayramı ending on a Saturday"},
        {"29.04.2023", "02.05.2023", "a weekend, then 1 May"},
        {"10.04.2024", "15.04.2024", "Ramazan Bayramı, then the weekend"},
        {"15.06.2024", "20.06.2024", "a Saturday arife, then Kurban Bayramı"},
        {"18.05.2024", "20.05.2024", "Saturday, then 19 May on a Sunday"},
        {"29.03.2025", "02.04.2025", "a Saturday arife, then Ramazan Bayramı"},
        {"06.06.2025", "10.06.2025", "Kurban Bayramı from a Friday"},
        {"20.03.2026", "23.03.2026", "Ramazan Bayramı from a Friday"},
        {"27.05.2026", "01.06.2026", "Kurban Bayramı, its last day a Saturday"},
        {"30.05.2026", "01.06.2026", "the last bayram day, a Saturday"},
        {"15.07.2026", "16.07.2026", "15 July on a Wednesday"},
        {"04.06.2019", "07.06.2019", "Ramazan Bayramı as observed in 2019"},
        {"10.08.2019", "15.08.2019", "a Saturday arife, then all of Kurban Bayramı"},
        {"31.12.2022", "02.01.2023", "the last day of a year into the next"},
        {"29.10.2022", "31.10.2022", "29 October on a Saturday"},
        {"26.05.2026", "26.05.2026", "an arife is a working day"},
        {"28.10.2022", "28.10.2022", "28 October is a working day"},
        {"15.07.2016", "15.07.2016", "15 July only from 2017"},
        {"01.06.2026", "01.06.2026", "a working Monday"},
        {"01.01.2027", "04.01.2027", "a year not announced keeps its fixed holidays"},
        {"19.05.2027", "20.05.2027", "the same"},
    };
    for (const MoveCase& c : cases) {
        EXPECT_EQ(core::ShortDateText(Official().movePastHolidaysAndWeekend(Day(c.from))),
                  QString::fromLatin1(c.to))
            << c.from << ": " << c.why;
    }
}

TEST(OfficialHolidaysTest, ShippedListCoversTheAnnouncedYearsOnly) {
    const core::OfficialHolidays& list = *Official().official();
    for (int year = 2016; year <= 2026; ++year) EXPECT_TRUE(list.announced(year)) << year;
    EXPECT_FALSE(list.announced(2015));
    EXPECT_FALSE(list.announced(2027));
    EXPECT_EQ(list.holidayName(Day("23.04.2023")),
              "Ulusal Egemenlik ve Çocuk Bayramı, Ramazan Bayramı 3. gün");
    EXPECT_TRUE(
        core::ReadHolidayList(QString::fromUtf8(core::ShippedHolidayListText())).unread.empty());
}

// Hand-written lines: what reads, what is named and left out.
TEST(OfficialHolidaysTest, ReadsAListAndNamesTheLinesItLeavesOut) {
    const core::HolidayList list =
        core::ReadHolidayList(QChar(0xFEFF) + QStringLiteral("# yorum\r\n"
                                                             "\r\n"
                                                             "16.05.2027 Kurban Bayramı 1. gün\r\n"
                                                             "  02.01   Yeni yıl ertesi  \r\n"
                                                             "10.11 2030'dan Anma Günü\n"
                                                             "31.02.2027 Olmayan gün\n"
                                                             "1.06.2027 Tek haneli gün\n"
                                                             "17.05.2027\n"
                                                             "01.01.3000 Aralık dışı\n"
                                                             "tatil yok\n"));
    const core::OfficialHolidays& h = list.holidays;
    EXPECT_EQ(h.holidayName(Day("16.05.2027")), "Kurban Bayramı 1. gün");
    EXPECT_TRUE(h.announced(2027));
    EXPECT_EQ(h.holidayName(Day("02.01.2026")), "Yeni yıl ertesi");
    EXPECT_FALSE(h.isHoliday(Day("10.11.2029")));
    EXPECT_TRUE(h.isHoliday(Day("10.11.2030")));
    ASSERT_EQ(list.unread.size(), 5u);
    EXPECT_EQ(list.unread[0].number, 6);
    EXPECT_EQ(list.unread[0].text, "31.02.2027 Olmayan gün");
    EXPECT_EQ(list.unread[4].number, 10);

    const QString message =
        core::UnreadHolidayLinesMessage(QStringLiteral("/ev/tatiller.txt"), list.unread);
    EXPECT_TRUE(message.contains("/ev/tatiller.txt"));
    EXPECT_TRUE(message.contains("7. satır: \"1.06.2027 Tek haneli gün\""));
    EXPECT_TRUE(core::UnreadHolidayLinesMessage("x", {}).isEmpty());
}

// The user's additions join the shipped list: a new year becomes announced.
TEST(OfficialHolidaysTest, AdditionsAreMergedIn) {
    core::OfficialHolidays merged = *Official().official();
    merged.merge(core::ReadHolidayList(QStringLiteral("16.05.2027 Kurban Bayramı 1. gün\n"
                                                      "17.05.2027 Kurban Bayramı 2. gün\n"))
                     .holidays);
    EXPECT_TRUE(merged.announced(2027));
    EXPECT_EQ(core::ShortDateText(merged.nextWorkingDay(Day("15.05.2027"))), "18.05.2027");
    EXPECT_EQ(core::ShortDateText(merged.nextWorkingDay(Day("27.05.2026"))), "01.06.2026");
}

// A list that leaves no working day does not hang the calculation.
TEST(OfficialHolidaysTest, AListWithoutWorkingDaysFails) {
    core::OfficialHolidays everyDay;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= core::DaysInMonth(2000, month); ++day) {
            everyDay.addEveryYear(month, day, 1905, QStringLiteral("Tatil"));
        }
    }
    EXPECT_THROW(everyDay.nextWorkingDay(Day("01.01.2026")), core::CommandFailure);
}

class OfficialCalendarTest : public CalculationTest {
  protected:
    OfficialCalendarTest() {
        calc.setHolidays(Official());
        calc.inputs().moveRepaymentsPastHolidays = true;
    }
};

// One recalculation moves a repayment all the way, and more leave it there.
TEST_F(OfficialCalendarTest, OneRunMovesARepaymentToTheWorkingDay) {
    setRows({{{TransactionDate, "20.05.2026"}, {Drawn, "1.000"}},
             {{TransactionDate, "27.05.2026"}, {Repaid, "100"}},
             {{TransactionDate, "27.05.2026"}, {Drawn, "100"}},
             {{TransactionDate, "10.08.2019"}, {Repaid, "100"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 2), "01.06.2026");
    EXPECT_EQ(cell(Days, 2), "12");
    EXPECT_EQ(cell(ValueDate, 3), "27.05.2026");
    EXPECT_EQ(cell(ValueDate, 4), "15.08.2019");
    for (int run = 0; run < 3; ++run) core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 2), "01.06.2026");
    EXPECT_EQ(cell(ValueDate, 4), "15.08.2019");
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(OfficialCalendarTest, ExtraDaysThenTheMove) {
    calc.inputs().repaymentExtraDays = "2";
    setRows({{{TransactionDate, "25.05.2026"}, {Repaid, "100"}}});
    recalculateRow(1);
    EXPECT_EQ(cell(ValueDate, 1), "01.06.2026");
    EXPECT_EQ(core::ValueDateMoveReason(calc, 1), "Kurban Bayramı 1. gün → 01.06.2026");
}

// The tooltip's reason: the day the value date would have been, and only for a real move.
TEST_F(OfficialCalendarTest, NamesWhyAValueDateMoved) {
    setRows({{{TransactionDate, "29.05.2026"}, {Repaid, "100"}},
             {{TransactionDate, "25.07.2026"}, {Repaid, "100"}},
             {{TransactionDate, "02.06.2026"}, {Repaid, "100"}},
             {{TransactionDate, "27.05.2026"}, {Drawn, "100"}}});
    core::RecalculateAll(calc);
    EXPECT_EQ(core::ValueDateMoveReason(calc, 1), "Kurban Bayramı 3. gün → 01.06.2026");
    EXPECT_EQ(core::ValueDateMoveReason(calc, 2), "Cumartesi → 27.07.2026");
    EXPECT_EQ(core::ValueDateMoveReason(calc, 3), "");
    EXPECT_EQ(core::ValueDateMoveReason(calc, 4), "");

    calc.setHolidays(core::HolidayCalendar::Default());
    EXPECT_EQ(core::ValueDateMoveReason(calc, 1), "");
}

// A year without announced dates: moved past weekends and fixed holidays, and the user is
// told once which year is missing, however often the rows are recalculated.
TEST_F(OfficialCalendarTest, TellsOnceOfAYearNotAnnounced) {
    setRows({{{TransactionDate, "01.01.2027"}, {Repaid, "100"}},
             {{TransactionDate, "16.05.2027"}, {Repaid, "100"}},
             {{TransactionDate, "01.06.2028"}, {Drawn, "100"}}});
    core::RecalculateAll(calc);
    core::RecalculateAll(calc);
    EXPECT_EQ(cell(ValueDate, 1), "04.01.2027");
    EXPECT_EQ(cell(ValueDate, 2), "17.05.2027");
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].contains("2027 yılının"));
    EXPECT_TRUE(dialogs.texts()[0].contains("tatiller.txt"));

    // A new calendar, a new notice.
    calc.setHolidays(Official());
    core::RecalculateAll(calc);
    EXPECT_EQ(dialogs.texts().size(), 2);
}

}  // namespace
