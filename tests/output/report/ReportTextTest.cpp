#include <gtest/gtest.h>

#include <QDate>
#include <ostream>

#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "output/report/ReportText.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using report::ReportWidth;
namespace col = core::col;

QString spaces(int n) { return QString(n, QLatin1Char(' ')); }

// A data row from the cells that the report prints; the others stay empty.
struct PrintedCells {
    QString number, valueDate, description, drawn, repaid, interestPaid, rate, creditBalance,
        interestBalance;
};

core::TransactionTable::Row rowOf(const PrintedCells& c) {
    core::TransactionTable::Row row;
    row[col::Number] = c.number;
    row[col::TransactionDate] = QStringLiteral("never printed");
    row[col::ValueDate] = c.valueDate;
    row[col::Description] = c.description;
    row[col::Drawn] = c.drawn;
    row[col::Repaid] = c.repaid;
    row[col::InterestPaid] = c.interestPaid;
    row[col::Rate] = c.rate;
    row[col::Days] = QStringLiteral("31");
    row[col::PeriodInterest] = QStringLiteral("9,99");
    row[col::CreditBalance] = c.creditBalance;
    row[col::InterestBalance] = c.interestBalance;
    row[col::PeriodTax] = QStringLiteral("0,50");
    row[col::InterestNumber] = QStringLiteral("3.000,00");
    row[col::SortKey] = QStringLiteral("20190305");
    return row;
}

TEST(ReportText, ColumnHeaderLines) {
    const core::TransactionTable table;
    EXPECT_EQ(report::ReportTableLine(table.row(0), ReportWidth::Normal),
              spaces(3) + QStringLiteral("Valör Tarihi") + QStringLiteral(" Açıklama") +
                  spaces(16) +
                  QStringLiteral("  Dorud Tutarı   Dorud Ödeme Faiz Ödeme  Dorud Bakiye"));
    EXPECT_EQ(report::ReportTableLine(table.row(0), ReportWidth::Wide),
              spaces(3) + QStringLiteral("Valör Tarihi") + QStringLiteral(" Açıklama") +
                  spaces(16) +
                  QStringLiteral("     Dorud Tutarı      Dorud Ödeme    Faiz Ödeme   Yıllık Faiz"
                                 "     Dorud Bakiye      Faiz Bakiye"));
    EXPECT_EQ(report::ReportTableLine(table.row(0), ReportWidth::Normal).size(), 93);
    EXPECT_EQ(report::ReportTableLine(table.row(0), ReportWidth::Wide).size(), 136);
}

struct LineCase {
    const char* what;
    PrintedCells cells;
    QString normal;
    QString wide;
};

TEST(ReportText, TableLinesFillAndCutTheirFields) {
    const QString negative = QStringLiteral("-123.456.789,00");  // 15 characters
    const QString thirty = QStringLiteral("Şube ödemesi ve faiz tahsilatı");
    ASSERT_EQ(thirty.size(), 30);
    const LineCase cases[] = {
        {"a typical row",
         {"1", "05.03.2019", "Kredi", "1.000,00", "", "", "24", "1.000,00", "0,00"},
         QStringLiteral("1    05.03.2019 Kredi") + spaces(19) + QStringLiteral("      1.000,00") +
             spaces(25) + QStringLiteral("      1.000,00"),
         QStringLiteral("1    05.03.2019 Kredi") + spaces(19) +
             QStringLiteral("         1.000,00") + spaces(17 + 14) +
             QStringLiteral("            24         1.000,00             0,00")},
        {"the empty entry row holds only its number",
         {"7", "", "", "", "", "", "", "", ""},
         QStringLiteral("7") + spaces(92),
         QStringLiteral("7") + spaces(135)},
        {"a four-digit row number shifts its line by one",
         {"1000", "05.03.2019", "", "", "", "", "", "5,00", ""},
         QStringLiteral("1000  05.03.2019") + spaces(25 + 14 + 14 + 11) +
             QStringLiteral("          5,00"),
         QStringLiteral("1000  05.03.2019") + spaces(25 + 17 + 17 + 14 + 14) +
             QStringLiteral("             5,00") + spaces(17)},
        {"a 30-character description keeps its first 24",
         {"2", "", thirty, "", "", "", "", "", ""},
         QStringLiteral("2  ") + spaces(12) + QLatin1Char(' ') + thirty.left(24) + spaces(53),
         QStringLiteral("2  ") + spaces(12) + QLatin1Char(' ') + thirty.left(24) + spaces(96)},
        {"a 10-character description is followed by 14 spaces",
         {"3", "", QStringLiteral("Çığ ödeme!"), "", "", "", "", "", ""},
         QStringLiteral("3  ") + spaces(12) + QStringLiteral(" Çığ ödeme!") + spaces(14) +
             spaces(53),
         QStringLiteral("3  ") + spaces(12) + QStringLiteral(" Çığ ödeme!") + spaces(14) +
             spaces(96)},
        {"a 15-character amount is not filled in the normal layout, filled to 17 in the wide",
         {"4", "", "", negative, "2,00", "", "", "", ""},
         QStringLiteral("4  ") + spaces(37) + negative + QStringLiteral("          2,00") +
             spaces(25),
         QStringLiteral("4  ") + spaces(37) + QStringLiteral("  ") + negative +
             QStringLiteral("             2,00") + spaces(14 + 14 + 17 + 17)},
        {"a cell longer than its field is written whole",
         {"5", "12345678901234567890", "", "", "", "", "", "", ""},
         QStringLiteral("5  12345678901234567890") + spaces(25 + 14 + 14 + 11 + 14),
         QStringLiteral("5  12345678901234567890") + spaces(25 + 17 + 17 + 14 + 14 + 17 + 17)},
        {"figures that fill their fields stay one space apart",
         {"6", "", QStringLiteral("Yirmi dört karakterlik a"), QStringLiteral("12.345.678,901"),
          QStringLiteral("-999.999.999.999,99"), "", "", "", ""},
         QStringLiteral("6  ") + spaces(12) + QStringLiteral(" Yirmi dört karakterlik a ") +
             QStringLiteral("12.345.678,901 -999.999.999.999,99") + spaces(11 + 14),
         QStringLiteral("6  ") + spaces(12) + QStringLiteral(" Yirmi dört karakterlik a") +
             QStringLiteral("   12.345.678,901") + QStringLiteral(" -999.999.999.999,99") +
             spaces(14 + 14 + 17 + 17)},
    };
    for (const LineCase& c : cases) {
        const auto row = rowOf(c.cells);
        EXPECT_EQ(report::ReportTableLine(row, ReportWidth::Normal), c.normal) << c.what;
        EXPECT_EQ(report::ReportTableLine(row, ReportWidth::Wide), c.wide) << c.what;
    }
}

