// The workbook made ahead is handed to the export only for the very sheet it was made of.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "output/workbook/PreparedWorkbook.h"
#include "output/workbook/XlsxFile.h"
#include "tests/output/XlsxTestReader.h"

namespace {

using output::CellRange;
using output::Worksheet;

Worksheet SmallSheet(const QString& amountCode = QStringLiteral("#,##0.00")) {
    Worksheet sheet(amountCode, core::Separators::turkish());
    sheet.setText(1, 1, QStringLiteral("Vovirer Adı : Şube"));
    sheet.setBold(CellRange::single(1, 1));
    for (int row = 3; row <= 6; ++row) {
        sheet.setText(row, 1, QStringLiteral("0%1.03.2019").arg(row));
        sheet.setNumber(row, 2, row * 1000.25);
        sheet.setNumber(row, 3, 0.0);
    }
    sheet.setFormula(7, 2, QStringLiteral("SUM(B3:B6)"), 18'004.5);
    sheet.setAmountFormat({3, 2, 7, 3});
    sheet.setColumnWidth(1, 12);
    sheet.fitColumns({2, 3, 3});
    return sheet;
}

// Every difference the written workbook would show keeps the prepared one from being used.
TEST(PreparedWorkbookTest, OnlyTheSheetItWasMadeOfGetsIt) {
    const struct {
        const char* change;
        std::function<void(Worksheet&)> apply;
        bool taken;
    } cases[] = {
        {"none", [](Worksheet&) {}, true},
        {"a text", [](Worksheet& s) { s.setText(4, 1, QStringLiteral("05.03.2019")); }, false},
        {"an amount", [](Worksheet& s) { s.setNumber(5, 2, 5001.26); }, false},
        // Written as "-0", so not the same workbook.
        {"zero to minus zero", [](Worksheet& s) { s.setNumber(4, 3, -0.0); }, false},
        {"a number to a text", [](Worksheet& s) { s.setText(5, 2, QStringLiteral("5001,25")); },
         false},
        {"a formula's result",
         [](Worksheet& s) { s.setFormula(7, 2, QStringLiteral("SUM(B3:B6)"), 18'004.25); }, false},
        {"bold", [](Worksheet& s) { s.setBold(CellRange::single(3, 2)); }, false},
        {"12 pt", [](Worksheet& s) { s.setLarge(CellRange::single(1, 1)); }, false},
        {"a formatted empty cell",
         [](Worksheet& s) {
             s.setAmountFormat({8, 2, 8, 2});
         },
         false},
        {"a column's width", [](Worksheet& s) { s.setColumnWidth(1, 12.25); }, false},
        {"a fitted column",
         [](Worksheet& s) {
             s.fitColumns({1, 1, 3});
         },
         false},
        {"a row more", [](Worksheet& s) { s.setText(9, 1, QStringLiteral("x")); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        output::PreparedWorkbook prepared;
        ASSERT_TRUE(prepared.prepare(SmallSheet()));
        Worksheet now = SmallSheet();
        c.apply(now);
        EXPECT_EQ(prepared.bytesFor(now).has_value(), c.taken);
    }

    output::PreparedWorkbook prepared;
    ASSERT_TRUE(prepared.prepare(SmallSheet()));
    EXPECT_FALSE(prepared.bytesFor(SmallSheet(QStringLiteral("###000"))).has_value());
    Worksheet dots(QStringLiteral("#,##0.00"),
                   core::Separators{QLatin1Char('.'), QLatin1Char(','), QLatin1Char('/')});
    EXPECT_FALSE(prepared.bytesFor(dots).has_value());
}

// What is handed over reads as the workbook written directly, and serves again and again.
TEST(PreparedWorkbookTest, HandsOverTheWorkbookTheSheetMakes) {
    QTemporaryDir folder;
    const QString direct = folder.filePath(QStringLiteral("direct.xlsx"));
    const QString ahead = folder.filePath(QStringLiteral("ahead.xlsx"));
    output::WriteXlsxFile(SmallSheet(), direct);

    output::PreparedWorkbook prepared;
    ASSERT_TRUE(prepared.prepare(SmallSheet()));
    EXPECT_TRUE(prepared.prepare(SmallSheet()));  // the same sheet again: nothing to start
    for (int time = 1; time <= 2; ++time) {
        const std::optional<QByteArray> bytes = prepared.bytesFor(SmallSheet());
        ASSERT_TRUE(bytes.has_value());
        output::WriteXlsxFileBytes(*bytes, ahead);
        const outputtest::XlsxTestReader expected(direct);
        const outputtest::XlsxTestReader got(ahead);
        ASSERT_TRUE(got.ok()) << got.error().toStdString();
        ASSERT_EQ(got.references(), expected.references());
        for (const QString& reference : expected.references()) {
            SCOPED_TRACE(reference.toStdString());
            const outputtest::XlsxCell a = expected.cell(reference);
            const outputtest::XlsxCell b = got.cell(reference);
            EXPECT_EQ(b.type, a.type);
            EXPECT_EQ(b.text, a.text);
            EXPECT_EQ(b.number, a.number);
            EXPECT_EQ(b.formula, a.formula);
            EXPECT_EQ(b.bold, a.bold);
            EXPECT_EQ(b.numberFormat, a.numberFormat);
        }
        EXPECT_EQ(got.columnWidth(QStringLiteral("A")), expected.columnWidth(QStringLiteral("A")));
        EXPECT_EQ(got.columnWidth(QStringLiteral("B")), expected.columnWidth(QStringLiteral("B")));
    }

    // A workbook just written directly is kept the same way.
    output::PreparedWorkbook kept;
    kept.keep(SmallSheet(), QByteArrayLiteral("bytes"));
    EXPECT_EQ(kept.bytesFor(SmallSheet()), QByteArrayLiteral("bytes"));
    Worksheet other = SmallSheet();
    other.setNumber(3, 2, 1);
    EXPECT_FALSE(kept.bytesFor(other).has_value());
}

// A sheet that cannot be written leaves nothing made: the export writes it itself and says why.
TEST(PreparedWorkbookTest, ASheetThatCannotBeWrittenLeavesNothing) {
    Worksheet tooLong = SmallSheet();
    tooLong.setText(4, 1, QString(40'000, QLatin1Char('a')));
    output::PreparedWorkbook prepared;
    ASSERT_TRUE(prepared.prepare(tooLong));
    EXPECT_FALSE(prepared.bytesFor(tooLong).has_value());
}

}  // namespace
