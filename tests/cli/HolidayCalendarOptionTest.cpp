#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include "tests/cli/VovirerFixture.h"

namespace {

using clitest::Result;

// Ticked holiday move; a drawing, repayments on Kurban Bayramı 2026 and in 2027 (no dates
// announced), a closing row.
const QByteArray kBayramFile =
    "360,24,,5,,,,Bayram,H,E,10.12.2026\r\n"
    ",\"\xDD\xFElem Tarihi\",\"Val\xF6r Tarihi\",A\xE7\xFDklama,\"Dorud Tutar\xFD\",\"Dorud "
    "\xD6"
    "deme\",\"Faiz \xD6"
    "deme\",\"Y\xFDll\xFDk Faiz\",G\xFCn,\"D\xF6nem Faizi\",\"Dorud Bakiye\",\"Faiz "
    "Bakiye\",\"D\xF6nem BSMV\",Adat,Index\r\n"
    "1,04.05.2026,04.05.2026,,1000,,,,,,,,,,\r\n"
    "2,27.05.2026,,,,100,,,,,,,,,\r\n"
    "3,01.01.2027,,,,100,,,,,,,,,\r\n"
    "4,20.05.2027,,,,100,,,,,,,,,\r\n"
    "5,01.06.2027,,,,,,,,,,,,,\r\n";

class HolidayCalendarOptionTest : public clitest::VovirerFixture {
  protected:
    HolidayCalendarOptionTest() { write(QStringLiteral("bayram.fdr"), kBayramFile); }

    // recalc --json with the settings file given and the extra arguments.
    QJsonObject recalc(const QByteArray& settings, const QStringList& extra = {}) {
        const QString ini = write(QStringLiteral("Ayarlar.ini"), settings);
        const Result r =
            run(QStringList{QStringLiteral("recalc"), QStringLiteral("bayram.fdr"),
                            QStringLiteral("--json"), QStringLiteral("--settings"), ini} +
                extra);
        EXPECT_EQ(r.status, 0) << r.err.constData();
        return r.json();
    }
    static QString valueDate(const QJsonObject& json, int row) {
        return json[QStringLiteral("rows")].toArray().at(row - 1).toArray().at(2).toString();
    }
};

TEST_F(HolidayCalendarOptionTest, OfficialCalendarFromTheOptionOrTheSettings) {
    for (const auto& [settings, extra] :
         {std::pair<QByteArray, QStringList>{"", {"--calendar", "official"}},
          {"[Vovirer]\r\nRtatiltakvimi=1\r\n", {}}}) {
        const QJsonObject json = recalc(settings, extra);
        EXPECT_EQ(json[QStringLiteral("calendar")].toString(), "official");
        EXPECT_EQ(valueDate(json, 2), "01.06.2026");
        EXPECT_EQ(valueDate(json, 3), "04.01.2027");
        EXPECT_EQ(valueDate(json, 4), "20.05.2027");
        const QJsonArray messages = json[QStringLiteral("messages")].toArray();
        ASSERT_EQ(messages.size(), 1);  // 2027 is missing; told once for both rows
        EXPECT_TRUE(messages.at(0).toString().contains(QStringLiteral("2027 yılının")));
        EXPECT_TRUE(messages.at(0).toString().contains(path(QStringLiteral("tatiller.txt"))));
    }
}

// The program's table: as before, and the JSON names the calendar only when asked for it.
TEST_F(HolidayCalendarOptionTest, ProgramTableAsBefore) {
    const QJsonObject plain = recalc("");
    EXPECT_FALSE(plain.contains(QStringLiteral("calendar")));
    EXPECT_EQ(valueDate(plain, 2), "27.05.2026");

    const QJsonObject chosen =
        recalc("[Vovirer]\r\nRtatiltakvimi=1\r\n", {"--calendar", "program"});
    EXPECT_EQ(chosen[QStringLiteral("calendar")].toString(), "program");
    EXPECT_EQ(valueDate(chosen, 2), "27.05.2026");
    EXPECT_TRUE(chosen[QStringLiteral("messages")].toArray().isEmpty());
}

TEST_F(HolidayCalendarOptionTest, UnknownCalendarIsAUsageError) {
    const Result r = run({"recalc", "bayram.fdr", "--calendar", "resmi"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("--calendar takes official or program, not resmi"));
}

// The report says in its title which calendar moved the value dates, only when official.
TEST_F(HolidayCalendarOptionTest, ReportTitleNamesTheOfficialCalendar) {
    const QString ini = write(QStringLiteral("Ayarlar.ini"), "");
    const Result official =
        run({"report", "bayram.fdr", "--json", "--settings", ini, "--calendar", "official"});
    EXPECT_EQ(official.status, 0);
    EXPECT_EQ(official.json()[QStringLiteral("memo9")].toString(),
              "BSMV : 5    Tatil Takvimi : Resmî tatiller (valör ilk iş gününe)");
    EXPECT_EQ(official.json()[QStringLiteral("calendar")].toString(), "official");

    const Result program = run({"report", "bayram.fdr", "--json"});
    EXPECT_EQ(program.json()[QStringLiteral("memo9")].toString(), "BSMV : 5");
    EXPECT_FALSE(program.json().contains(QStringLiteral("calendar")));
}

}  // namespace
