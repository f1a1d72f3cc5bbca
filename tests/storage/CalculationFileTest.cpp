#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestFiles.h"
#include "commands/CalculationFileCommands.h"
#include "core/Calculation.h"
#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "files/Cp1254.h"
#include "storage/CalculationFile.h"
#include "storage/CommaText.h"

using namespace files;
using namespace storage;
using namespace commands;
using core::col::Number;
using testsupport::ReadFile;
using testsupport::WriteFile;

QByteArray testfiles::cp1254Lines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += *EncodeCp1254(line);
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

const QString kCaptionLine = WriteCommaText(core::TransactionTable::captions());

class CalculationFileTest : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    void fillWorkedExample(core::Calculation& c) {
        auto& in = c.inputs();
        in.daysInYear = QStringLiteral("360");
        in.annualRate = QStringLiteral("24");
        in.bsmvRate = QStringLiteral("5");
        in.creditLineName = QStringLiteral("Örnek Dorud");
        in.calculationDate = QDate(2019, 4, 1);
        auto& t = c.table();
        t.setRowCount(3);
        t.renumber();
        t.setCell(1, 1, QStringLiteral("01.03.2019"));
        t.setCell(2, 1, QStringLiteral("01.03.2019"));
        t.setCell(4, 1, QStringLiteral("100"));
        t.setCell(2, 2, QStringLiteral("31.03.2019"));
    }

    QTemporaryDir dir;
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};
};

TEST_F(CalculationFileTest, WritesTheHeaderCaptionsAndRowsInWindows1254WithCrLf) {
    auto& in = calc.inputs();
    in.daysInYear = QStringLiteral("365");
    in.annualRate = QStringLiteral("24,5");
    in.monthlyRate = QStringLiteral("2,04166666666667");
    in.bsmvRate = QStringLiteral("5");
    in.vergi2Rate = QString();
    in.drawingExtraDays = QStringLiteral("3");
    in.repaymentExtraDays = QStringLiteral("2");
    in.creditLineName = QStringLiteral("Ağaç, \"Şube\"");
    in.moveDrawingsPastHolidays = true;
    in.moveRepaymentsPastHolidays = false;
    in.calculationDate = QDate(2019, 3, 5);
    calc.table().setCell(1, 1, QStringLiteral("01.03.2019"));
    calc.table().setCell(3, 1, QStringLiteral("İlk çekiş"));
    calc.table().setCell(4, 1, QStringLiteral("1.000,00"));
    calc.table().setCell(14, 1, QStringLiteral("20190301"));

    const QString target = path(QStringLiteral("a.fdr"));
    ASSERT_TRUE(SaveToFile(calc, target));
    EXPECT_TRUE(dialogs.texts().isEmpty());

    QByteArray expected;
    expected += "365,\"24,5\",\"2,04166666666667\",5,,3,2,";
    expected +=
        "\"A"
        "\xF0"
        "a"
        "\xE7"
        ", \"\""
        "\xDE"
        "ube\"\"\",E,H,05.03.2019\r\n";
    expected += *EncodeCp1254(kCaptionLine) + "\r\n";
    expected +=
        "1,01.03.2019,,\""
        "\xDD"
        "lk "
        "\xE7"
        "eki"
        "\xFE"
        "\",\"1.000,00\",,,,,,,,,,20190301\r\n";
    EXPECT_EQ(ReadFile(target), expected);
}

TEST_F(CalculationFileTest, ASavedFileHasHeaderCaptionsAndEqualTableLines) {
    const QStringList lines = CalculationFileLines(calc);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(ReadCommaText(lines[0]).size(), 11);
    EXPECT_EQ(lines[1], kCaptionLine);
    EXPECT_TRUE(lines[1].startsWith(QLatin1Char(',')));
    EXPECT_EQ(lines[2], QStringLiteral("1,,,,,,,,,,,,,,"));
    EXPECT_EQ(ReadCommaText(lines[2]).size(), 15);
}