core::TableInputs sampleInputs() {
    core::TableInputs in;
    in.creditLineName = QStringLiteral("İşletme Dorudu");
    in.calculationDate = QDate(2024, 3, 15);
    in.daysInYear = QStringLiteral("365");
    in.annualRate = QStringLiteral("24");
    in.monthlyRate = QStringLiteral("2");
    in.bsmvRate = QStringLiteral("5");
    return in;
}

core::TableTotals sampleTotals() {
    core::TableTotals t;
    t.totalDrawn = QStringLiteral("1.000,00");
    t.totalRepaid = QStringLiteral("400,00");
    t.creditBalance = QStringLiteral("600,00");
    t.totalInterest = QStringLiteral("12,34");
    t.interestPaid = QStringLiteral("5,00");
    t.interestUnpaid = QStringLiteral("7,96");
    t.totalBsmv = QStringLiteral("0,62");
    return t;
}

TEST(ReportText, HeadingAndTitleLines) {
    const core::TransactionTable table;
    core::TableInputs in = sampleInputs();
    auto text = report::BuildReportText(table, in, {}, ReportWidth::Normal);
    EXPECT_EQ(text.heading,
              QStringLiteral("Durvex Vovirer Dorud Programı 2.0 Güncelleme:0 Rapor Dökümü"));
    EXPECT_EQ(text.creditLineLine, QStringLiteral("Vovirer Adı  : İşletme Dorudu"));
    EXPECT_EQ(text.dateLine, QStringLiteral("İşlem Tarihi : 15.03.2024"));
    EXPECT_EQ(text.ratesLine, QStringLiteral("Yıldaki Gün: 365  Yıllık Faiz: 24  Aylık Faiz: 2"));
    EXPECT_EQ(text.taxLine, QStringLiteral("BSMV : 5"));

    in.companyName = QStringLiteral("Örnek Tekstil A.Ş.");
    core::Separators slash;
    slash.date = QLatin1Char('/');
    text = report::BuildReportText(table, in, {}, ReportWidth::Wide, slash);
    EXPECT_EQ(text.heading, QStringLiteral("Örnek Tekstil A.Ş."));
    EXPECT_EQ(text.dateLine, QStringLiteral("İşlem Tarihi : 15/03/2024"));

    // Empty fields never stop the report.
    text = report::BuildReportText(table, {}, {}, ReportWidth::Normal);
    EXPECT_EQ(text.creditLineLine, QStringLiteral("Vovirer Adı  : "));
    EXPECT_EQ(text.ratesLine, QStringLiteral("Yıldaki Gün:   Yıllık Faiz:   Aylık Faiz: "));
}

