#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include "TestWorkbooks.h"
#include "sheets/PreviewGrid.h"
#include "sheets/WorkbookReader.h"
#include "sheets/ZipArchive.h"

using testing_sheets::PreviewOf;
using testing_sheets::WorkbookFolder;
using testing_sheets::ZipOf;

namespace {

void text(lxw_worksheet* sheet, int row, int column, const char* utf8,
          lxw_format* format = nullptr) {
    worksheet_write_string(sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), utf8, format);
}

void number(lxw_worksheet* sheet, int row, int column, double value, lxw_format* format = nullptr) {
    worksheet_write_number(sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), value, format);
}

}  // namespace

TEST(XlsxReader, OnlyA1UsedGivesTwoRowsAndColumnsAndAnEmptyRow) {
    WorkbookFolder folder;
    const QString path = folder.xlsx(QStringLiteral("a1.xlsx"), [](lxw_workbook* book) {
        text(workbook_add_worksheet(book, nullptr), 1, 1, "Tek");
    });
    const sheets::PreviewGrid grid = PreviewOf(path);
    EXPECT_EQ(grid.rowCount(), 4);     // header, rows 1 and 2, the empty row 3
    EXPECT_EQ(grid.columnCount(), 3);  // header, columns 1 and 2
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("Tek"));
    EXPECT_EQ(grid.cell(0, 0), QString());
    EXPECT_EQ(grid.cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(grid.cell(2, 0), QStringLiteral("2"));
    EXPECT_EQ(grid.cell(0, 3), QStringLiteral("3"));
}

TEST(XlsxReader, CellKindsOfTheFirstSheetOnly) {
    WorkbookFolder folder;
    const QString path = folder.xlsx(QStringLiteral("hareket.xlsx"), [](lxw_workbook* book) {
        lxw_worksheet* sheet = workbook_add_worksheet(book, "Hareketler");
        lxw_format* builtInDate = workbook_add_format(book);
        format_set_num_format_index(builtInDate, 14);
        lxw_format* customDate = workbook_add_format(book);
        format_set_num_format(customDate, "[$-41F]dd.mm.yyyy;@");
        lxw_format* money = workbook_add_format(book);
        format_set_num_format(money, "#,##0.00 \"TL\"");
        lxw_datetime march15 = {2020, 3, 15, 0, 0, 0};
        worksheet_write_datetime(sheet, 0, 0, &march15, builtInDate);
        worksheet_write_datetime(sheet, 0, 1, &march15, customDate);
        text(sheet, 1, 3, "16.03.2020");  // a date typed as text stays as typed
        number(sheet, 2, 1, 1234.56, money);
        number(sheet, 2, 2, 0.1);
        text(sheet, 2, 3, "  Işıl Ağaoğlu ödemesi");
        worksheet_write_formula_num(sheet, 2, 0, "=A2*2", nullptr, 2469.12);
        worksheet_write_boolean(sheet, 2, 1, 1, nullptr);
        number(sheet, 5, 4, 7);  // rows 4 and 5 and column 4 above it stay empty
        text(workbook_add_worksheet(book, "İkinci"), 9, 9, "okunmaz");
    });
    const sheets::PreviewGrid grid = PreviewOf(path);
    EXPECT_EQ(grid.rowCount(), 8);
    EXPECT_EQ(grid.columnCount(), 6);
    const QStringList expected[] = {
        {"15.03.2020", "15.03.2020", "16.03.2020", "", ""},
        {"1234,56", "0,1", "  Işıl Ağaoğlu ödemesi", "", ""},
        {"2469,12", "True", "", "", ""},
        {"", "", "", "", ""},
        {"", "", "", "7", ""},
        {"", "", "", "", ""},
        {"", "", "", "", ""},
    };
    for (int r = 1; r < grid.rowCount(); ++r) {
        QStringList row;
        for (int c = 1; c < grid.columnCount(); ++c) row.push_back(grid.cell(c, r));
        EXPECT_EQ(row, expected[r - 1]) << "row " << r;
    }
}

