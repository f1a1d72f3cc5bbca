// `vovirer export` end to end: the tool run as a process, its workbook read back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "tests/cli/VovirerFixture.h"
#include "tests/output/XlsxTestReader.h"

namespace {

using outputtest::XlsxTestReader;

// The caption row of a calculation file, in Windows-1254.
const QByteArray kCaptions =
    ",\"\xDD\xFElem Tarihi\",\"Val\xF6r Tarihi\",A\xE7\xFDklama,\"Dorud Tutar\xFD\","
    "\"Dorud \xD6"
    "deme\",\"Faiz \xD6"
    "deme\",\"Y\xFDll\xFDk Faiz\",G\xFCn,\"D\xF6nem Faizi\","
    "\"Dorud Bakiye\",\"Faiz Bakiye\",\"D\xF6nem BSMV\",Adat,Index\r\n";

// Annual rate 24, 360 days, BSMV 5: a drawing of 100 on 01.03.2019, a repayment of 40 on
// 15.03.2019 and the date 31.03.2019.
const QByteArray kCalculation = "360,24,2,5,,,,\"\xD6rnek Dorud\",H,H,01.04.2019\r\n" + kCaptions +
                                "1,01.03.2019,01.03.2019,,100,,,,,,,,,,\r\n"
                                "2,15.03.2019,15.03.2019,,,40,,,,,,,,,\r\n"
                                "3,,31.03.2019,,,,,,,,,,,,\r\n";

using ExportCommandTest = clitest::VovirerFixture;
using clitest::Result;

TEST_F(ExportCommandTest, WritesTheExportWorkbook) {
    write("hesap.fdr", kCalculation);
    const Result r = run({"export", "hesap.fdr", "hesap.xlsx"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray());
    EXPECT_EQ(r.err, QByteArray());
    const XlsxTestReader sheet(path("hesap.xlsx"));
    ASSERT_TRUE(sheet.ok()) << sheet.error().toStdString();
    EXPECT_EQ(sheet.cell("A1").text, QStringLiteral("Vovirer Adı : Örnek Dorud"));
    EXPECT_EQ(sheet.cell("B2").text, QStringLiteral("01.04.2019"));
    EXPECT_EQ(sheet.cell("D2").text, QStringLiteral("360"));
    EXPECT_EQ(sheet.cell("F2").number, 24);
    EXPECT_EQ(sheet.cell("H2").number, 2);
    EXPECT_EQ(sheet.cell("D4").number, 100);
    EXPECT_EQ(sheet.cell("E5").number, 40);
    EXPECT_EQ(sheet.cell("B6").text, QStringLiteral("31.03.2019"));
    EXPECT_EQ(sheet.cell("H6").number, 60);  // the credit balance
    EXPECT_EQ(sheet.cell("I3").text, QStringLiteral("Faiz Bakiye"));
    // R = 4: "TOPLAM" in row 9, sums over rows 4 to 7.
    EXPECT_EQ(sheet.cell("C9").text, QStringLiteral("TOPLAM"));
    EXPECT_EQ(sheet.cell("E9").formula, QStringLiteral("SUM(E4:E7)"));
    EXPECT_EQ(sheet.cell("E9").number, 40);
    EXPECT_EQ(sheet.cell("C12").text, QStringLiteral("Dorud Toplam Tutarı:"));
    EXPECT_EQ(sheet.cell("D14").number, 60);
}

TEST_F(ExportCommandTest, MailLayoutStopsAtTheRateColumn) {
    write("hesap.fdr", kCalculation);
    const Result r = run({"export", "hesap.fdr", "rapor.xlsx", "--mail-layout"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const XlsxTestReader sheet(path("rapor.xlsx"));
    ASSERT_TRUE(sheet.ok()) << sheet.error().toStdString();
    EXPECT_EQ(sheet.cell("G3").text, QStringLiteral("Yıllık Faiz"));
    EXPECT_TRUE(sheet.cell("H3").type.isEmpty());  // formatted, as the whole caption row is
    EXPECT_FALSE(sheet.cell("H6").present);
    EXPECT_EQ(sheet.cell("E9").formula, QStringLiteral("SUM(E4:E7)"));
}

TEST_F(ExportCommandTest, FailuresEndWithStatusOneAndNoWorkbook) {
    QByteArray unreadable = kCalculation;
    unreadable.replace("2,15.03.2019,15.03.2019,,,40", "2,15.03.2019,15.03.2019,,,\"1,2,3\"");
    write("bozuk.fdr", unreadable);
    Result r = run({"export", "bozuk.fdr", "bozuk.xlsx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("1,2,3")) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("bozuk.xlsx")));

    write("hesap.fdr", kCalculation);
    r = run({"export", "hesap.fdr", "yok/hesap.xlsx"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Dosya Saklanamıyor:\n" + path("yok/hesap.xlsx").toUtf8()) ||
                r.err.contains("Dosya Saklanamıyor:\nyok/hesap.xlsx"))
        << r.err.toStdString();
}

TEST_F(ExportCommandTest, UsageErrors) {
    write("hesap.fdr", kCalculation);
    const QStringList cases[] = {
        {"export", "hesap.fdr"},
        {"export", "hesap.fdr", "a.xlsx", "b.xlsx"},
        {"export", "hesap.fdr", "a.xlsx", "--json"},
        {"export", "hesap.fdr", "a.xlsx", "-o", "b.fdr"},
        {"recalc", "hesap.fdr", "--mail-layout"},
    };
    for (const QStringList& args : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
    }
    EXPECT_EQ(run({"export", "yok.fdr", "a.xlsx"}).status, 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"hesap.fdr"});
}

}  // namespace
