#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <variant>

#include "TestFiles.h"
#include "core/Calculation.h"
#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "core/RecordingDialogs.h"
#include "storage/ProfileFile.h"
#include "storage/Settings.h"

using namespace storage;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("Ayarlar.ini"));
    core::RecordingDialogs dialogs;
    core::Calculation calc{dialogs};

    void fillInputs() {
        auto& in = calc.inputs();
        in.daysInYear = QStringLiteral("360");
        in.annualRate = QStringLiteral("24");
        in.monthlyRate = QStringLiteral("2");
        in.repaymentExtraDays = QStringLiteral("1");
        in.bsmvRate = QStringLiteral("5");
        in.vergi2Rate = QStringLiteral("0,5");
        in.companyName = QStringLiteral("Ağaç  Şirketi");
        in.moveRepaymentsPastHolidays = true;
    }
};

TEST_F(SettingsTest, SettingsFileIsBesideTheProgram) {
    EXPECT_EQ(SettingsFilePath(QStringLiteral("/opt/dd/")), QStringLiteral("/opt/dd/Ayarlar.ini"));
    EXPECT_EQ(SettingsFilePath(QStringLiteral("/opt/dd")), QStringLiteral("/opt/dd/Ayarlar.ini"));
}

TEST_F(SettingsTest, NoFileEmptiesEveryFieldAndUnticks) {
    fillInputs();
    calc.inputs().creditLineName = QStringLiteral("kalır");
    ReadMainSettings(calc, ini);
    const auto& in = calc.inputs();
    EXPECT_EQ(in.daysInYear, QString());
    EXPECT_EQ(in.annualRate, QString());
    EXPECT_EQ(in.monthlyRate, QString());
    EXPECT_EQ(in.repaymentExtraDays, QString());
    EXPECT_EQ(in.bsmvRate, QString());
    EXPECT_EQ(in.vergi2Rate, QString());
    EXPECT_EQ(in.companyName, QString());
    EXPECT_FALSE(in.moveRepaymentsPastHolidays);
    EXPECT_EQ(in.creditLineName, QStringLiteral("kalır"));  // not in the settings file
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ini));
}

TEST_F(SettingsTest, FirstSaveCreatesTheFileWithAllEightKeysInOrder) {
    fillInputs();
    WriteMainSettings(calc.inputs(), ini);
    EXPECT_EQ(ReadFile(ini), QByteArray("[Vovirer]\r\n"
                                        "Ryilgun=360\r\n"
                                        "Rayfaiz=24\r\n"
                                        "Ryilfaiz=2\r\n"
                                        "Ralacakgun=1\r\n"
                                        "RKKDF=5\r\n"
                                        "Rvergi2=0,5\r\n"
                                        "Firma=A"
                                        "\xF0"
                                        "a"
                                        "\xE7"
                                        "  "
                                        "\xDE"
                                        "irketi\r\n"
                                        "RalacakCheck=1\r\n"));
    EXPECT_EQ(testfiles::entries(dir.path()), QStringList{QStringLiteral("Ayarlar.ini")});
    calc.inputs().moveRepaymentsPastHolidays = false;
    WriteMainSettings(calc.inputs(), ini);
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("Vovirer"), QStringLiteral("RalacakCheck")),
              QStringLiteral("2"));
}

TEST_F(SettingsTest, RayfaizHoldsTheAnnualRate) {
    fillInputs();
    WriteMainSettings(calc.inputs(), ini);
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("Vovirer"), QStringLiteral("Rayfaiz")),
              QStringLiteral("24"));
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("Vovirer"), QStringLiteral("Ryilfaiz")),
              QStringLiteral("2"));

    core::RecordingDialogs d2;
    core::Calculation fresh(d2);
    ReadMainSettings(fresh, ini);
    EXPECT_EQ(fresh.inputs().annualRate, QStringLiteral("24"));
    EXPECT_EQ(fresh.inputs().monthlyRate, QStringLiteral("2"));
}