TEST(XlsxReader, AtMost6500RowsWhileTheUsedColumnsCountTheWholeSheet) {
    WorkbookFolder folder;
    const QString path = folder.xlsx(QStringLiteral("uzun.xlsx"), [](lxw_workbook* book) {
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        for (int r = 1; r <= 7000; ++r) number(sheet, r, 1, r);
        text(sheet, 6800, 5, "sonda");
    });
    const sheets::PreviewGrid grid = PreviewOf(path);
    EXPECT_EQ(grid.rowCount(), 6502);
    EXPECT_EQ(grid.columnCount(), 7);
    EXPECT_EQ(grid.cell(1, 6500), QStringLiteral("6500"));
    EXPECT_EQ(grid.cell(1, 6501), QString());
    EXPECT_EQ(grid.cell(0, 6501), QStringLiteral("6501"));
}

TEST(XlsxReader, InlineStringsOfAStreamingWriter) {
    WorkbookFolder folder;
    const QString path = folder.path(QStringLiteral("akis.xlsx"));
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(path.toUtf8().constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    text(sheet, 1, 1, "Şubat ödemesi");
    number(sheet, 1, 2, 2.5);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
    const sheets::PreviewGrid grid = PreviewOf(path);
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("Şubat ödemesi"));
    EXPECT_EQ(grid.cell(2, 1), QStringLiteral("2,5"));
}

namespace {

QByteArray contentTypes() {
    return "<?xml version=\"1.0\"?><Types "
           "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>";
}

const char* const kRelNs = "http://schemas.openxmlformats.org/package/2006/relationships";
const char* const kDocRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

}  // namespace

// A workbook as some writers lay it out: parts under other names addressed by absolute
// paths, prefixed element names, the 1904 date system, a chart sheet before the first
// worksheet, ISO date cells, runs with phonetic guides, escaped characters, cells and rows
// without references.
TEST(XlsxReader, AbsolutePathsPrefixesAnd1904Dates) {
    const QByteArray rels = QByteArray("<Relationships xmlns=\"") + kRelNs +
                            "\"><Relationship Id=\"r1\" Type=\"" + kDocRel +
                            "/officeDocument\" Target=\"/book/kitap.xml\"/></Relationships>";
    const QByteArray bookRels =
        QByteArray("<Relationships xmlns=\"") + kRelNs + "\">" + "<Relationship Id=\"c\" Type=\"" +
        kDocRel + "/chartsheet\" Target=\"/book/grafik.xml\"/>" + "<Relationship Id=\"w\" Type=\"" +
        kDocRel + "/worksheet\" Target=\"/book/sayfalar/ilk.xml\"/>" +
        "<Relationship Id=\"s\" Type=\"" + kDocRel +
        "/sharedStrings\" Target=\"../book/metin.xml\"/>" + "<Relationship Id=\"st\" Type=\"" +
        kDocRel + "/styles\" Target=\"bicim.xml\"/></Relationships>";
    const QByteArray book =
        QByteArray(
            "<x:workbook xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"") +
        kDocRel +
        "\"><x:workbookPr date1904=\"true\"/><x:sheets><x:sheet name=\"Grafik\" sheetId=\"2\" "
        "r:id=\"c\"/>"
        "<x:sheet name=\"Veri\" sheetId=\"1\" r:id=\"w\"/></x:sheets></x:workbook>";
    const QByteArray strings =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<si><t xml:space=\"preserve\">  düz</t></si>"
        "<si><r><t>Kal</t></r><r><rPr><b/></rPr><t>ın</t></r><rPh sb=\"0\" "
        "eb=\"1\"><t>X</t></rPh></si>"
        "<si><t>satır_x000D_sonu</t></si></sst>";
    const QByteArray styles =
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<numFmts count=\"1\"><numFmt numFmtId=\"170\" formatCode=\"d/m/yyyy\"/></numFmts>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs>"
        "<cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"170\"/><xf "
        "numFmtId=\"4\"/></cellXfs>"
        "</styleSheet>";
    const QByteArray sheet =
        "<x:worksheet "
        "xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
        "<x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"B1\" "
        "t=\"s\"><x:v>1</x:v></x:c>"
        "<x:c r=\"C1\" t=\"s\"><x:v>2</x:v></x:c></x:row>"
        "<x:row><x:c s=\"1\"><x:v>42443</x:v></x:c><x:c s=\"2\"><x:v>1234.5</x:v></x:c>"
        "<x:c t=\"d\"><x:v>2021-01-31T00:00:00</x:v></x:c></x:row>"
        "<x:row r=\"4\"><x:c r=\"B4\" t=\"inlineStr\"><x:is><x:t>satır içi</x:t></x:is></x:c>"
        "<x:c r=\"C4\" t=\"str\"><x:f>B4</x:f><x:v>formül</x:v></x:c>"
        "<x:c r=\"D4\" t=\"e\"><x:v>#DIV/0!</x:v></x:c><x:c r=\"E4\" s=\"1\"/></x:row>"
        "</x:sheetData></x:worksheet>";
    WorkbookFolder folder;
    const QString path =
        folder.write(QStringLiteral("baska.xlsx"), ZipOf({{"[Content_Types].xml", contentTypes()},
                                                          {"_rels/.rels", rels},
                                                          {"book/_rels/kitap.xml.rels", bookRels},
                                                          {"book/kitap.xml", book},
                                                          {"book/metin.xml", strings},
                                                          {"book/bicim.xml", styles},
                                                          {"book/sayfalar/ilk.xml", sheet}}));
    const sheets::PreviewGrid grid = PreviewOf(path);
    EXPECT_EQ(grid.rowCount(), 7);
    EXPECT_EQ(grid.columnCount(), 6);  // the empty styled E4 does not count
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("  düz"));
    EXPECT_EQ(grid.cell(2, 1), QStringLiteral("Kalın"));
    EXPECT_EQ(grid.cell(3, 1), QStringLiteral("satır\rsonu"));
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("15.03.2020"));
    EXPECT_EQ(grid.cell(2, 2), QStringLiteral("1234,5"));
    EXPECT_EQ(grid.cell(3, 2), QStringLiteral("31.01.2021"));
    EXPECT_EQ(grid.cell(2, 4), QStringLiteral("satır içi"));
    EXPECT_EQ(grid.cell(3, 4), QStringLiteral("formül"));
    EXPECT_EQ(grid.cell(4, 4), QStringLiteral("#DIV/0!"));
}