TEST_F(CalculationFileTest, RoundTripKeepsEveryFieldAndCellExactly) {
    auto& in = calc.inputs();
    in.daysInYear = QStringLiteral("360");
    in.annualRate = QStringLiteral("24");
    in.monthlyRate = QStringLiteral("2");
    in.bsmvRate = QStringLiteral("1.234,5");
    in.vergi2Rate = QStringLiteral("0,5");
    in.drawingExtraDays = QStringLiteral("7");
    in.repaymentExtraDays = QStringLiteral("1");
    in.creditLineName = QStringLiteral("  Şirket, \"Gıda\" A.Ş.  ");
    in.moveDrawingsPastHolidays = true;
    in.moveRepaymentsPastHolidays = true;
    in.calculationDate = QDate(2020, 2, 29);
    auto& t = calc.table();
    t.setRowCount(5);
    t.renumber();
    const QStringList texts = {QString(),
                               QStringLiteral(" "),
                               QStringLiteral("a,b"),
                               QStringLiteral("\"q\""),
                               QStringLiteral("ığüşöçİĞÜŞÖÇ€"),
                               QStringLiteral("tab\there"),
                               QStringLiteral("-1.234,56"),
                               QStringLiteral("x\"")};
    int k = 0;
    for (int r = 1; r < t.rowCount(); ++r) {
        for (int c = 1; c < 15; ++c) t.setCell(c, r, texts[k++ % texts.size()]);
    }
    const core::TransactionTable::Row row4 = t.row(4);
    t.setCell(3, 3, QString());  // empty cells anywhere

    const QString first = path(QStringLiteral("r.fdr"));
    ASSERT_TRUE(SaveToFile(calc, first));

    core::RecordingDialogs dialogs2;
    core::Calculation other(dialogs2);
    ASSERT_EQ(LoadCalculationFile(other, first), LoadFault::None);
    EXPECT_EQ(other.inputs(), calc.inputs());
    ASSERT_EQ(other.table().rowCount(), calc.table().rowCount());
    for (int r = 0; r < t.rowCount(); ++r) EXPECT_EQ(other.table().row(r), t.row(r)) << r;
    EXPECT_EQ(other.table().row(4), row4);

    const QString second = path(QStringLiteral("r2.fdr"));
    ASSERT_TRUE(SaveToFile(other, second));
    EXPECT_EQ(ReadFile(second), ReadFile(first));
}

TEST_F(CalculationFileTest, OpenedAndSavedAgainComesBackByteForByte) {
    fillWorkedExample(calc);
    core::RecalculateAll(calc);
    const QString first = path(QStringLiteral("w.fdr"));
    ASSERT_TRUE(SaveToFile(calc, first));

    core::RecordingDialogs dialogs2;
    core::Calculation other(dialogs2);
    ASSERT_EQ(OpenCommand(other, first), OpenOutcome::Opened);
    EXPECT_TRUE(dialogs2.texts().isEmpty());
    const QString second = path(QStringLiteral("w2.fdr"));
    ASSERT_TRUE(SaveToFile(other, second));
    EXPECT_EQ(ReadFile(second), ReadFile(first));
}

TEST_F(CalculationFileTest, OpenRecalculatesTheWorkedExample) {
    fillWorkedExample(calc);
    const QString file = path(QStringLiteral("w.fdr"));
    ASSERT_TRUE(SaveToFile(calc, file));

    core::RecordingDialogs dialogs2;
    core::Calculation other(dialogs2);
    other.inputs().companyName = QStringLiteral("Firma A.Ş.");
    ASSERT_EQ(OpenCommand(other, file), OpenOutcome::Opened);
    const auto& t = other.table();
    ASSERT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.cell(4, 1), QStringLiteral("100,00"));
    EXPECT_EQ(t.cell(10, 1), QStringLiteral("100,00"));
    EXPECT_EQ(t.cell(8, 2), QStringLiteral("30"));
    EXPECT_EQ(t.cell(13, 2), QStringLiteral("3.000,00"));
    EXPECT_EQ(t.cell(9, 2), QStringLiteral("2,00"));
    EXPECT_EQ(t.cell(12, 2), QStringLiteral("0,10"));
    EXPECT_EQ(t.cell(11, 2), QStringLiteral("2,10"));
    EXPECT_EQ(other.totals().totalInterest, QStringLiteral("2,00"));
    EXPECT_EQ(other.totals().totalInterestNumber, QStringLiteral("3.000,00"));
    EXPECT_EQ(other.inputs().creditLineName, QStringLiteral("Örnek Dorud"));
    EXPECT_EQ(other.inputs().calculationDate, QDate(2019, 4, 1));
    EXPECT_EQ(other.inputs().companyName, QStringLiteral("Firma A.Ş."));  // not in the file
}