TEST_F(SettingsTest, RoundTripOfTheMainSection) {
    fillInputs();
    WriteMainSettings(calc.inputs(), ini);
    core::RecordingDialogs d2;
    core::Calculation fresh(d2);
    ReadMainSettings(fresh, ini);
    EXPECT_EQ(fresh.inputs().daysInYear, QStringLiteral("360"));
    EXPECT_EQ(fresh.inputs().repaymentExtraDays, QStringLiteral("1"));
    EXPECT_EQ(fresh.inputs().bsmvRate, QStringLiteral("5"));
    EXPECT_EQ(fresh.inputs().vergi2Rate, QStringLiteral("0,5"));
    EXPECT_EQ(fresh.inputs().companyName, QStringLiteral("Ağaç  Şirketi"));  // inner spaces stay
    EXPECT_TRUE(fresh.inputs().moveRepaymentsPastHolidays);
}

// Each format lists the catalogue's members in its own order: a field given a settings key
// but left out of the settings file's list would silently not be kept, and one kept without
// a key would clash with another's.
TEST_F(SettingsTest, ExactlyTheFieldsWithASettingsKeyAreKept) {
    for (const core::InputField& field : core::kInputFields) {
        SCOPED_TRACE(field.key);
        QFile::remove(ini);
        core::RecordingDialogs d2;
        core::Calculation fresh(d2);
        const core::TableInputs untouched = fresh.inputs();
        core::TableInputs written = untouched;
        QString storedText;
        if (const auto* text = std::get_if<QString core::TableInputs::*>(&field.member)) {
            written.*(*text) = QStringLiteral("7");
            storedText = QStringLiteral("7");
        } else if (const auto* tick = std::get_if<bool core::TableInputs::*>(&field.member)) {
            written.*(*tick) = true;
            storedText = QStringLiteral("1");
        } else {
            continue;  // the date comes from the clock, never from the settings file
        }
        WriteMainSettings(written, ini);

        ReadMainSettings(fresh, ini);
        const bool kept = field.settingsKey != nullptr;
        EXPECT_EQ(fresh.inputs() == written, kept);
        EXPECT_EQ(fresh.inputs() == untouched, !kept);
        if (kept) {
            EXPECT_EQ(ReadProfileString(ini, kMainSection, core::SettingsKey(field)), storedText);
        }
    }
}

TEST_F(SettingsTest, OuterSpacesAreLostOnReading) {
    fillInputs();
    calc.inputs().companyName = QStringLiteral("  Baş  Son  ");
    WriteMainSettings(calc.inputs(), ini);
    EXPECT_TRUE(
        ReadFile(ini).contains("Firma=  Ba"
                               "\xFE"
                               "  Son  \r\n"));
    ReadMainSettings(calc, ini);
    EXPECT_EQ(calc.inputs().companyName, QStringLiteral("Baş  Son"));
}

TEST_F(SettingsTest, OnlyExactlyOneTicks) {
    for (const char* value : {"2", "0", "", "E", "true", "11", "01"}) {
        WriteFile(ini, QByteArray("[Vovirer]\r\nRalacakCheck=") + value + "\r\n");
        calc.inputs().moveRepaymentsPastHolidays = true;
        ReadMainSettings(calc, ini);
        EXPECT_FALSE(calc.inputs().moveRepaymentsPastHolidays) << value;
    }
    WriteFile(ini, "[vovirer]\r\nralacakcheck =  1 \r\n");
    ReadMainSettings(calc, ini);
    EXPECT_TRUE(calc.inputs().moveRepaymentsPastHolidays);
}

TEST_F(SettingsTest, AnnualIsSetBeforeMonthlyAndTheDirectionDecides) {
    WriteFile(ini, "[Vovirer]\r\nRayfaiz=24\r\nRyilfaiz=3\r\n");
    ReadMainSettings(calc, ini);  // direction none at start-up: both as in the file
    EXPECT_EQ(calc.inputs().annualRate, QStringLiteral("24"));
    EXPECT_EQ(calc.inputs().monthlyRate, QStringLiteral("3"));

    calc.setRateDirection(core::RateDirection::MonthlyDrives);
    ReadMainSettings(calc, ini);
    EXPECT_EQ(calc.inputs().annualRate, QStringLiteral("36"));
    EXPECT_EQ(calc.inputs().monthlyRate, QStringLiteral("3"));
}

