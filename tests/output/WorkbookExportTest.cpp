#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/Errors.h"
#include "core/NumberReading.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "output/workbook/ColumnFit.h"
#include "output/workbook/ExportSheet.h"
#include "output/workbook/WorkbookExport.h"
#include "output/workbook/XlsxFile.h"
#include "sheets/WorkbookReader.h"
#include "tests/output/XlsxTestReader.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

using namespace core::col;
using output::WorkbookLayout;
using outputtest::XlsxCell;
using outputtest::XlsxTestReader;

QString Ref(const QString& letters, int row) { return letters + QString::number(row); }

// Nine table rows (R = 10): drawings, a repayment, an interest payment, a rate change, a
// negative correction, a zero repayment typed as "0,00", the date interest is wanted to,
// and the empty entry row.
class WorkbookExportTest : public ::testing::Test {
  protected:
    WorkbookExportTest() {
        core::TableInputs& in = calc.inputs();
        in.creditLineName = QStringLiteral("Şube Rotatif Çağrı");
        in.calculationDate = QDate(2019, 6, 15);
        in.annualRate = QStringLiteral("24,5");
        in.monthlyRate = QStringLiteral("2,0416");
        in.daysInYear = QStringLiteral("360");
        in.bsmvRate = QStringLiteral("5");
        const std::vector<std::vector<std::pair<int, QString>>> rows = {
            {{TransactionDate, "01.03.2019"}, {Description, "İlk kullanım"}, {Drawn, "100.000"}},
            {{TransactionDate, "15.03.2019"},
             {Description, "Çek ödemesi, İzmir şubesi"},
             {Drawn, "50.000,5"}},
            {{TransactionDate, "01.04.2019"}, {Repaid, "30.000"}},
            {{TransactionDate, "15.04.2019"}, {InterestPaid, "1.234,56"}},
            {{TransactionDate, "02.05.2019"}, {Rate, "30"}},
            {{TransactionDate, "20.05.2019"}, {Description, "Düzeltme"}, {Drawn, "-2.500"}},
            {{TransactionDate, "01.06.2019"}, {Repaid, "0,00"}},
            {{TransactionDate, "15.06.2019"}},
            {},
        };
        core::TransactionTable& table = calc.table();
        table.setRowCount(static_cast<int>(rows.size()) + 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            table.setCell(Number, r, QString::number(r));
            for (const auto& [column, text] : rows[i]) table.setCell(column, r, text);
        }
        core::RecalculateAll(calc);
    }

    XlsxTestReader exported(WorkbookLayout layout = WorkbookLayout::Export) {
        output::WriteWorkbook(calc, path(), layout);
        XlsxTestReader reader(path());
        EXPECT_TRUE(reader.ok()) << reader.error().toStdString();
        return reader;
    }

    QString path() const { return folder.filePath(QStringLiteral("out.xlsx")); }
    double amount(int column, int row) const {
        return core::ParseAmount(calc.table().cell(column, row));
    }

    QTemporaryDir folder;
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};
};

void ExpectText(const XlsxTestReader& sheet, const QString& ref, const QString& text) {
    const XlsxCell cell = sheet.cell(ref);
    EXPECT_EQ(cell.type, QStringLiteral("s")) << ref.toStdString();
    EXPECT_EQ(cell.text, text) << ref.toStdString();
}

void ExpectNumber(const XlsxTestReader& sheet, const QString& ref, double number) {
    const XlsxCell cell = sheet.cell(ref);
    EXPECT_EQ(cell.type, QStringLiteral("n")) << ref.toStdString();
    EXPECT_DOUBLE_EQ(cell.number, number) << ref.toStdString();
}

void ExpectEmpty(const XlsxTestReader& sheet, const QString& ref) {
    const XlsxCell cell = sheet.cell(ref);
    EXPECT_TRUE(cell.type.isEmpty() && cell.text.isEmpty() && cell.formula.isEmpty())
        << ref.toStdString() << " holds " << cell.type.toStdString();
}