TEST(XlsxReader, UnreadableFilesAreNamedAndLeaveThePreviewEmpty) {
    WorkbookFolder folder;
    const QString noWorkbook = folder.write(QStringLiteral("bos.xlsx"), ZipOf({{"a.txt", "x"}}));
    const QString brokenXml =
        folder.write(QStringLiteral("kirik.xlsx"),
                     ZipOf({{"xl/workbook.xml", "<workbook><sheets><sheet r:id=\"x\""},
                            {"[Content_Types].xml", "<T/>"}}));
    const QString binary =
        folder.write(QStringLiteral("ikili.xlsx"), QByteArray("\x01\x02\0\x03", 4));
    const QString truncatedZip =
        folder.write(QStringLiteral("yarim.xlsx"), QByteArray("PK\x03\x04garbage"));
    for (const QString& path :
         {noWorkbook, brokenXml, binary, truncatedZip, folder.path("yok.xlsx")}) {
        sheets::PreviewGrid preview;
        preview.setCell(1, 1, QStringLiteral("eski"));
        try {
            sheets::ReadIntoPreview(preview, path);
            ADD_FAILURE() << "read " << path.toStdString();
        } catch (const sheets::ReadError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Dosya Okunamıyor:\n") + path))
                << e.message().toStdString();
        }
        EXPECT_EQ(preview.cell(1, 1), QString());
    }
}

namespace {

// A one-sheet workbook whose sheet is `sheetData` (rows of the sheet's own XML).
// A workbook part with one sheet "A", found through the relationship "w".
QByteArray OneSheetWorkbook() {
    return QByteArray(
               "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
               "xmlns:r=\"") +
           kDocRel + "\"><sheets><sheet name=\"A\" sheetId=\"1\" r:id=\"w\"/></sheets></workbook>";
}

QByteArray XlsxWithSheetData(const QByteArray& sheetData) {
    const QByteArray rels = QByteArray("<Relationships xmlns=\"") + kRelNs +
                            "\"><Relationship Id=\"r1\" Type=\"" + kDocRel +
                            "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    const QByteArray bookRels = QByteArray("<Relationships xmlns=\"") + kRelNs +
                                "\"><Relationship Id=\"w\" Type=\"" + kDocRel +
                                "/worksheet\" Target=\"worksheets/s.xml\"/></Relationships>";
    const QByteArray book = OneSheetWorkbook();
    const QByteArray sheet =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData>" +
        sheetData + "</sheetData></worksheet>";
    return ZipOf({{"[Content_Types].xml", "<Types/>"},
                  {"_rels/.rels", rels},
                  {"xl/_rels/workbook.xml.rels", bookRels},
                  {"xl/workbook.xml", book},
                  {"xl/worksheets/s.xml", sheet}});
}

}  // namespace