TEST_F(SettingsTest, KeepsTheRestOfTheFile) {
    const QByteArray before =
        "; kendi notum\r\n[ExcelAyarR]\r\nRvade=7\r\n\r\n[VOVIRER]\r\nryilgun=365\r\nEski=x\r\n";
    WriteFile(ini, before);
    fillInputs();
    WriteMainSettings(calc.inputs(), ini);
    const QByteArray after = ReadFile(ini);
    EXPECT_TRUE(
        after.startsWith("; kendi "
                         "notum\r\n[ExcelAyarR]\r\nRvade=7\r\n\r\n[VOVIRER]\r\nryilgun=360\r\nEski="
                         "x\r\nRayfaiz=24\r\n"))
        << after.toStdString();
    EXPECT_EQ(ReadImportSettings(ini).valueDateColumn, QStringLiteral("7"));
}

TEST_F(SettingsTest, WriteFailureIsReportedWithThePath) {
    const QString bad = dir.filePath(QStringLiteral("yok/Ayarlar.ini"));
    fillInputs();
    try {
        WriteMainSettings(calc.inputs(), bad);
        FAIL() << "no error";
    } catch (const core::CommandFailure& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Unable to write to ") + bad);
        EXPECT_EQ(core::ErrorReportText(e.message()),
                  QStringLiteral("Unable to write to ") + bad + QLatin1Char('.'));
    }
    EXPECT_TRUE(testfiles::entries(dir.path()).isEmpty());
}

TEST_F(SettingsTest, TextOutsideTheCodePageWritesNothing) {
    WriteFile(ini, "[Vovirer]\r\nRyilgun=365\r\n");
    fillInputs();
    calc.inputs().companyName = QStringLiteral("Ωmega");
    try {
        WriteMainSettings(calc.inputs(), ini);
        FAIL() << "no error";
    } catch (const core::CommandFailure& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Unable to write to ") + ini));
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"Firma Adı\"")))
            << e.message().toStdString();
    }
    EXPECT_EQ(ReadFile(ini), QByteArray("[Vovirer]\r\nRyilgun=365\r\n"));
}

// --- ExcelAyarR ---------------------------------------------------------------------------

TEST_F(SettingsTest, ImportSectionAbsentReadsEmptyAndUnticked) {
    WriteFile(ini, "[Vovirer]\r\nRyilgun=365\r\n");
    EXPECT_EQ(ReadImportSettings(ini), core::ImportSettings{});
    EXPECT_EQ(ReadImportSettings(dir.filePath(QStringLiteral("none.ini"))), core::ImportSettings{});
}

TEST_F(SettingsTest, ImportSectionRoundTripAndOrder) {
    core::ImportSettings s;
    s.valueDateColumn = QStringLiteral("1");
    s.transactionDateColumn = QStringLiteral("2");
    s.descriptionColumn = QStringLiteral("3");
    s.drawingColumn = QStringLiteral("4");
    s.repaymentColumn = QStringLiteral("5");
    s.firstRow = QStringLiteral("3");
    s.lastRow = QStringLiteral("10");
    s.valueDateIsTransactionDate = true;
    WriteFile(ini, "[Vovirer]\r\nRyilgun=365\r\n");
    WriteImportSettings(s, ini);
    EXPECT_EQ(ReadFile(ini),
              QByteArray("[Vovirer]\r\nRyilgun=365\r\n[ExcelAyarR]\r\nRvade=1\r\nRislem=2\r\n"
                         "Raciklama=3\r\nRborc=4\r\nRalacak=5\r\nRbasla=3\r\nRbitir=10\r\n"
                         "RvadeCheck=1\r\n"));
    EXPECT_EQ(ReadImportSettings(ini), s);
    s.valueDateIsTransactionDate = false;
    WriteImportSettings(s, ini);
    EXPECT_EQ(ReadProfileString(ini, QStringLiteral("ExcelAyarR"), QStringLiteral("RvadeCheck")),
              QStringLiteral("2"));
    EXPECT_EQ(ReadImportSettings(ini), s);
}

TEST_F(SettingsTest, ImportCheckBoxOnlyForOne) {
    WriteFile(ini, "[ExcelAyarR]\r\nRvadeCheck=2\r\nRbasla= 3 \r\n");
    const core::ImportSettings s = ReadImportSettings(ini);
    EXPECT_FALSE(s.valueDateIsTransactionDate);
    EXPECT_EQ(s.firstRow, QStringLiteral("3"));
    EXPECT_EQ(s.valueDateColumn, QString());
}

}  // namespace