TEST_F(WorkbookExportTest, HeaderBlockAndCaptions) {
    const XlsxTestReader sheet = exported();
    ExpectText(sheet, "A1", QStringLiteral("Vovirer Adı : Şube Rotatif Çağrı"));
    ExpectText(sheet, "A2", QStringLiteral("Hesap Tarihi :"));
    ExpectText(sheet, "B2", QStringLiteral("15.06.2019"));
    ExpectText(sheet, "C2", QStringLiteral("Yıldaki Gün :"));
    ExpectText(sheet, "D2", QStringLiteral("360"));  // a string, as the field shows it
    ExpectText(sheet, "E2", QStringLiteral("Yıllık Faiz :"));
    ExpectNumber(sheet, "F2", 24.5);
    ExpectText(sheet, "G2", QStringLiteral("Aylık Faiz :"));
    ExpectNumber(sheet, "H2", 2.0416);
    EXPECT_EQ(sheet.cell("F2").numberFormat, QStringLiteral("General"));
    EXPECT_EQ(sheet.cell("H2").numberFormat, QStringLiteral("General"));
    const char* captions[] = {"İşlem Tarihi", "Valör Tarihi", "Açıklama",
                              "Dorud Tutarı", "Dorud Ödeme",  "Faiz Ödeme",
                              "Yıllık Faiz",  "Dorud Bakiye", "Faiz Bakiye"};
    for (int c = 0; c < 9; ++c) {
        ExpectText(sheet, Ref(output::ColumnLetters(c + 1), 3), QString::fromUtf8(captions[c]));
    }
    ExpectEmpty(sheet, "J3");
    EXPECT_EQ(sheet.sheetName(), output::kWorksheetName);
}

TEST_F(WorkbookExportTest, OneSheetRowPerTableRowWithZeroAmountsLeftEmpty) {
    const XlsxTestReader sheet = exported();
    const core::TransactionTable& table = calc.table();
    ASSERT_EQ(table.rowCount(), 10);
    const int numberColumns[] = {Drawn, Repaid, InterestPaid, Rate, CreditBalance, InterestBalance};
    for (int r = 1; r < table.rowCount(); ++r) {
        const int row = r + 3;
        for (int c : {TransactionDate, ValueDate, Description}) {
            const QString ref = Ref(output::ColumnLetters(c), row);
            if (table.cell(c, r).isEmpty()) {
                ExpectEmpty(sheet, ref);
            } else {
                ExpectText(sheet, ref, table.cell(c, r));
            }
        }
        for (int i = 0; i < 6; ++i) {
            const QString ref = Ref(output::ColumnLetters(4 + i), row);
            const double value = amount(numberColumns[i], r);
            if (value == 0) {
                ExpectEmpty(sheet, ref);
            } else {
                ExpectNumber(sheet, ref, value);
            }
        }
    }
    // The figures as typed, a negative correction among them.
    ExpectNumber(sheet, "D4", 100000);
    ExpectNumber(sheet, "D5", 50000.5);
    ExpectNumber(sheet, "E6", 30000);
    ExpectNumber(sheet, "F7", 1234.56);
    ExpectNumber(sheet, "G8", 30);
    ExpectNumber(sheet, "D9", -2500);
    ExpectEmpty(sheet, "E10");  // "0,00"
    ExpectText(sheet, "C5", QStringLiteral("Çek ödemesi, İzmir şubesi"));
    // The entry row: empty texts.
    for (const char* ref : {"A12", "B12", "C12", "D12", "E12", "F12"}) ExpectEmpty(sheet, ref);
    ExpectText(sheet, "B11", table.cell(ValueDate, 8));
}