// Hostile workbooks are read within bounds: a cell of more characters than a spreadsheet
// cell holds is cut there, row and column numbers beyond any sheet are held in range, and a
// file that unpacks to more than any usable workbook is refused by name, not read to the end.
TEST(XlsxReader, HostileCountsAndSizesStayBounded) {
    WorkbookFolder folder;
    const QByteArray longText(100'000, 'a');
    const sheets::PreviewGrid grid = PreviewOf(folder.write(
        QStringLiteral("uzun.xlsx"),
        XlsxWithSheetData("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" + longText +
                          "</t></is></c></row>"
                          "<row r=\"9223372036854775807\"><c t=\"inlineStr\"><is><t>x</t></is>"
                          "</c><c t=\"inlineStr\"><is><t>y</t></is></c></row><row><c/></row>")));
    EXPECT_EQ(grid.cell(1, 1).size(), sheets::kMaxCellText);

    const QByteArray bomb = XlsxWithSheetData(
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>" +
        QByteArray(sheets::ZipArchive::kMaxInflated + 1024, 'a') + "</t></is></c></row>");
    ASSERT_LT(bomb.size(), 1 << 20);
    try {
        sheets::ReadWorkbookBytes(bomb, QStringLiteral("bomba.xlsx"));
        ADD_FAILURE() << "read";
    } catch (const sheets::ReadError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Dosya açıldığında 64 MB'tan büyük")))
            << e.message().toStdString();
    }
}

// Value texts as workbooks write them and as they might: each cell reads as the general
// reading of numbers gives it (the plain ones on a quicker path), once in the general
// number format and once as a date.
TEST(XlsxReader, ValueTextsReadAsNumbersAndDates) {
    struct Case {
        const char* value;
        const char* number;
        const char* date;
    };
    const Case cases[] = {
        {"42374", "42374", "05.01.2016"},
        {"500.5", "500,5", "14.05.1901"},
        {"-12.25", "-12,25", "-12,25"},
        {"0.1", "0,1", "31.12.1899"},
        {"0.30000000000000004", "0,3", "31.12.1899"},
        {"12345678901234567", "1,23456789012346E16", "1,23456789012346E16"},
        {"123456789012345678", "1,23456789012346E17", "1,23456789012346E17"},
        {"99999999999999999.99999999999999999", "1E17", "1E17"},
        {"0.00000000000000001", "1E-17", "31.12.1899"},
        {"0.000000000000000001", "1E-18", "31.12.1899"},
        {"1e5", "100000", "14.10.2173"},
        {"1E-7", "1E-7", "31.12.1899"},
        {"2.5E+3", "2500", "04.11.1906"},
        {" 7 ", "7", "07.01.1900"},
        {"+3", "3", "03.01.1900"},
        {"-0", "0", "31.12.1899"},
        {"00012", "12", "12.01.1900"},
        {"1.", "1", "01.01.1900"},
        {".5", "0,5", "31.12.1899"},
        {"1,5", "1,5", "1,5"},
        {"-", "-", "-"},
        {"1e400", "1e400", "1e400"},
        {"1e-400", "1e-400", "1e-400"},
        {"inf", "INF", "INF"},
        {"-inf", "-INF", "-INF"},
        {"nan", "NAN", "NAN"},
        {"60", "60", "29.02.1900"},
        {"61", "61", "01.03.1900"},
        {"2958465.99999", "2958465,99999", "31.12.9999"},
        {"2958466", "2958466", "2958466"},
        {"٣", "٣", "٣"},
    };
    QByteArray rows;
    int r = 0;
    for (const Case& c : cases) {
        ++r;
        const QByteArray n = QByteArray::number(r);
        rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\"><v>" + c.value + "</v></c><c r=\"B" + n +
                "\" s=\"1\"><v>" + c.value + "</v></c></row>";
    }
    const QByteArray sheet =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData>" +
        rows + "</sheetData></worksheet>";
    const QByteArray styles =
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs></styleSheet>";
    const QByteArray bookRels = QByteArray("<Relationships xmlns=\"") + kRelNs + "\">" +
                                "<Relationship Id=\"w\" Type=\"" + kDocRel +
                                "/worksheet\" Target=\"sheet.xml\"/><Relationship Id=\"st\" "
                                "Type=\"" +
                                kDocRel + "/styles\" Target=\"styles.xml\"/></Relationships>";
    const QByteArray book = OneSheetWorkbook();
    WorkbookFolder folder;
    const QString path = folder.write(QStringLiteral("degerler.xlsx"),
                                      ZipOf({{"[Content_Types].xml", contentTypes()},
                                             {"xl/_rels/workbook.xml.rels", bookRels},
                                             {"xl/workbook.xml", book},
                                             {"xl/styles.xml", styles},
                                             {"xl/sheet.xml", sheet}}));
    const sheets::PreviewGrid grid = PreviewOf(path);
    r = 0;
    for (const Case& c : cases) {
        ++r;
        EXPECT_EQ(grid.cell(1, r), QString::fromUtf8(c.number)) << c.value;
        EXPECT_EQ(grid.cell(2, r), QString::fromUtf8(c.date)) << c.value;
    }
}

// Shared-string cells keep their place among the other cells (the later of two cells at
// one place is shown), and a string number beyond the list makes no cell and no used area.
TEST(XlsxReader, SharedStringCellsInTheirPlaceAndOnlyWithAString) {
    const QByteArray strings =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<si><t>bir</t></si><si><t>iki</t></si></sst>";
    const QByteArray sheet =
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"E1\" "
        "t=\"s\"><v>2</v></c></row>"
        "<row r=\"2\"><c r=\"A2\"><v>7</v></c><c r=\"A2\" t=\"s\"><v>1</v></c>"
        "<c r=\"C2\" t=\"s\"><v>1</v></c><c r=\"C2\"><v>8</v></c>"
        "<c r=\"B2\" t=\"s\"><v> 1 </v></c></row>"
        "<row r=\"7000\"><c r=\"A7000\" t=\"s\"><v>0</v></c></row>"
        "<row r=\"8000\"><c r=\"A8000\" t=\"s\"><v>9</v></c><c r=\"Z8000\" "
        "t=\"s\"><v>-1</v></c></row>"
        "</sheetData></worksheet>";
    const QByteArray bookRels = QByteArray("<Relationships xmlns=\"") + kRelNs + "\">" +
                                "<Relationship Id=\"w\" Type=\"" + kDocRel +
                                "/worksheet\" Target=\"sheet.xml\"/><Relationship Id=\"s\" "
                                "Type=\"" +
                                kDocRel +
                                "/sharedStrings\" Target=\"strings.xml\"/></Relationships>";
    const QByteArray book = OneSheetWorkbook();
    WorkbookFolder folder;
    const QString path =
        folder.write(QStringLiteral("ortak.xlsx"), ZipOf({{"[Content_Types].xml", contentTypes()},
                                                          {"xl/_rels/workbook.xml.rels", bookRels},
                                                          {"xl/workbook.xml", book},
                                                          {"xl/strings.xml", strings},
                                                          {"xl/sheet.xml", sheet}}));
    const sheets::PreviewGrid grid = PreviewOf(path);
    EXPECT_EQ(grid.columnCount(), 5);  // columns 1 to 3 used, one more, the header
    EXPECT_EQ(grid.rowCount(), 6502);  // row 7000 used
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("bir"));
    EXPECT_EQ(grid.cell(1, 2), QStringLiteral("iki"));
    EXPECT_EQ(grid.cell(2, 2), QStringLiteral("iki"));
    EXPECT_EQ(grid.cell(3, 2), QStringLiteral("8"));
}
