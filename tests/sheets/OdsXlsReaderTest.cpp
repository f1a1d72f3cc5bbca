#include <gtest/gtest.h>

#include "TestWorkbooks.h"
#include "sheets/PreviewGrid.h"
#include "sheets/WorkbookReader.h"

using testing_sheets::Fixture;
using testing_sheets::PreviewOf;

namespace {

QList<QStringList> dataRows(const sheets::PreviewGrid& grid) {
    QList<QStringList> rows;
    for (int r = 1; r < grid.rowCount(); ++r) {
        QStringList row;
        for (int c = 1; c < grid.columnCount(); ++c) row.push_back(grid.cell(c, r));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

// The same sheet saved by LibreOffice as .ods, .xls and .csv (see fixtures/README.md).
// The .csv keeps every field as LibreOffice wrote it; the .xls loses the formula result.
TEST(FixtureWorkbooks, OdsXlsAndCsvOfOneSheet) {
    const QStringList dateRows[] = {
        {"Valör", "İşlem", "Açıklama", "Kullanım", "Ödeme", ""},
        {"15.03.2020", "15.03.2020", "  Çeşme şubesi", "1000,5", "", ""},
        {"31.03.2020", "31.03.2020", "Ödeme", "", "250", ""},
        {"", "", "", "", "", ""},
        {"15.07.1905", "", "ğüşıöç ĞÜŞİÖÇ", "0", "12,34", ""},
        {"0,05", "1", "2001", "", "", ""},
        {"7", "7", "", "", "", ""},
        {"7", "7", "", "", "", ""},
        {"7", "7", "", "", "", ""},
        {"", "", "", "", "", ""},
        {"", "", "", "", "", ""},
    };
    const QList<QStringList> expected(std::begin(dateRows), std::end(dateRows));

    EXPECT_EQ(dataRows(PreviewOf(Fixture("hareket.ods"))), expected);

    QList<QStringList> xls = expected;
    xls[5][2] = QString();  // formula cells of .xls files read empty
    EXPECT_EQ(dataRows(PreviewOf(Fixture("hareket.xls"))), xls);

    QList<QStringList> csv = expected;
    csv[1][3] = QStringLiteral("1000.5");
    csv[4][4] = QStringLiteral("12.34");
    csv[5][0] = QStringLiteral("0.05");
    EXPECT_EQ(dataRows(PreviewOf(Fixture("hareket.csv"))), csv);
}

namespace {

QByteArray odsOf(const QByteArray& tables) {
    const QByteArray content =
        "<?xml version=\"1.0\"?><office:document-content "
        "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
        "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:calcext=\"urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0\">"
        "<office:body><office:spreadsheet>" +
        tables + "</office:spreadsheet></office:body></office:document-content>";
    return testing_sheets::ZipOf(
        {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
}

}  // namespace

TEST(OdsReader, RepeatedRowsAndColumnsSpacesNotesAndGroups) {
    const QByteArray table =
        "<table:table table:name=\"A\"><table:table-column table:number-columns-repeated=\"1024\"/>"
        "<table:table-header-rows><table:table-row>"
        "<table:table-cell office:value-type=\"string\"><text:p><text:s "
        "text:c=\"3\"/>baş<text:tab/>"
        "son <text:span>vurgu</text:span></text:p><text:p>ikinci  satır</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"string\"><office:annotation><text:p>not</text:p>"
        "</office:annotation><text:p>notlu</text:p></table:table-cell>"
        "</table:table-row></table:table-header-rows>"
        "<table:table-row-group><table:table-row table:number-rows-repeated=\"2\">"
        "<table:covered-table-cell/><table:table-cell office:value-type=\"currency\" "
        "office:value=\"-12.5\" "
        "table:number-columns-repeated=\"2\"><text:p>-12,50 TL</text:p></table:table-cell>"
        "</table:table-row></table:table-row-group>"
        "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"0\" "
        "calcext:value-type=\"error\"><text:p>#DIV/0!</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"time\" "
        "office:time-value=\"PT10H30M00S\"><text:p>10:30</text:p>"
        "</table:table-cell><table:table-cell "
        "table:number-columns-repeated=\"16000\"/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
        "table:number-columns-repeated=\"1024\"/></table:table-row>"
        "</table:table><table:table table:name=\"B\"><table:table-row><table:table-cell "
        "office:value-type=\"string\"><text:p>okunmaz</text:p></table:table-cell></table:table-row>"
        "</table:table>";
    testing_sheets::WorkbookFolder folder;
    const sheets::PreviewGrid grid = PreviewOf(folder.write(QStringLiteral("t.ods"), odsOf(table)));
    EXPECT_EQ(grid.rowCount(), 7);
    EXPECT_EQ(grid.columnCount(), 5);
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("   baş\tson vurgu\nikinci satır"));
    EXPECT_EQ(grid.cell(2, 1), QStringLiteral("notlu"));
    for (int r : {2, 3}) {
        EXPECT_EQ(grid.cell(1, r), QString());
        EXPECT_EQ(grid.cell(2, r), QStringLiteral("-12,5"));
        EXPECT_EQ(grid.cell(3, r), QStringLiteral("-12,5"));
    }
    EXPECT_EQ(grid.cell(1, 4), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(grid.cell(2, 4), QStringLiteral("10:30"));
}

// A cell's text comes in exactly as the spreadsheet program wrote it: spaces kept as
// <text:s/> at the start, one literal space at the end.
TEST(OdsReader, SpacesAtBothEndsOfACellAreKept) {
    const QByteArray table =
        "<table:table table:name=\"A\"><table:table-row>"
        "<table:table-cell office:value-type=\"string\"><text:p><text:s text:c=\"2\"/>iki "
        "bo\xc5\x9fluk \xc3\xb6nde, bir arkada </text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"string\"><text:p>iki arkada<text:s/> </text:p>"
        "</table:table-cell>"
        "</table:table-row></table:table>";
    testing_sheets::WorkbookFolder folder;
    const sheets::PreviewGrid grid = PreviewOf(folder.write(QStringLiteral("t.ods"), odsOf(table)));
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("  iki boşluk önde, bir arkada "));
    EXPECT_EQ(grid.cell(2, 1), QStringLiteral("iki arkada  "));
}

// Repeat counts and kept spaces from a hostile file stay bounded: counts far beyond any sheet
// are held in range (no overflow, no endless loop) and a cell grows no longer than a
// spreadsheet cell can be.
TEST(OdsReader, HostileRepeatCountsAndSpacesStayBounded) {
    QByteArray spaces;
    for (int i = 0; i < 20'000; ++i) spaces += "<text:s text:c=\"65536\"/>";
    const QByteArray table =
        "<table:table table:name=\"A\"><table:table-row><table:table-cell "
        "office:value-type=\"string\"><text:p>a" +
        spaces +
        "b</text:p></table:table-cell></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"9223372036854775807\"><table:table-cell "
        "table:number-columns-repeated=\"9223372036854775807\" office:value-type=\"string\">"
        "<text:p>x</text:p></table:table-cell></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"9223372036854775807\"><table:table-cell "
        "office:value-type=\"string\"><text:p>y</text:p></table:table-cell></table:table-row>"
        "</table:table>";
    testing_sheets::WorkbookFolder folder;
    const sheets::SheetContent sheet =
        sheets::ReadWorkbook(folder.write(QStringLiteral("t.ods"), odsOf(table)));
    ASSERT_FALSE(sheet.cells.empty());
    EXPECT_EQ(sheet.cells.front().text.size(), sheets::kMaxCellText);
    EXPECT_GE(sheet.lastRow, sheets::kIndexCeiling - 1);
    EXPECT_LE(sheet.lastRow, sheets::kIndexCeiling);
    EXPECT_EQ(sheet.lastColumn, sheets::kIndexCeiling);
}

TEST(OdsReader, RowsRepeatedPastTheLimitEndTheUsedAreaThere) {
    const QByteArray table =
        "<table:table table:name=\"A\"><table:table-row table:number-rows-repeated=\"7000\">"
        "<table:table-cell office:value-type=\"float\" "
        "office:value=\"1\"><text:p>1</text:p></table:table-cell>"
        "</table:table-row></table:table>";
    testing_sheets::WorkbookFolder folder;
    const sheets::PreviewGrid grid = PreviewOf(folder.write(QStringLiteral("t.ods"), odsOf(table)));
    EXPECT_EQ(grid.rowCount(), 6502);
    EXPECT_EQ(grid.cell(1, 6500), QStringLiteral("1"));
    EXPECT_EQ(grid.cell(1, 6501), QString());
}