TEST_F(WorkbookExportTest, TotalRowSumsWithComputedValuesAndSummary) {
    const XlsxTestReader sheet = exported();
    for (int row : {13, 14, 16, 17, 21}) {
        for (int c = 1; c <= 10; ++c) ExpectEmpty(sheet, Ref(output::ColumnLetters(c), row));
    }
    ExpectText(sheet, "C15", QStringLiteral("TOPLAM"));
    struct Sum {
        const char* letter;
        int column;
    };
    for (const Sum& s : {Sum{"D", Drawn}, Sum{"E", Repaid}, Sum{"F", InterestPaid}}) {
        const XlsxCell cell = sheet.cell(Ref(s.letter, 15));
        EXPECT_EQ(cell.type, QStringLiteral("formula"));
        EXPECT_EQ(cell.formula,
                  QStringLiteral("SUM(%1:%2)").arg(Ref(s.letter, 4), Ref(s.letter, 13)));
        double sum = 0;
        for (int r = 1; r < calc.table().rowCount(); ++r) sum += amount(s.column, r);
        EXPECT_NEAR(cell.number, sum, 1e-6) << s.letter;
    }
    EXPECT_NEAR(sheet.cell("D15").number, 147500.5, 1e-6);

    const core::TableTotals& t = calc.totals();
    struct Line {
        int row;
        const char* label;
        const QString& value;
    };
    const Line lines[] = {
        {18, "Dorud Toplam Tutarı:", t.totalDrawn},
        {19, "Ödeme Toplam Tutarı:", t.totalRepaid},
        {20, "Bakiye Tutarı:", t.creditBalance},
        {22, "Toplam Faiz:", t.totalInterest},
        {23, "Toplam BSMV:", t.totalBsmv},
        {24, "Ödenen Faiz+BSMV:", t.interestPaid},
        {25, "Ödenmemiş Faiz+BSMV:", t.interestUnpaid},
    };
    for (const Line& line : lines) {
        ExpectText(sheet, Ref("C", line.row), QString::fromUtf8(line.label));
        ExpectNumber(sheet, Ref("D", line.row), core::ParseAmount(line.value));
        EXPECT_EQ(sheet.cell(Ref("D", line.row)).numberFormat, QStringLiteral("#,##0.00"));
        EXPECT_FALSE(sheet.cell(Ref("C", line.row)).bold);
    }
    EXPECT_NE(t.totalInterest, QStringLiteral("0,00"));  // the example earns interest
    // Nothing below the summary.
    for (const QString& ref : sheet.references()) {
        const QString letters = ref.left(ref.indexOf(QRegularExpression(QStringLiteral("[0-9]"))));
        EXPECT_LE(ref.mid(letters.size()).toInt(), 25) << ref.toStdString();
    }
}

TEST_F(WorkbookExportTest, FontsAndFormatsOnTheirRanges) {
    const XlsxTestReader sheet = exported();
    struct Expected {
        const char* ref;
        bool bold;
        double size;
        const char* format;
    };
    const Expected cases[] = {
        {"A1", true, 12, "General"},    {"B1", true, 11, "General"},
        {"IV1", true, 11, "General"},   {"A2", true, 12, "General"},
        {"F2", true, 12, "General"},    {"IV2", true, 12, "General"},
        {"A3", true, 12, "General"},    {"I3", true, 12, "General"},
        {"IV3", true, 12, "General"},   {"IW3", false, 11, "General"},
        {"A4", false, 11, "General"},   {"D4", false, 11, "#,##0.00"},
        {"F12", false, 11, "#,##0.00"}, {"G4", false, 11, "General"},
        {"G8", false, 11, "General"},   {"H4", false, 11, "#,##0.00"},
        {"I11", false, 11, "#,##0.00"}, {"J4", false, 11, "#,##0.00"},
        {"J15", true, 11, "#,##0.00"},  {"K15", true, 11, "General"},
        {"R15", true, 11, "General"},   {"S15", false, 11, "General"},
        {"A15", true, 11, "General"},   {"C15", true, 11, "General"},
        {"D15", true, 11, "#,##0.00"},  {"G15", true, 11, "General"},
        {"D16", false, 11, "General"},  {"C18", false, 11, "General"},
        {"D18", false, 11, "#,##0.00"}, {"D21", false, 11, "General"},
    };
    for (const Expected& e : cases) {
        const XlsxCell cell = sheet.cell(QString::fromLatin1(e.ref));
        EXPECT_EQ(cell.bold, e.bold) << e.ref;
        EXPECT_EQ(cell.size, e.size) << e.ref;
        EXPECT_EQ(cell.numberFormat, QString::fromLatin1(e.format)) << e.ref;
    }
    for (int row = 1; row <= 3; ++row) EXPECT_EQ(sheet.rowHeight(row), 15.75) << row;
    // One face everywhere, the one the widths are measured in.
    for (const char* ref : {"A1", "A3", "C5", "D4", "G8", "I11", "D15", "C25", "IV3"}) {
        EXPECT_EQ(sheet.cell(ref).font, QString::fromLatin1(output::kCellFont)) << ref;
    }
}