TEST_F(CalculationFileTest, HiddenDrawingOptionsAreAlwaysOffAfterOpening) {
    calc.inputs().drawingExtraDays = QStringLiteral("5");
    calc.inputs().moveDrawingsPastHolidays = true;
    calc.inputs().daysInYear = QStringLiteral("360");
    const QString file = path(QStringLiteral("h.fdr"));
    ASSERT_TRUE(SaveToFile(calc, file));
    const QStringList lines = LinesFromFileBytes(ReadFile(file));
    EXPECT_EQ(ReadCommaText(lines[0]).at(5), QStringLiteral("5"));
    EXPECT_EQ(ReadCommaText(lines[0]).at(8), QStringLiteral("E"));

    core::RecordingDialogs dialogs2;
    core::Calculation other(dialogs2);
    ASSERT_EQ(LoadCalculationFile(other, file), LoadFault::None);
    EXPECT_EQ(other.inputs().drawingExtraDays, QStringLiteral("5"));  // loading applies them
    EXPECT_TRUE(other.inputs().moveDrawingsPastHolidays);
    ASSERT_EQ(OpenCommand(other, file), OpenOutcome::Opened);  // the command clears them
    EXPECT_EQ(other.inputs().drawingExtraDays, QString());
    EXPECT_FALSE(other.inputs().moveDrawingsPastHolidays);
}

TEST_F(CalculationFileTest, AFileWithMoreRowsThanTheTableGivesExactlyItsRows) {
    const QString file = path(QStringLiteral("many.fdr"));
    QStringList lines = {QStringLiteral("360,24,,,,,,Uzun,H,H,01.01.2019"), kCaptionLine};
    for (int r = 1; r <= 40; ++r) {
        lines.push_back(QStringLiteral("%1,,,\"satır %1\",,,,,,,,,,,").arg(r));
    }
    WriteFile(file, testfiles::cp1254Lines(lines));
    ASSERT_EQ(OpenCommand(calc, file), OpenOutcome::Opened);
    ASSERT_EQ(calc.table().rowCount(), 41);
    for (int r = 1; r <= 40; ++r) {
        EXPECT_EQ(calc.table().cell(Number, r), QString::number(r));
        EXPECT_EQ(calc.table().cell(3, r), QStringLiteral("satır %1").arg(r));
    }
    EXPECT_EQ(calc.table().currentRow(), 40);  // recalculate all ends on the last row
}

