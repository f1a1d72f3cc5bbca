#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/Calculation.h"
#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "storage/ProfileFile.h"
#include "storage/Settings.h"
#include "TestFiles.h"

using namespace storage;
using testfiles::readBytes;
using testfiles::writeBytes;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("Ayarlar.ini"));
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};

    void fillInputs() {
        auto& in = calc.inputs();
        in.yildakigunEdit = QStringLiteral("360");
        in.yillikfaizNetEdit = QStringLiteral("24");
        in.aylikfaizNetEdit = QStringLiteral("2");
        in.kredigeriodemeekEdit = QStringLiteral("1");
        in.KKDFNetEdit = QStringLiteral("5");
        in.vergi2NetEdit = QStringLiteral("0,5");
        in.firmaadiEdit = QStringLiteral("Ağaç  Şirketi");
        in.CheckBox9 = true;
    }
};

TEST_F(SettingsTest, SettingsFileIsBesideTheProgram) {
    EXPECT_EQ(SettingsFilePath(QStringLiteral("/opt/dd/")), QStringLiteral("/opt/dd/Ayarlar.ini"));
    EXPECT_EQ(SettingsFilePath(QStringLiteral("/opt/dd")), QStringLiteral("/opt/dd/Ayarlar.ini"));
}

TEST_F(SettingsTest, NoFileEmptiesEveryFieldAndUnticks) {
    fillInputs();
    calc.inputs().rotatifadiEdit = QStringLiteral("kalır");
    hafizadanoku(calc, ini);
    const auto& in = calc.inputs();
    EXPECT_EQ(in.yildakigunEdit, QString());
    EXPECT_EQ(in.yillikfaizNetEdit, QString());
    EXPECT_EQ(in.aylikfaizNetEdit, QString());
    EXPECT_EQ(in.kredigeriodemeekEdit, QString());
    EXPECT_EQ(in.KKDFNetEdit, QString());
    EXPECT_EQ(in.vergi2NetEdit, QString());
    EXPECT_EQ(in.firmaadiEdit, QString());
    EXPECT_FALSE(in.CheckBox9);
    EXPECT_EQ(in.rotatifadiEdit, QStringLiteral("kalır"));  // not in the settings file
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ini));
}

TEST_F(SettingsTest, FirstSaveCreatesTheFileWithAllEightKeysInOrder) {
    fillInputs();
    hafizayayaz(calc.inputs(), ini);
    EXPECT_EQ(readBytes(ini), QByteArray("[Vovirer]\r\n"
                                         "Ryilgun=360\r\n"
                                         "Rayfaiz=24\r\n"
                                         "Ryilfaiz=2\r\n"
                                         "Ralacakgun=1\r\n"
                                         "RKKDF=5\r\n"
                                         "Rvergi2=0,5\r\n"
                                         "Firma=A" "\xF0" "a" "\xE7" "  " "\xDE" "irketi\r\n"
                                         "RalacakCheck=1\r\n"));
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Ayarlar.ini")});
    calc.inputs().CheckBox9 = false;
    hafizayayaz(calc.inputs(), ini);
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("Vovirer"), QStringLiteral("RalacakCheck")),
              QStringLiteral("2"));
}

TEST_F(SettingsTest, RayfaizHoldsTheAnnualRate) {
    fillInputs();
    hafizayayaz(calc.inputs(), ini);
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("Vovirer"), QStringLiteral("Rayfaiz")), QStringLiteral("24"));
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("Vovirer"), QStringLiteral("Ryilfaiz")), QStringLiteral("2"));

    core::RecordingDialogs d2;
    core::Calculation fresh(d2);
    hafizadanoku(fresh, ini);
    EXPECT_EQ(fresh.inputs().yillikfaizNetEdit, QStringLiteral("24"));
    EXPECT_EQ(fresh.inputs().aylikfaizNetEdit, QStringLiteral("2"));
}

TEST_F(SettingsTest, RoundTripOfTheMainSection) {
    fillInputs();
    hafizayayaz(calc.inputs(), ini);
    core::RecordingDialogs d2;
    core::Calculation fresh(d2);
    hafizadanoku(fresh, ini);
    EXPECT_EQ(fresh.inputs().yildakigunEdit, QStringLiteral("360"));
    EXPECT_EQ(fresh.inputs().kredigeriodemeekEdit, QStringLiteral("1"));
    EXPECT_EQ(fresh.inputs().KKDFNetEdit, QStringLiteral("5"));
    EXPECT_EQ(fresh.inputs().vergi2NetEdit, QStringLiteral("0,5"));
    EXPECT_EQ(fresh.inputs().firmaadiEdit, QStringLiteral("Ağaç  Şirketi"));  // inner spaces stay
    EXPECT_TRUE(fresh.inputs().CheckBox9);
}

TEST_F(SettingsTest, OuterSpacesAreLostOnReading) {
    fillInputs();
    calc.inputs().firmaadiEdit = QStringLiteral("  Baş  Son  ");
    hafizayayaz(calc.inputs(), ini);
    EXPECT_TRUE(readBytes(ini).contains("Firma=  Ba" "\xFE" "  Son  \r\n"));
    hafizadanoku(calc, ini);
    EXPECT_EQ(calc.inputs().firmaadiEdit, QStringLiteral("Baş  Son"));
}