TEST_F(WorkbookExportTest, ColumnsFitTheirLongestTextButAIgnoresTheTitle) {
    calc.inputs().creditLineName = QStringLiteral("Uzun bir vovirer adı, başlık sütunları aşar");
    const XlsxTestReader sheet = exported();
    const double descriptionWidth =
        output::ColumnWidthFor(QStringLiteral("Çek ödemesi, İzmir şubesi"), false, false);
    EXPECT_GE(sheet.columnWidth("C"), descriptionWidth);
    EXPECT_GE(sheet.columnWidth("C"),
              output::ColumnWidthFor(QStringLiteral("Ödenmemiş Faiz+BSMV:"), false, false));
    EXPECT_LT(sheet.columnWidth("A"), output::ColumnWidthFor(sheet.cell("A1").text, true, true));
    EXPECT_GE(sheet.columnWidth("A"),
              output::ColumnWidthFor(QStringLiteral("Hesap Tarihi :"), true, true));
    EXPECT_GE(sheet.columnWidth("D"),
              output::ColumnWidthFor(QStringLiteral("Dorud Tutarı"), true, true));
    EXPECT_GE(sheet.columnWidth("D"),
              output::ColumnWidthFor(QStringLiteral("147.500,50"), true, false));
    EXPECT_EQ(sheet.columnWidth("J"), 0);  // nothing to show: the default width
}

TEST_F(WorkbookExportTest, MailLayoutLeavesOutTheBalanceColumns) {
    const XlsxTestReader sheet = exported(WorkbookLayout::Mail);
    ExpectText(sheet, "G3", QStringLiteral("Yıllık Faiz"));
    ExpectNumber(sheet, "G8", 30);
    for (int row = 3; row <= 15; ++row) {
        for (const char* letters : {"H", "I", "J"}) {
            ExpectEmpty(sheet, Ref(letters, row));
            if (row >= 4 && row != 15) {
                EXPECT_FALSE(sheet.cell(Ref(letters, row)).present) << letters << row;
            }
        }
    }
    EXPECT_EQ(sheet.cell("D4").numberFormat, QStringLiteral("#,##0.00"));
    EXPECT_EQ(sheet.cell("F15").numberFormat, QStringLiteral("#,##0.00"));
    EXPECT_EQ(sheet.cell("H4").numberFormat, QStringLiteral("General"));
    // The rest as in the export.
    ExpectText(sheet, "A1", QStringLiteral("Vovirer Adı : Şube Rotatif Çağrı"));
    ExpectNumber(sheet, "H2", 2.0416);
    ExpectText(sheet, "C15", QStringLiteral("TOPLAM"));
    EXPECT_EQ(sheet.cell("E15").formula, QStringLiteral("SUM(E4:E13)"));
    ExpectText(sheet, "C25", QStringLiteral("Ödenmemiş Faiz+BSMV:"));
    EXPECT_TRUE(sheet.cell("R15").bold);
}

TEST_F(WorkbookExportTest, RowOneBecomesCurrentFirst) {
    ASSERT_EQ(calc.table().currentRow(), 9);
    exported();
    EXPECT_EQ(calc.table().currentRow(), 1);
}

TEST_F(WorkbookExportTest, AnUnreadableAmountEndsTheExportBeforeAnythingIsWritten) {
    QFile previous(path());
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous");
    previous.close();
    calc.table().setCell(InterestPaid, 6, QStringLiteral("1,2,3"));
    EXPECT_THROW(output::WriteWorkbook(calc, path(), WorkbookLayout::Export), core::CommandFailure);
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), QByteArray("previous"));
}

TEST_F(WorkbookExportTest, TheMailWorkbookIsSavedWithTheRowsBeforeAnUnreadableAmount) {
    calc.table().setCell(InterestPaid, 6, QStringLiteral("1,2,3"));
    EXPECT_THROW(output::WriteWorkbook(calc, path(), WorkbookLayout::Mail), core::CommandFailure);
    const XlsxTestReader sheet(path());
    ASSERT_TRUE(sheet.ok());
    ExpectText(sheet, "A9", QStringLiteral("20.05.2019"));
    ExpectNumber(sheet, "D9", -2500);
    ExpectEmpty(sheet, "G9");  // the row ends at the unreadable cell
    ExpectEmpty(sheet, "A10");
    ExpectEmpty(sheet, "A1");  // the header and totals block never ran
    ExpectEmpty(sheet, "C15");
}