TEST(ReportText, BodyEndsWithTheTotalsAndTheSummary) {
    core::TransactionTable table;
    table.setRowCount(3);
    table.setCell(col::Number, 2, QStringLiteral("2"));
    const core::TableTotals totals = sampleTotals();

    const auto normal =
        report::BuildReportText(table, sampleInputs(), totals, ReportWidth::Normal).body;
    const QStringList expectedNormal = {
        QStringLiteral("1") + spaces(92),
        QStringLiteral("2") + spaces(92),
        QString(),
        spaces(22) + QStringLiteral("TOPLAM") + spaces(12) + QStringLiteral("      1.000,00") +
            QStringLiteral("        400,00") + QStringLiteral("       5,00") + QLatin1Char(' '),
        QString(),
        QString(),
        QStringLiteral("Dorud Toplam Tutarı :        1.000,00"),
        QStringLiteral("Ödeme Toplam Tutarı :          400,00"),
        QStringLiteral("Dorud Bakiye Tutarı :          600,00"),
        QString(),
        QStringLiteral("Toplam Faiz         :           12,34"),
        QStringLiteral("Toplam BSMV         :            0,62"),
        QStringLiteral("Ödenen Faiz+BSMV    :            5,00"),
        QStringLiteral("Ödenmemiş Faiz+BSMV :            7,96"),
        QString(),
    };
    EXPECT_EQ(normal, expectedNormal);
    EXPECT_EQ(normal[3].indexOf(QLatin1String("TOPLAM")), 22);  // positions 23-28
    EXPECT_EQ(normal[3].size(), 3 + 37 + 14 + 14 + 11 + 1);

    const auto wide =
        report::BuildReportText(table, sampleInputs(), totals, ReportWidth::Wide).body;
    EXPECT_EQ(wide[3], spaces(22) + QStringLiteral("TOPLAM") + spaces(12) +
                           QStringLiteral("         1.000,00") +
                           QStringLiteral("           400,00") + QStringLiteral("          5,00") +
                           QLatin1Char(' '));
    EXPECT_EQ(wide[6], QStringLiteral("Dorud Toplam Tutarı :           1.000,00"));
    EXPECT_EQ(wide[13], QStringLiteral("Ödenmemiş Faiz+BSMV :               7,96"));
}

// Totals longer than their fields are written whole, one space apart, never run together.
TEST(ReportText, OverlongTotalsAreWrittenWholeAndApart) {
    core::TableTotals totals = sampleTotals();
    totals.totalDrawn = QStringLiteral("-999.999.999.999.999,00");  // 23 characters
    auto body =
        report::BuildReportText(core::TransactionTable(), {}, totals, ReportWidth::Normal).body;
    EXPECT_EQ(body[2].mid(40, 23), totals.totalDrawn);
    EXPECT_EQ(body[5], QStringLiteral("Dorud Toplam Tutarı : ") + totals.totalDrawn);

    totals.totalDrawn = QStringLiteral("33.896.532.112,77");
    totals.totalRepaid = QStringLiteral("416.792.073.018,35");
    totals.interestPaid = QStringLiteral("5.164.303,63");
    for (const ReportWidth width : {ReportWidth::Normal, ReportWidth::Wide}) {
        body = report::BuildReportText(core::TransactionTable(), {}, totals, width).body;
        EXPECT_TRUE(body[2].endsWith(
            QStringLiteral("33.896.532.112,77 416.792.073.018,35") +
            (width == ReportWidth::Wide ? QStringLiteral("  ") : QStringLiteral(" ")) +
            QStringLiteral("5.164.303,63 ")))
            << body[2].toStdString();
    }
}

TEST(ReportText, PrintCommandRecalculatesFirstAndGivesOneBodyEachTime) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.inputs() = sampleInputs();
    calc.table().setRowCount(3);
    calc.table().setCell(col::TransactionDate, 1, QStringLiteral("01.03.2019"));
    calc.table().setCell(col::Drawn, 1, QStringLiteral("100"));
    calc.table().setCell(col::ValueDate, 2, QStringLiteral("31.03.2019"));

    const auto first = report::PrepareReportText(calc, ReportWidth::Normal);
    EXPECT_EQ(calc.totals().totalDrawn, QStringLiteral("100,00"));
    EXPECT_TRUE(first.body[0].contains(QLatin1String("100,00"))) << first.body[0].toStdString();
    EXPECT_EQ(first.body.size(), 2 + 13);
    EXPECT_EQ(report::PrepareReportText(calc, ReportWidth::Normal), first);
}

TEST(ReportText, RecalculationErrorEndsThePrintCommand) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.inputs() = sampleInputs();
    calc.inputs().daysInYear = QStringLiteral("0");
    calc.table().setRowCount(3);
    calc.table().setCell(col::TransactionDate, 1, QStringLiteral("01.03.2019"));
    calc.table().setCell(col::Drawn, 1, QStringLiteral("100"));
    calc.table().setCell(col::ValueDate, 2, QStringLiteral("31.03.2019"));
    EXPECT_THROW(report::PrepareReportText(calc, ReportWidth::Wide), core::CommandFailure);
}

}  // namespace