TEST_F(SettingsTest, OnlyExactlyOneTicks) {
    for (const char* value : {"2", "0", "", "E", "true", "11", "01"}) {
        writeBytes(ini, QByteArray("[Vovirer]\r\nRalacakCheck=") + value + "\r\n");
        calc.inputs().CheckBox9 = true;
        hafizadanoku(calc, ini);
        EXPECT_FALSE(calc.inputs().CheckBox9) << value;
    }
    writeBytes(ini, "[vovirer]\r\nralacakcheck =  1 \r\n");
    hafizadanoku(calc, ini);
    EXPECT_TRUE(calc.inputs().CheckBox9);
}

TEST_F(SettingsTest, AnnualIsSetBeforeMonthlyAndTheDirectionDecides) {
    writeBytes(ini, "[Vovirer]\r\nRayfaiz=24\r\nRyilfaiz=3\r\n");
    hafizadanoku(calc, ini);  // direction none at start-up: both as in the file
    EXPECT_EQ(calc.inputs().yillikfaizNetEdit, QStringLiteral("24"));
    EXPECT_EQ(calc.inputs().aylikfaizNetEdit, QStringLiteral("3"));

    calc.setRateDirection(core::RateDirection::MonthlyDrives);
    hafizadanoku(calc, ini);
    EXPECT_EQ(calc.inputs().yillikfaizNetEdit, QStringLiteral("36"));
    EXPECT_EQ(calc.inputs().aylikfaizNetEdit, QStringLiteral("3"));
}

TEST_F(SettingsTest, KeepsTheRestOfTheFile) {
    const QByteArray before = "; kendi notum\r\n[ExcelAyarR]\r\nRvade=7\r\n\r\n[VOVIRER]\r\nryilgun=365\r\nEski=x\r\n";
    writeBytes(ini, before);
    fillInputs();
    hafizayayaz(calc.inputs(), ini);
    const QByteArray after = readBytes(ini);
    EXPECT_TRUE(after.startsWith("; kendi notum\r\n[ExcelAyarR]\r\nRvade=7\r\n\r\n[VOVIRER]\r\nryilgun=360\r\nEski=x\r\nRayfaiz=24\r\n"))
        << after.toStdString();
    EXPECT_EQ(ReadImportSettings(ini).JvDotNetEdit19, QStringLiteral("7"));
}

TEST_F(SettingsTest, WriteFailureIsReportedWithThePath) {
    const QString bad = dir.filePath(QStringLiteral("yok/Ayarlar.ini"));
    fillInputs();
    try {
        hafizayayaz(calc.inputs(), bad);
        FAIL() << "no error";
    } catch (const core::CalcError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + bad);
        EXPECT_EQ(core::ErrorReportText(e.message()), QStringLiteral("Unable to write to ") + bad + QLatin1Char('.'));
    }
    EXPECT_TRUE(testfiles::entries(dir.path()).isEmpty());
}

TEST_F(SettingsTest, TextOutsideTheCodePageWritesNothing) {
    writeBytes(ini, "[Vovirer]\r\nRyilgun=365\r\n");
    fillInputs();
    calc.inputs().firmaadiEdit = QStringLiteral("Ωmega");
    try {
        hafizayayaz(calc.inputs(), ini);
        FAIL() << "no error";
    } catch (const core::CalcError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Unable to write to ") + ini));
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"Firma Adı\""))) << e.message().toStdString();
    }
    EXPECT_EQ(readBytes(ini), QByteArray("[Vovirer]\r\nRyilgun=365\r\n"));
}

// --- ExcelAyarR ---------------------------------------------------------------------------

TEST_F(SettingsTest, ImportSectionAbsentReadsEmptyAndUnticked) {
    writeBytes(ini, "[Vovirer]\r\nRyilgun=365\r\n");
    EXPECT_EQ(ReadImportSettings(ini), ImportSettings{});
    EXPECT_EQ(ReadImportSettings(dir.filePath(QStringLiteral("none.ini"))), ImportSettings{});
}

TEST_F(SettingsTest, ImportSectionRoundTripAndOrder) {
    ImportSettings s;
    s.JvDotNetEdit19 = QStringLiteral("1");
    s.JvDotNetEdit3 = QStringLiteral("2");
    s.JvDotNetEdit4 = QStringLiteral("3");
    s.JvDotNetEdit1 = QStringLiteral("4");
    s.JvDotNetEdit2 = QStringLiteral("5");
    s.JvDotNetEdit20 = QStringLiteral("3");
    s.JvDotNetEdit21 = QStringLiteral("10");
    s.CheckBox1 = true;
    writeBytes(ini, "[Vovirer]\r\nRyilgun=365\r\n");
    WriteImportSettings(s, ini);
    EXPECT_EQ(readBytes(ini), QByteArray("[Vovirer]\r\nRyilgun=365\r\n[ExcelAyarR]\r\nRvade=1\r\nRislem=2\r\n"
                                         "Raciklama=3\r\nRborc=4\r\nRalacak=5\r\nRbasla=3\r\nRbitir=10\r\n"
                                         "RvadeCheck=1\r\n"));
    EXPECT_EQ(ReadImportSettings(ini), s);
    s.CheckBox1 = false;
    WriteImportSettings(s, ini);
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("ExcelAyarR"), QStringLiteral("RvadeCheck")), QStringLiteral("2"));
    EXPECT_EQ(ReadImportSettings(ini), s);
}

TEST_F(SettingsTest, ImportCheckBoxOnlyForOne) {
    writeBytes(ini, "[ExcelAyarR]\r\nRvadeCheck=2\r\nRbasla= 3 \r\n");
    const ImportSettings s = ReadImportSettings(ini);
    EXPECT_FALSE(s.CheckBox1);
    EXPECT_EQ(s.JvDotNetEdit20, QStringLiteral("3"));
    EXPECT_EQ(s.JvDotNetEdit19, QString());
}

}  // namespace