// A field that does not read as a number ends the header and totals block; what was
// written before it stays, and the export itself succeeds.
TEST_F(WorkbookExportTest, AnUnreadableFieldEndsTheHeaderAndTotalsQuietly) {
    struct Case {
        const char* name;
        QString core::TableInputs::*field;
        const char* lastWritten;
        const char* firstMissing;
    };
    for (const Case& c : {Case{"annual rate", &core::TableInputs::annualRate, "E2", "F2"},
                          Case{"monthly rate", &core::TableInputs::monthlyRate, "G2", "H2"}}) {
        SCOPED_TRACE(c.name);
        core::Calculation copy = calc;
        copy.inputs().*c.field = QStringLiteral("1,2,3");
        output::WriteWorkbook(copy, path(), WorkbookLayout::Export);
        const XlsxTestReader sheet(path());
        ASSERT_TRUE(sheet.ok());
        EXPECT_TRUE(sheet.cell(c.lastWritten).present);
        ExpectEmpty(sheet, c.firstMissing);
        EXPECT_FALSE(sheet.cell("A1").bold);
        ExpectEmpty(sheet, "C15");
        EXPECT_EQ(sheet.cell("D4").numberFormat, QStringLiteral("General"));
        ExpectNumber(sheet, "D4", 100000);
    }
    calc.totals().totalInterest = QStringLiteral("1,2,3");
    output::WriteWorkbook(calc, path(), WorkbookLayout::Export);
    const XlsxTestReader sheet(path());
    ExpectText(sheet, "C22", QStringLiteral("Toplam Faiz:"));
    ExpectEmpty(sheet, "D22");
    ExpectEmpty(sheet, "C23");
    ExpectEmpty(sheet, "D15");
    EXPECT_TRUE(sheet.cell("A3").bold);
}

// The sheet rows follow the table's row count R: sums over rows 4 to R + 3 in row R + 5.
TEST_F(WorkbookExportTest, TotalRowFollowsTheRowCount) {
    struct Case {
        int dataRows;
        const char* total;
        const char* formula;
        const char* lastSummary;
    };
    for (const Case& c : {Case{1, "C7", "SUM(D4:D5)", "C17"}, Case{9, "C15", "SUM(D4:D13)", "C25"},
                          Case{120, "C126", "SUM(D4:D124)", "C136"}}) {
        SCOPED_TRACE(c.dataRows);
        core::RecordingDialogs quiet;
        core::Calculation other(quiet);
        other.table().setRowCount(c.dataRows + 1);
        for (int r = 1; r <= c.dataRows; ++r) {
            other.table().setCell(Number, r, QString::number(r));
            other.table().setCell(Drawn, r, QStringLiteral("1"));
        }
        output::WriteWorkbook(other, path(), WorkbookLayout::Export);
        const XlsxTestReader sheet(path());
        ExpectText(sheet, c.total, QStringLiteral("TOPLAM"));
        const QString sumRef = QStringLiteral("D") + QString::fromLatin1(c.total).mid(1);
        EXPECT_EQ(sheet.cell(sumRef).formula, QString::fromLatin1(c.formula));
        EXPECT_EQ(sheet.cell(sumRef).number, c.dataRows);
        ExpectText(sheet, c.lastSummary, QStringLiteral("Ödenmemiş Faiz+BSMV:"));
    }
}

TEST_F(WorkbookExportTest, AFailedWriteNamesThePathAndKeepsThePreviousFile) {
    const QString missingFolder = folder.filePath(QStringLiteral("yok/out.xlsx"));
    try {
        output::WriteWorkbook(calc, missingFolder, WorkbookLayout::Export);
        FAIL() << "no error";
    } catch (const core::CommandFailure& e) {
        EXPECT_TRUE(
            e.message().startsWith(QStringLiteral("Dosya Saklanamıyor:\n") + missingFolder + "\n"))
            << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(missingFolder));

    // A folder by the target's name is not replaced.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("out.xlsx")));
    EXPECT_THROW(output::WriteWorkbook(calc, path(), WorkbookLayout::Export), core::CommandFailure);
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("out.xlsx")});
}

