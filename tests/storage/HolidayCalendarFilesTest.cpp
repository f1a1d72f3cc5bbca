#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestFiles.h"
#include "commands/StartingState.h"
#include "core/Calculation.h"
#include "core/DateText.h"
#include "core/RecordingDialogs.h"
#include "storage/OfficialCalendarFile.h"
#include "storage/Settings.h"

namespace {

using Kind = core::HolidayCalendar::Kind;
using testsupport::ReadFile;
using testsupport::WriteFile;

class HolidayCalendarFilesTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("Ayarlar.ini"));
    QString additions = dir.filePath(QStringLiteral("tatiller.txt"));
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};

    core::DayNumber moved(const char* date) {
        return calc.holidays().movePastHolidaysAndWeekend(
            core::ReadDateByPosition(QString::fromLatin1(date)));
    }
};

TEST_F(HolidayCalendarFilesTest, ChoiceIsReadFromItsKey) {
    const std::pair<QByteArray, Kind> cases[] = {
        {"", Kind::ProgramTable},
        {"[Vovirer]\r\nRyilgun=360\r\n", Kind::ProgramTable},
        {"[Vovirer]\r\nRtatiltakvimi=1\r\n", Kind::Official},
        {"[vovirer]\r\nRTATILTAKVIMI= 1 \r\n", Kind::Official},
        {"[Vovirer]\r\nRtatiltakvimi=2\r\n", Kind::ProgramTable},
        {"[Vovirer]\r\nRtatiltakvimi=evet\r\n", Kind::ProgramTable},
    };
    for (const auto& [file, kind] : cases) {
        WriteFile(ini, file);
        EXPECT_EQ(storage::ReadHolidayCalendarChoice(ini), kind) << file.constData();
    }
}

// A user who never chose keeps the file without the key; once chosen, the key follows.
TEST_F(HolidayCalendarFilesTest, SavingRatesWritesTheKeyOnlyOnceChosen) {
    storage::WriteMainSettings(calc.inputs(), ini);
    EXPECT_FALSE(ReadFile(ini).contains("Rtatiltakvimi"));
    storage::WriteMainSettings(calc.inputs(), ini, Kind::Official);
    EXPECT_TRUE(ReadFile(ini).contains("Rtatiltakvimi=1\r\n"));
    storage::WriteMainSettings(calc.inputs(), ini, Kind::ProgramTable);
    EXPECT_TRUE(ReadFile(ini).contains("Rtatiltakvimi=2\r\n"));
    EXPECT_EQ(storage::ReadHolidayCalendarChoice(ini), Kind::ProgramTable);
}

TEST_F(HolidayCalendarFilesTest, AdditionsBesideTheSettingsAreMergedIn) {
    EXPECT_EQ(storage::HolidayAdditionsFile(ini), additions);
    WriteFile(
        additions,
        "# 2027\n16.05.2027 Kurban Bayram\xC4\xB1 1. g\xC3\xBCn\n16.5.2027 yanl\xC4\xB1\xC5\x9F\n");
    WriteFile(ini, "[Vovirer]\r\nRtatiltakvimi=1\r\n");
    commands::EnterStartingState(calc, ini, QDate(2026, 12, 10));
    ASSERT_EQ(calc.holidays().kind(), Kind::Official);
    EXPECT_EQ(core::ShortDateText(moved("16.05.2027")), "17.05.2027");
    EXPECT_EQ(core::ShortDateText(moved("27.05.2026")), "01.06.2026");
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].contains(additions));
    EXPECT_TRUE(dialogs.texts()[0].contains("3. satır"));
    EXPECT_EQ(calc.holidays().official()->additionsFile(), additions);
}

TEST_F(HolidayCalendarFilesTest, AdditionsInWindows1254AreReadToo) {
    WriteFile(additions, "16.05.2027 Kurban Bayram\xFD 1. g\xFCn\r\n");
    const storage::OfficialCalendar loaded = storage::LoadOfficialCalendar(additions);
    EXPECT_EQ(loaded.message, QString());
    EXPECT_EQ(loaded.calendar.official()->holidayName(core::DaysFromCivil(2027, 5, 16)),
              "Kurban Bayramı 1. gün");
}

TEST_F(HolidayCalendarFilesTest, AnAdditionsFileThatCannotBeUsedIsNamed) {
    EXPECT_EQ(storage::LoadOfficialCalendar(additions).message, QString());  // none: nothing to say

    WriteFile(additions, QByteArray(300 * 1024, '#'));
    const storage::OfficialCalendar tooLarge = storage::LoadOfficialCalendar(additions);
    EXPECT_TRUE(tooLarge.message.contains(additions));
    EXPECT_TRUE(tooLarge.calendar.official()->announced(2026));  // the shipped list stays

    QDir(dir.path()).remove(QStringLiteral("tatiller.txt"));
    QDir(dir.path()).mkdir(QStringLiteral("tatiller.txt"));
    EXPECT_TRUE(storage::LoadOfficialCalendar(additions).message.contains(additions));
}

// Settings written before the choice existed: the program's own table, as always.
TEST_F(HolidayCalendarFilesTest, OldSettingsKeepTheProgramsTable) {
    WriteFile(ini, "[Vovirer]\r\nRyilgun=360\r\nRalacakCheck=1\r\n");
    calc.setHolidays(core::HolidayCalendar::ShippedOfficial());
    commands::EnterStartingState(calc, ini, QDate(2026, 12, 10));
    EXPECT_EQ(calc.holidays().kind(), Kind::ProgramTable);
    EXPECT_EQ(core::ShortDateText(moved("27.05.2026")), "27.05.2026");
}

}  // namespace
