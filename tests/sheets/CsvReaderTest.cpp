#include <gtest/gtest.h>

#include "TestWorkbooks.h"
#include "sheets/CsvReader.h"
#include "sheets/PreviewGrid.h"
#include "sheets/WorkbookReader.h"

using testing_sheets::PreviewOf;
using testing_sheets::WorkbookFolder;

namespace {

QStringList rowTexts(const sheets::PreviewGrid& grid, int row) {
    QStringList texts;
    for (int c = 1; c < grid.columnCount(); ++c) texts.push_back(grid.cell(c, row));
    return texts;
}

}  // namespace

TEST(CsvReader, ChoosesTheSeparatorThatSplitsRecordsAlike) {
    struct Case {
        const char* text;
        char separator;
    };
    const Case cases[] = {
        {"a;b;c\n1;2;3\n", ';'},
        {"a,b,c\n1,2,3\n", ','},
        {"a\tb\n1\t2\n", '\t'},
        {"15.03.2020;1.000,50\n16.03.2020;2,5\n", ';'},  // decimal commas inside fields
        {"\"x;y\",b\n\"1;2\",3\n", ','},                 // a separator inside quotes
        {"single\n", ';'},                               // nothing splits: semicolon
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sheets::DetectCsvSeparator(QString::fromUtf8(c.text)), QLatin1Char(c.separator))
            << c.text;
    }
}

TEST(CsvReader, DecodesUtf8WithOrWithoutMarkElseWindows1254) {
    const QString expected = QStringLiteral("Işık ödemesi");
    EXPECT_EQ(sheets::DecodeCsvText(expected.toUtf8()), expected);
    EXPECT_EQ(sheets::DecodeCsvText("\xEF\xBB\xBF" + expected.toUtf8()), expected);
    EXPECT_EQ(sheets::DecodeCsvText(QByteArray("I\xFD\xFEIk \xF6"
                                               "demesi")),
              QStringLiteral("IışIk ödemesi"));
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : expected) {
        utf16 += char(c.unicode() & 0xFF);
        utf16 += char(c.unicode() >> 8);
    }
    EXPECT_EQ(sheets::DecodeCsvText(utf16), expected);
}

TEST(CsvReader, QuotedFieldsLineBreaksAndKeptSpaces) {
    WorkbookFolder folder;
    const QString path =
        folder.write(QStringLiteral("hareket.csv"),
                     QStringLiteral("Valör;İşlem;Açıklama;Kullanım;Ödeme\r\n"
                                    "15.03.2020;15.03.2020;\"Çek \"\"A\"\"; tahsil\";1.000,50;\r\n"
                                    "\"16.03.2020\";;\"iki\r\nsatır\";;  250\r\n"
                                    ";;;;\r\n"
                                    "17.03.2020;;\"açık tırnak\n")
                         .toUtf8());
    const sheets::PreviewGrid grid = PreviewOf(path);
    // Five records and five columns used: one row and column more, and the empty row below.
    EXPECT_EQ(grid.rowCount(), 8);
    EXPECT_EQ(grid.columnCount(), 7);
    EXPECT_EQ(rowTexts(grid, 1),
              (QStringList{"Valör", "İşlem", "Açıklama", "Kullanım", "Ödeme", ""}));
    EXPECT_EQ(rowTexts(grid, 2),
              (QStringList{"15.03.2020", "15.03.2020", "Çek \"A\"; tahsil", "1.000,50", "", ""}));
    EXPECT_EQ(rowTexts(grid, 3), (QStringList{"16.03.2020", "", "iki\r\nsatır", "", "  250", ""}));
    EXPECT_EQ(rowTexts(grid, 4), (QStringList{"", "", "", "", "", ""}));
    EXPECT_EQ(rowTexts(grid, 5), (QStringList{"17.03.2020", "", "açık tırnak\n", "", "", ""}));
}

TEST(CsvReader, EmptyFileIsAnEmptySheet) {
    WorkbookFolder folder;
    const sheets::PreviewGrid grid =
        PreviewOf(folder.write(QStringLiteral("bos.csv"), QByteArray()));
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.columnCount(), 3);
}

// Plain text is a CSV only under a text file's name; under a workbook's name (or none) it is
// refused as "not a workbook", never read as if it were one.
TEST(CsvReader, TextIsReadAsCsvOnlyUnderATextFilesName) {
    const QByteArray text = "Valör;Tutar\r\n01.03.2019;100\r\n";
    const struct {
        const char* name;
        bool read;
    } cases[] = {{"hareket.csv", true},  {"HAREKET.TXT", true},  {"hareket.xlsx", false},
                 {"hareket.xls", false}, {"hareket.ods", false}, {"hareket", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        if (c.read) {
            EXPECT_EQ(sheets::ReadWorkbookBytes(text, name).cells.size(), 4u);
            continue;
        }
        try {
            sheets::ReadWorkbookBytes(text, name);
            ADD_FAILURE() << "read as CSV";
        } catch (const sheets::ReadError& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("Excel, OpenDocument ya da CSV")))
                << e.message().toStdString();
        }
    }
}

// One endless line costs no more than the columns and characters the import can show: the
// fields past the last column are counted, not kept, and a field is cut at a cell's most.
TEST(CsvReader, AnEndlessLineStaysBounded) {
    const QByteArray line = QByteArray(2'000'000, ';') + "son\r\n" + QByteArray(100'000, 'a');
    const sheets::SheetContent sheet = sheets::ReadCsv(line);
    EXPECT_EQ(sheet.lastColumn, 2'000'001);
    EXPECT_EQ(sheet.lastRow, 2);
    ASSERT_EQ(sheet.cells.size(), 1u);
    EXPECT_EQ(sheet.cells.front().text.size(), sheets::kMaxCellText);

    try {
        sheets::ReadWorkbookBytes(QByteArray((64 << 20) + 1, ','), QStringLiteral("virgul.csv"));
        ADD_FAILURE() << "read";
    } catch (const sheets::ReadError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("64 MB'tan büyük")));
    }
}