// A text that holds what spreadsheet programs read as a character code ("_x0041_" is "A")
// comes back exactly as typed through a reader of the format (our own import).
TEST_F(WorkbookExportTest, TextsThatLookLikeCharacterCodesReadBackAsTyped) {
    const QString texts[] = {
        QStringLiteral("_x0041_"),
        QStringLiteral("_x005F_x0041_"),
        QStringLiteral("a_x00e7_b_X0041_"),
        QStringLiteral("__x0041__x12_"),
        QStringLiteral("_x004"),
        QStringLiteral("Ödeme _x000D_ satırı"),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        calc.table().setCell(Description, 1, text);
        output::WriteWorkbook(calc, path(), WorkbookLayout::Export);
        const sheets::SheetContent read = sheets::ReadWorkbook(path());
        const QString ref = Ref(output::ColumnLetters(Description), 4);
        bool found = false;
        for (const sheets::SheetContent::Cell& cell : read.cells) {
            if (cell.row == 4 && cell.column == Description) {
                found = true;
                EXPECT_EQ(cell.text, text) << ref.toStdString();
            }
        }
        EXPECT_TRUE(found);
    }
}

// A text longer than a cell holds is named by its cell, in the user's language, before
// anything is written; the previous file stays.
TEST_F(WorkbookExportTest, ATextLongerThanACellHoldsIsNamedByItsCell) {
    output::WriteWorkbook(calc, path(), WorkbookLayout::Export);
    const QByteArray before = [&] {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const struct {
        QString text;
        const char* message;  // empty: written
    } cases[] = {
        {QString(32'767, QLatin1Char('a')), ""},
        {QString(32'768, QLatin1Char('a')),
         "C5 hücresine yazılacak metin 32.768 karakter uzunluğunda; bir hücre en çok 32.767 "
         "karakter alır."},
        {QString(32'766, QLatin1Char('a')) + QStringLiteral("_x0041_"),
         "C5 hücresine yazılacak metin 32.779 karakter"},
        // Codes sharing their underscores: the escape doubles a text of half a cell.
        {QStringLiteral("_x0041").repeated(2'731) + QLatin1Char('_'),
         "C5 hücresine yazılacak metin 32.773 karakter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        calc.table().setCell(Description, 2, c.text);
        const QString message = QString::fromUtf8(c.message);
        try {
            output::WriteWorkbook(calc, folder.filePath(QStringLiteral("uzun.xlsx")),
                                  WorkbookLayout::Export);
            EXPECT_TRUE(message.isEmpty());
        } catch (const core::CommandFailure& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Dosya Saklanamıyor:\n")));
            EXPECT_TRUE(e.message().contains(message)) << e.message().toStdString();
            EXPECT_FALSE(message.isEmpty());
            try {
                output::WriteWorkbook(calc, path(), WorkbookLayout::Export);
            } catch (const core::CommandFailure&) {
            }
            QFile f(path());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), before);
        }
    }
}

TEST(AmountFormatCode, InvariantCodeFromTheDecimalSeparator) {
    core::Separators seps;
    EXPECT_EQ(output::AmountFormatCode(seps), QStringLiteral("#,##0.00"));
    seps.decimal = QLatin1Char('.');
    EXPECT_EQ(output::AmountFormatCode(seps), QStringLiteral("#,##0.00"));
    seps.decimal = QLatin1Char('/');
    EXPECT_EQ(output::AmountFormatCode(seps), QStringLiteral("###000"));
}

TEST(ColumnLetters, Letters) {
    const std::pair<int, const char*> cases[] = {{1, "A"},   {10, "J"},  {18, "R"},   {26, "Z"},
                                                 {27, "AA"}, {52, "AZ"}, {256, "IV"}, {257, "IW"}};
    for (const auto& [column, letters] : cases) {
        EXPECT_EQ(output::ColumnLetters(column), QString::fromLatin1(letters));
    }
}

TEST(ColumnWidth, WiderForBoldLargeAndLongerTexts) {
    const QString text = QStringLiteral("Dorud Tutarı");
    EXPECT_LT(output::ColumnWidthFor(text, false, false),
              output::ColumnWidthFor(text, true, false));
    EXPECT_LT(output::ColumnWidthFor(text, true, false), output::ColumnWidthFor(text, true, true));
    EXPECT_LT(output::ColumnWidthFor(QStringLiteral("1.000,00"), false, false),
              output::ColumnWidthFor(QStringLiteral("1.000.000,00"), false, false));
    // Turkish letters as wide as their base letters; a text far too long stops at 255.
    EXPECT_EQ(output::ColumnWidthFor(QStringLiteral("ŞİĞÜ"), false, false),
              output::ColumnWidthFor(QStringLiteral("SIGU"), false, false));
    EXPECT_EQ(output::ColumnWidthFor(QString(3000, QLatin1Char('M')), false, false), 255);
}

}  // namespace