TEST_F(CalculationFileTest, LoadingReplacesAllRowsAndShortLinesLeaveTheirRestEmpty) {
    auto& t = calc.table();
    t.setRowCount(6);
    for (int r = 1; r < 6; ++r) {
        for (int c = 0; c < 15; ++c) t.setCell(c, r, QStringLiteral("old"));
    }
    const QStringList lines = {QStringLiteral("360,24,,,,,,,H,H,01.01.2019"), kCaptionLine,
                               QStringLiteral("1,01.02.2019"), QString(),
                               QStringLiteral("3,,,x,,,,,,,,,,,")};
    EXPECT_EQ(ApplyCalculationFileLines(calc, lines), LoadFault::None);
    ASSERT_EQ(t.rowCount(), 4);
    EXPECT_EQ(t.columnCount(), 15);
    EXPECT_EQ(t.cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(t.cell(1, 1), QStringLiteral("01.02.2019"));
    for (int c = 2; c < 15; ++c) EXPECT_EQ(t.cell(c, 1), QString()) << c;
    for (int c = 0; c < 15; ++c) EXPECT_EQ(t.cell(c, 2), QString()) << c;  // an empty line
    EXPECT_EQ(t.cell(3, 3), QStringLiteral("x"));
    EXPECT_EQ(t.row(0), calc.table().row(0));
    EXPECT_EQ(t.cell(1, 0), QStringLiteral("İşlem Tarihi"));  // line 1 is skipped
}

TEST_F(CalculationFileTest, CaptionLineOfTheFileIsSkipped) {
    const QStringList lines = {QStringLiteral("360,24,,,,,,,H,H,01.01.2019"),
                               QStringLiteral("x,y,z"), QStringLiteral("1")};
    EXPECT_EQ(ApplyCalculationFileLines(calc, lines), LoadFault::None);
    EXPECT_EQ(calc.table().row(0), core::TransactionTable().row(0));
}

TEST_F(CalculationFileTest, ReadsLfOnlyFilesAndAMissingFinalLineBreak) {
    const QString file = path(QStringLiteral("lf.fdr"));
    WriteFile(file, "360,24,,,,,,LF,H,E,02.01.2019\n" + EncodeCp1254(kCaptionLine).value() +
                        "\n1,01.01.2019,,,5,,,,,,,,,,");
    ASSERT_EQ(LoadCalculationFile(calc, file), LoadFault::None);
    EXPECT_EQ(calc.inputs().creditLineName, QStringLiteral("LF"));
    EXPECT_TRUE(calc.inputs().moveRepaymentsPastHolidays);
    EXPECT_EQ(calc.table().rowCount(), 2);
    EXPECT_EQ(calc.table().cell(4, 1), QStringLiteral("5"));
}

TEST_F(CalculationFileTest, HeaderStepsInTheirOrder) {
    calc.inputs().moveDrawingsPastHolidays = true;
    calc.inputs().moveRepaymentsPastHolidays = true;
    const QStringList lines = {QStringLiteral("1,2,3,4,5,6,7,8,X,H,31/12-2018"), kCaptionLine,
                               QStringLiteral("1")};
    EXPECT_EQ(ApplyCalculationFileLines(calc, lines), LoadFault::None);
    const auto& in = calc.inputs();
    EXPECT_EQ(in.daysInYear, QStringLiteral("1"));
    EXPECT_EQ(in.annualRate, QStringLiteral("2"));
    EXPECT_EQ(in.monthlyRate, QStringLiteral("3"));
    EXPECT_EQ(in.bsmvRate, QStringLiteral("4"));
    EXPECT_EQ(in.vergi2Rate, QStringLiteral("5"));
    EXPECT_EQ(in.drawingExtraDays, QStringLiteral("6"));
    EXPECT_EQ(in.repaymentExtraDays, QStringLiteral("7"));
    EXPECT_EQ(in.creditLineName, QStringLiteral("8"));
    EXPECT_TRUE(in.moveDrawingsPastHolidays);            // "X" leaves it as it was
    EXPECT_FALSE(in.moveRepaymentsPastHolidays);         // "H" unticks
    EXPECT_EQ(in.calculationDate, QDate(2018, 12, 31));  // separators are not examined
}

TEST_F(CalculationFileTest, TheRateDirectionInForceDecidesTheRateFields) {
    const QStringList lines = {QStringLiteral("360,24,3,,,,,,H,H,01.01.2019"), kCaptionLine,
                               QStringLiteral("1")};
    calc.setRateDirection(core::RateDirection::None);
    ASSERT_EQ(ApplyCalculationFileLines(calc, lines), LoadFault::None);
    EXPECT_EQ(calc.inputs().annualRate, QStringLiteral("24"));
    EXPECT_EQ(calc.inputs().monthlyRate, QStringLiteral("3"));

    calc.setRateDirection(core::RateDirection::MonthlyDrives);
    ASSERT_EQ(ApplyCalculationFileLines(calc, lines), LoadFault::None);
    EXPECT_EQ(calc.inputs().annualRate, QStringLiteral("36"));  // the monthly field drove
    EXPECT_EQ(calc.inputs().monthlyRate, QStringLiteral("3"));

    calc.setRateDirection(core::RateDirection::AnnualDrives);
    ASSERT_EQ(ApplyCalculationFileLines(calc, lines), LoadFault::None);
    EXPECT_EQ(calc.inputs().annualRate, QStringLiteral("24"));
    EXPECT_EQ(calc.inputs().monthlyRate, QStringLiteral("3"));  // set after the annual one
}

// Opening a file gives what a freshly started window gives, whichever rate field the user
// left last: a file whose annual and monthly rates disagree keeps both, and the figures follow.
TEST_F(CalculationFileTest, OpeningDoesNotDependOnTheRateFieldLeftLast) {
    const QString file = path(QStringLiteral("oranlar.fdr"));
    WriteFile(file, testfiles::cp1254Lines(
                        {QStringLiteral("365,\"36,5\",\"1,5\",,,,,Oranlar,H,H,01.06.2019"),
                         kCaptionLine, QStringLiteral("1,01.01.2019,01.01.2019,,1000000"),
                         QStringLiteral("2,,01.06.2019")}));
    core::RecordingDialogs freshDialogs;
    core::Calculation fresh(freshDialogs);
    ASSERT_EQ(OpenCommand(fresh, file), OpenOutcome::Opened);
    for (const core::RateDirection direction :
         {core::RateDirection::AnnualDrives, core::RateDirection::MonthlyDrives}) {
        core::RecordingDialogs dialogs2;
        core::Calculation other(dialogs2);
        other.setRateDirection(direction);
        ASSERT_EQ(OpenCommand(other, file), OpenOutcome::Opened);
        EXPECT_EQ(other.inputs().annualRate, fresh.inputs().annualRate);
        EXPECT_EQ(other.inputs().monthlyRate, fresh.inputs().monthlyRate);
        EXPECT_EQ(other.totals().totalInterest, fresh.totals().totalInterest);
        EXPECT_EQ(other.table().cell(core::col::CreditBalance, 2),
                  fresh.table().cell(core::col::CreditBalance, 2));
    }
}

// --- Refused files ------------------------------------------------------------------------

class RefusedFileTest : public CalculationFileTest {
  protected:
    void SetUp() override {
        auto& in = calc.inputs();
        in.daysInYear = QStringLiteral("365");
        in.annualRate = QStringLiteral("10");
        in.creditLineName = QStringLiteral("Önceki");
        in.calculationDate = QDate(2021, 6, 15);
        fillRows(4);
    }
    void fillRows(int rows) {
        auto& t = calc.table();
        t.setRowCount(rows + 1);
        t.renumber();
        for (int r = 1; r <= rows; ++r) t.setCell(3, r, QStringLiteral("eski"));
    }
    OpenOutcome open(const QByteArray& bytes) {
        file = path(QStringLiteral("bad.fdr"));
        WriteFile(file, bytes);
        return OpenCommand(calc, file, &fault);
    }
    void expectCannotReadMessage() {
        ASSERT_EQ(dialogs.notices().size(), 1u);
        EXPECT_EQ(dialogs.notices()[0].text, QStringLiteral("Dosya Okunamıyor:\n") + file);
        EXPECT_EQ(dialogs.notices()[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(dialogs.notices()[0].icon, core::DialogIcon::Error);
    }
    void expectEmptyTable() {
        ASSERT_EQ(calc.table().rowCount(), 2);
        EXPECT_EQ(calc.table().cell(0, 1), QStringLiteral("1"));
        EXPECT_EQ(calc.table().cell(3, 1), QString());
    }
    QString file;
    LoadFault fault = LoadFault::None;
};

TEST_F(RefusedFileTest, FewerThanThreeLines) {
    EXPECT_EQ(
        open("1,2,3,4,5,6,7,8,E,E,01.01.2019\r\n" + EncodeCp1254(kCaptionLine).value() + "\r\n"),
        OpenOutcome::Refused);
    EXPECT_EQ(fault, LoadFault::TooFewLines);
    expectCannotReadMessage();
    expectEmptyTable();
    EXPECT_EQ(calc.inputs().daysInYear, QStringLiteral("365"));  // nothing applied
    EXPECT_EQ(calc.inputs().creditLineName, QStringLiteral("Önceki"));
}

TEST_F(RefusedFileTest, EmptyFile) {
    EXPECT_EQ(open(QByteArray()), OpenOutcome::Refused);
    EXPECT_EQ(fault, LoadFault::TooFewLines);
    expectCannotReadMessage();
    expectEmptyTable();
}

TEST_F(RefusedFileTest, ShortHeaderAppliesTheItemsItHas) {
    EXPECT_EQ(open("360,24,2,5\r\n" + EncodeCp1254(kCaptionLine).value() + "\r\n1,01.01.2019\r\n"),
              OpenOutcome::Refused);
    EXPECT_EQ(fault, LoadFault::ShortHeader);
    expectCannotReadMessage();
    EXPECT_EQ(calc.inputs().daysInYear, QStringLiteral("360"));
    EXPECT_EQ(calc.inputs().annualRate, QStringLiteral("24"));
    EXPECT_EQ(calc.inputs().monthlyRate, QStringLiteral("2"));
    EXPECT_EQ(calc.inputs().bsmvRate, QStringLiteral("5"));
    EXPECT_EQ(calc.inputs().creditLineName, QStringLiteral("Önceki"));  // item 8 missing
    EXPECT_EQ(calc.inputs().calculationDate, QDate(2021, 6, 15));
    expectEmptyTable();
}

TEST_F(RefusedFileTest, HeaderOfTenItems) {
    EXPECT_EQ(open("360,24,2,5,,,,Yeni,E,E\r\n" + EncodeCp1254(kCaptionLine).value() + "\r\n1\r\n"),
              OpenOutcome::Refused);
    EXPECT_EQ(fault, LoadFault::ShortHeader);
    EXPECT_EQ(calc.inputs().creditLineName, QStringLiteral("Yeni"));
    EXPECT_TRUE(calc.inputs().moveRepaymentsPastHolidays);
    EXPECT_FALSE(
        calc.inputs().moveDrawingsPastHolidays);  // the open command clears it whatever happened
    EXPECT_EQ(calc.inputs().calculationDate, QDate(2021, 6, 15));
    expectEmptyTable();
}

TEST_F(RefusedFileTest, DateItemThatIsNotADate) {
    for (const char* date :
         {"31.02.2019", "ab.cd.efgh", "1.1.2019", "", "00.01.2019", "01.13.2019"}) {
        SetUp();
        dialogs.clear();
        EXPECT_EQ(open(QByteArray("360,24,2,5,,,,Yeni,H,E,") + date + "\r\n" +
                       EncodeCp1254(kCaptionLine).value() + "\r\n1,01.01.2019\r\n"),
                  OpenOutcome::Refused)
            << date;
        EXPECT_EQ(fault, LoadFault::BadDate) << date;
        expectCannotReadMessage();
        EXPECT_EQ(calc.inputs().creditLineName,
                  QStringLiteral("Yeni"));                      // the header line stays applied
        EXPECT_TRUE(calc.inputs().moveRepaymentsPastHolidays);  // and its options
        EXPECT_EQ(calc.inputs().calculationDate, QDate(2021, 6, 15));
        expectEmptyTable();
    }
}

TEST_F(RefusedFileTest, TableLineOfMoreThanFifteenItems) {
    const QByteArray head =
        "360,24,2,,,,,Yeni,H,H,01.01.2019\r\n" + EncodeCp1254(kCaptionLine).value() + "\r\n";
    EXPECT_EQ(
        open(head + "1,01.01.2019,,a,,,,,,,,,,,\r\n2,,,b,,,,,,,,,,,\r\n3,,,c,,,,,,,,,,,,\r\n4\r\n"),
        OpenOutcome::Refused);
    EXPECT_EQ(fault, LoadFault::LongTableLine);
    expectCannotReadMessage();
    ASSERT_EQ(calc.table().rowCount(), 3);  // the rows read before that line
    EXPECT_EQ(calc.table().cell(3, 1), QStringLiteral("a"));
    EXPECT_EQ(calc.table().cell(3, 2), QStringLiteral("b"));
    EXPECT_EQ(calc.inputs().calculationDate, QDate(2019, 1, 1));

    SetUp();
    dialogs.clear();
    EXPECT_EQ(open(head + "1,,,,,,,,,,,,,,,x\r\n"), OpenOutcome::Refused);
    EXPECT_EQ(fault, LoadFault::LongTableLine);
    expectEmptyTable();
}

// A rate that is no number is taken as it stands, as a freshly started window takes it,
// whichever rate field the user left last: the file is not refused for it.
TEST_F(RefusedFileTest, RateThatIsNoNumberOpensWhicheverFieldDrove) {
    for (const core::RateDirection direction :
         {core::RateDirection::None, core::RateDirection::AnnualDrives,
          core::RateDirection::MonthlyDrives}) {
        calc.setRateDirection(direction);
        EXPECT_EQ(open("360,abc,2,,,,,Yeni,H,H,01.01.2019\r\n" +
                       EncodeCp1254(kCaptionLine).value() + "\r\n1\r\n"),
                  OpenOutcome::Opened);
        EXPECT_EQ(fault, LoadFault::None);
        EXPECT_EQ(calc.inputs().annualRate, QStringLiteral("abc"));
        EXPECT_EQ(calc.inputs().monthlyRate, QStringLiteral("2"));
        EXPECT_EQ(calc.inputs().creditLineName, QStringLiteral("Yeni"));
    }
}

// A file of more rows than the program holds is refused before anything is applied; one of
// exactly that many rows opens. Empty rows, the cheapest, make the files small.
TEST_F(RefusedFileTest, MoreRowsThanTheProgramHolds) {
    const QByteArray header =
        "360,24,,5,,,,Uzun,H,H,01.04.2019\r\n" + EncodeCp1254(kCaptionLine).value() + "\r\n";
    QByteArray rows;
    rows.fill('\n', kMaxCalculationRows);
    EXPECT_EQ(open(header + rows + "\n"), OpenOutcome::Refused);
    EXPECT_EQ(fault, LoadFault::TooManyRows);
    expectCannotReadMessage();
    expectEmptyTable();
    EXPECT_EQ(calc.inputs().daysInYear, QStringLiteral("365"));

    WriteFile(file, header + rows);
    ASSERT_EQ(LoadCalculationFile(calc, file), LoadFault::None);
    EXPECT_EQ(calc.table().rowCount(), kMaxCalculationRows + 1);
    EXPECT_EQ(calc.inputs().creditLineName, QStringLiteral("Uzun"));
}

TEST_F(RefusedFileTest, UnreadableFileIsReportedToo) {
    file = path(QStringLiteral("nope.fdr"));
    EXPECT_EQ(LoadCalculationFile(calc, file), LoadFault::Unreadable);
}

// --- Open command: cancel and missing file ---------------------------------------------

TEST_F(CalculationFileTest, CancelledOpenKeepsTableAndTotals) {
    fillWorkedExample(calc);
    core::RecalculateAll(calc);
    const auto table = calc.table().row(2);
    const auto totals = calc.totals();
    const auto inputs = calc.inputs();
    EXPECT_EQ(OpenCommand(calc, std::nullopt), OpenOutcome::Cancelled);
    EXPECT_EQ(calc.table().rowCount(), 3);
    EXPECT_EQ(calc.table().row(2), table);
    EXPECT_EQ(calc.totals(), totals);
    EXPECT_EQ(calc.inputs(), inputs);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(CalculationFileTest, OpeningAFileThatDoesNotExistKeepsTheTable) {
    fillWorkedExample(calc);
    core::RecalculateAll(calc);
    const auto totals = calc.totals();
    EXPECT_EQ(OpenCommand(calc, path(QStringLiteral("yok.fdr"))), OpenOutcome::NotFound);
    EXPECT_EQ(OpenCommand(calc, dir.path()), OpenOutcome::NotFound);  // a folder is no file
    EXPECT_EQ(calc.table().rowCount(), 3);
    EXPECT_EQ(calc.table().cell(2, 2), QStringLiteral("31.03.2019"));
    EXPECT_EQ(calc.totals(), totals);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

// --- Save command ---------------------------------------------------------------------------

TEST(SaveTarget, SuffixRule) {
    EXPECT_EQ(SaveTarget(QStringLiteral("/d/Dorud")), QStringLiteral("/d/Dorud.fdr"));
    EXPECT_EQ(SaveTarget(QStringLiteral("/d/Dorud.fdr")), QStringLiteral("/d/Dorud.fdr"));
    EXPECT_EQ(SaveTarget(QStringLiteral("/d/Dorud.FDR")), QStringLiteral("/d/Dorud.FDR.fdr"));
    EXPECT_EQ(SaveTarget(QStringLiteral("/d/a.fdr.yedek")), QStringLiteral("/d/a.fdr.yedek"));
    EXPECT_EQ(SaveTarget(QStringLiteral("/x.fdrler/Dorud")), QStringLiteral("/x.fdrler/Dorud"));
}

TEST_F(CalculationFileTest, SaveCommandWritesTheSuffixedTarget) {
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {{"Dorud", "Dorud.fdr"},
                 {"Dorud.fdr", "Dorud.fdr"},
                 {"Dorud.FDR", "Dorud.FDR.fdr"},
                 {"a.fdr.yedek", "a.fdr.yedek"}};
    for (const auto& c : cases) {
        QTemporaryDir folder;
        const QString chosen = folder.filePath(QString::fromLatin1(c.chosen));
        EXPECT_EQ(SaveCommand(calc, chosen), SaveOutcome::Saved);
        EXPECT_EQ(testfiles::entries(folder.path()), QStringList{QString::fromLatin1(c.written)});
    }
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(SaveCommand(calc, std::nullopt), SaveOutcome::Cancelled);
}

TEST_F(CalculationFileTest, OverwriteAnsweredNoLeavesTheOldFile) {
    const QString target = path(QStringLiteral("Dorud.fdr"));
    WriteFile(target, "old content");
    dialogs.queueAnswer(core::DialogButton::No);
    EXPECT_EQ(SaveCommand(calc, path(QStringLiteral("Dorud"))), SaveOutcome::Declined);
    EXPECT_EQ(ReadFile(target), QByteArray("old content"));
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Dorud.fdr")});
    ASSERT_EQ(dialogs.questions().size(), 1u);
    const core::Question& q = dialogs.questions()[0];
    EXPECT_EQ(q.text, QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?"));
    EXPECT_EQ(q.caption, QStringLiteral("Confirm"));
    EXPECT_EQ(q.icon, core::DialogIcon::Question);
    EXPECT_EQ(q.buttons, int(core::DialogButton::Yes) | int(core::DialogButton::No));

    dialogs.queueAnswer(core::DialogButton::Cancel);
    EXPECT_EQ(SaveCommand(calc, path(QStringLiteral("Dorud"))), SaveOutcome::Declined);
    EXPECT_EQ(ReadFile(target), QByteArray("old content"));

    dialogs.queueAnswer(core::DialogButton::Yes);
    EXPECT_EQ(SaveCommand(calc, path(QStringLiteral("Dorud"))), SaveOutcome::Saved);
    EXPECT_EQ(ReadFile(target), testfiles::cp1254Lines(CalculationFileLines(calc)));
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Dorud.fdr")});
    EXPECT_EQ(dialogs.questions().size(), 3u);
}

TEST_F(CalculationFileTest, NoQuestionWhenTheTargetIsNew) {
    EXPECT_EQ(SaveCommand(calc, path(QStringLiteral("yeni"))), SaveOutcome::Saved);
    EXPECT_TRUE(dialogs.questions().empty());
}

TEST_F(CalculationFileTest, SaveFailureShowsTheErrorWithThePath) {
    const QString target = path(QStringLiteral("yok/klasor/Dorud.fdr"));
    EXPECT_EQ(SaveCommand(calc, target), SaveOutcome::Failed);
    ASSERT_EQ(dialogs.notices().size(), 1u);
    EXPECT_EQ(dialogs.notices()[0].text, QStringLiteral("Dosya Saklanamıyor:\n") + target);
    EXPECT_EQ(dialogs.notices()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.notices()[0].icon, core::DialogIcon::Error);
    EXPECT_FALSE(QFileInfo::exists(target));

    // A folder in the target's place cannot be replaced.
    dialogs.clear();
    const QString folder = path(QStringLiteral("klasor.fdr"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(SaveCommand(calc, folder), SaveOutcome::Failed);
    EXPECT_EQ(dialogs.notices().size(), 1u);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("klasor.fdr")});
}

TEST_F(CalculationFileTest, TextOutsideTheCodePageIsReportedAndNothingWritten) {
    const QString target = path(QStringLiteral("Dorud.fdr"));
    WriteFile(target, "old content");

    calc.inputs().creditLineName = QStringLiteral("Onay ✓");
    EXPECT_FALSE(SaveToFile(calc, target));
    ASSERT_EQ(dialogs.notices().size(), 1u);
    EXPECT_EQ(
        dialogs.notices()[0].text,
        QStringLiteral("Dosya Saklanamıyor:\n") + target +
            QStringLiteral(
                "\n\"Vovirer Adı\" alanı: \"✓\" karakteri dosyaya yazılamaz (Windows-1254)."));
    EXPECT_EQ(dialogs.notices()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(ReadFile(target), QByteArray("old content"));

    dialogs.clear();
    calc.inputs().creditLineName = QStringLiteral("Onay");
    calc.table().setRowCount(3);
    calc.table().setCell(3, 2, QStringLiteral("Ωmega"));
    EXPECT_FALSE(SaveToFile(calc, target));
    ASSERT_EQ(dialogs.notices().size(), 1u);
    EXPECT_TRUE(dialogs.notices()[0].text.endsWith(QStringLiteral(
        "\n2. satır, \"Açıklama\" sütunu: \"Ω\" karakteri dosyaya yazılamaz (Windows-1254).")))
        << dialogs.notices()[0].text.toStdString();
    EXPECT_EQ(ReadFile(target), QByteArray("old content"));

    dialogs.clear();
    calc.table().setCell(3, 2, QStringLiteral("iki\nsatır"));
    EXPECT_FALSE(SaveToFile(calc, target));
    ASSERT_EQ(dialogs.notices().size(), 1u);
    EXPECT_TRUE(dialogs.notices()[0].text.contains(QStringLiteral("U+000A")))
        << dialogs.notices()[0].text.toStdString();
    EXPECT_EQ(ReadFile(target), QByteArray("old content"));
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Dorud.fdr")});
}

TEST_F(CalculationFileTest, SuccessfulSaveLeavesNoTemporaryFileAndReplacesTheOld) {
    const QString target = path(QStringLiteral("Dorud.fdr"));
    WriteFile(target, QByteArray(100000, 'x'));
    ASSERT_TRUE(SaveToFile(calc, target));
    EXPECT_EQ(ReadFile(target), testfiles::cp1254Lines(CalculationFileLines(calc)));
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Dorud.fdr")});
}

}  // namespace

#include <sys/stat.h>

namespace {

unsigned modeOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_mode & 0777;
}

TEST(SafeSave, NewFilesGetTheUsualModeAndReplacedFilesKeepTheirs) {
    QTemporaryDir dir;
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const QString fresh = dir.filePath(QStringLiteral("yeni.fdr"));
    ASSERT_TRUE(SaveToFile(calc, fresh));
    EXPECT_EQ(modeOf(fresh), 0666u & ~unsigned(mask));

    const QString old = dir.filePath(QStringLiteral("eski.fdr"));
    WriteFile(old, "x");
    ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0640), 0);
    ASSERT_TRUE(SaveToFile(calc, old));
    EXPECT_EQ(modeOf(old), 0640u);
}

}  // namespace
