#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <ostream>

#include "core/ProgramInfo.h"
#include "tests/cli/VovirerFixture.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}

namespace {

// The caption row as the program writes it, in Windows-1254.
const QByteArray kCaptions =
    ",\"\xDD"
    "\xFE"
    "lem Tarihi\",\"Val\xF6r Tarihi\",A\xE7\xFD"
    "klama,\"Dorud Tutar\xFD\","
    "\"Dorud \xD6"
    "deme\",\"Faiz \xD6"
    "deme\",\"Y\xFD"
    "ll\xFD"
    "k Faiz\",G\xFC"
    "n,\"D\xF6"
    "nem Faizi\","
    "\"Dorud Bakiye\",\"Faiz Bakiye\",\"D\xF6"
    "nem BSMV\",Adat,Index\r\n";

// The worked example of the row recalculation as a calculation file: annual rate 24, 360 days, BSMV
// 5; row 1 draws 100 on 01.03.2019; row 2 holds only the value date 31.03.2019.
const QByteArray kWorkedExample = "360,24,,5,,,,\"\xD6rnek Dorud\",H,H,01.04.2019\r\n" + kCaptions +
                                  "1,01.03.2019,01.03.2019,,100,,,,,,,,,,\r\n"
                                  "2,,31.03.2019,,,,,,,,,,,,\r\n";

using clitest::Result;

class VovirerTest : public clitest::VovirerFixture {
  protected:
    static QStringList row(const QJsonObject& json, int index) {
        QStringList cells;
        for (const auto& v : json[QStringLiteral("rows")].toArray().at(index).toArray())
            cells.push_back(v.toString());
        return cells;
    }
    static QStringList messages(const QJsonObject& json) {
        QStringList texts;
        for (const auto& v : json[QStringLiteral("messages")].toArray())
            texts.push_back(v.toString());
        return texts;
    }
};

TEST_F(VovirerTest, RecalcJsonOnTheWorkedExample) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const Result r =
        run({QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, QByteArray());
    const QByteArray expected = QStringLiteral(R"({
  "fields": {
    "rotatifadiEdit": "Örnek Dorud",
    "yillikfaizNetEdit": "24",
    "aylikfaizNetEdit": "",
    "KKDFNetEdit": "5",
    "vergi2NetEdit": "",
    "yildakigunEdit": "360",
    "kredigeriodemeekEdit": "",
    "kredikullanimekEdit": "",
    "CheckBox8": false,
    "CheckBox9": false,
    "DateTimePicker61": "01.04.2019",
    "toplamfaizNetEdit": ""
  },
  "rows": [
    ["1", "01.03.2019", "01.03.2019", "", "100,00", "", "", "24", "", "0,00", "100,00", "", "", "", ""],
    ["2", "31.03.2019", "31.03.2019", "", "", "", "", "24", "30", "2,00", "100,00", "2,10", "0,10", "3.000,00", ""]
  ],
  "totals": {
    "kreditoplamtutariEdit": "100,00",
    "odemetoplamtutariEdit": "0,00",
    "kredibakiyeEdit": "100,00",
    "toplamfaizEdit": "2,00",
    "odenenfaizkkdfEdit": "0,00",
    "odenmemisfaizkkdfEdit": "2,10",
    "toplamKKDFEdit": "0,10",
    "JvDotNetEdit1": "3.000,00"
  },
  "messages": [],
  "error": null,
  "stopped": false
}
)")
                                    .toUtf8();
    EXPECT_EQ(r.out, expected);
    const QJsonObject json = r.json();
    EXPECT_EQ(json.keys().size(), 6);
}

TEST_F(VovirerTest, RecalcPrintsTheEightTotals) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const Result r = run({QStringLiteral("recalc"), QStringLiteral("ornek.fdr")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("Dorud Toplam Tutarı: 100,00\n"
                                    "Ödeme Toplam Tutarı: 0,00\n"
                                    "Dorud Bakiye Tutarı: 100,00\n"
                                    "Toplam Faiz: 2,00\n"
                                    "Ödenen Faiz + BSMV: 0,00\n"
                                    "Ödenmemiş Faiz + BSMV: 2,10\n"
                                    "Toplam BSMV: 0,10\n"
                                    "Toplam Adat: 3.000,00\n")
                         .toUtf8());
}

TEST_F(VovirerTest, RecalcSavesWithDashO) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const Result r = run({QStringLiteral("recalc"), QStringLiteral("ornek.fdr"),
                          QStringLiteral("-o"), QStringLiteral("out.fdr")});
    EXPECT_EQ(r.status, 0);
    const QByteArray saved = read(QStringLiteral("out.fdr"));
    EXPECT_EQ(saved, "360,24,,5,,,,\"\xD6rnek Dorud\",H,H,01.04.2019\r\n" + kCaptions +
                         "1,01.03.2019,01.03.2019,,\"100,00\",,,24,,\"0,00\",\"100,00\",,,,\r\n"
                         "2,31.03.2019,31.03.2019,,,,,24,30,\"2,00\",\"100,00\",\"2,10\",\"0,10\","
                         "\"3.000,00\",\r\n");
    // Opening what was written and writing it again gives the same bytes.
    const Result again = run({QStringLiteral("recalc"), QStringLiteral("out.fdr"),
                              QStringLiteral("-o"), QStringLiteral("out2.fdr")});
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(read(QStringLiteral("out2.fdr")), saved);
}

TEST_F(VovirerTest, DashOThatCannotBeWrittenIsAnError) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const Result r =
        run({QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("--json"),
             QStringLiteral("-o"), QStringLiteral("yok/out.fdr")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.json()[QStringLiteral("error")].toString(),
              QStringLiteral("Dosya Saklanamıyor:\nyok/out.fdr"));
    EXPECT_TRUE(r.err.contains("yok/out.fdr"));
}

TEST_F(VovirerTest, FileThatCannotBeReadIsExitTwo) {
    Result r = run({QStringLiteral("recalc"), QStringLiteral("yok.fdr"), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("yok.fdr")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("klasor.fdr")));
    r = run({QStringLiteral("recalc"), QStringLiteral("klasor.fdr")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("klasor.fdr"));
}

TEST_F(VovirerTest, UsageErrorsAreExitTwo) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const QList<QStringList> cases = {
        {},
        {QStringLiteral("recalc")},
        {QStringLiteral("bogus"), QStringLiteral("ornek.fdr")},
        {QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("--bogus")},
        {QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("extra")},
        {QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("-o")},
        {QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("--date"),
         QStringLiteral("31.02.2019")},
        {QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("--date"),
         QStringLiteral("1.1.2019")},
        {QStringLiteral("find-rate"), QStringLiteral("ornek.fdr")},
        {QStringLiteral("recalc"), QStringLiteral("ornek.fdr"), QStringLiteral("--apply")},
    };
    for (const QStringList& args : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.err.contains("usage:")) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(VovirerTest, RefusedFileIsReportedWithThePathAsGivenAndSettingsApply) {
    write(QStringLiteral("Ayarlar.ini"),
          "[Vovirer]\r\nRyilgun=365\r\nRayfaiz=36\r\nRyilfaiz=2\r\n"
          "Ralacakgun=1\r\nRKKDF=5\r\nRvergi2=\r\nFirma= A\xDE \r\nRalacakCheck=1\r\n");
    write(QStringLiteral("kisa.fdr"), "360,24\r\n");
    const Result r =
        run({QStringLiteral("--settings"), QStringLiteral("Ayarlar.ini"), QStringLiteral("recalc"),
             QStringLiteral("kisa.fdr"), QStringLiteral("--json"), QStringLiteral("--date"),
             QStringLiteral("05.06.2020")});
    EXPECT_EQ(r.status, 0);
    const QJsonObject json = r.json();
    EXPECT_EQ(messages(json), QStringList{QStringLiteral("Dosya Okunamıyor:\nkisa.fdr")});
    const QJsonObject fields = json[QStringLiteral("fields")].toObject();
    EXPECT_EQ(fields[QStringLiteral("yildakigunEdit")].toString(), QStringLiteral("365"));
    EXPECT_EQ(fields[QStringLiteral("yillikfaizNetEdit")].toString(), QStringLiteral("36"));
    EXPECT_EQ(fields[QStringLiteral("aylikfaizNetEdit")].toString(),
              QStringLiteral("2"));  // both as in the file
    EXPECT_EQ(fields[QStringLiteral("kredigeriodemeekEdit")].toString(), QStringLiteral("1"));
    EXPECT_TRUE(fields[QStringLiteral("CheckBox9")].toBool());
    EXPECT_EQ(fields[QStringLiteral("DateTimePicker61")].toString(), QStringLiteral("05.06.2020"));
    ASSERT_EQ(json[QStringLiteral("rows")].toArray().size(), 1);
    EXPECT_EQ(row(json, 0).at(0), QStringLiteral("1"));
    EXPECT_EQ(json[QStringLiteral("error")], QJsonValue(QJsonValue::Null));
}

TEST_F(VovirerTest, MissingSettingsFileIsExitTwo) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const Result r = run({QStringLiteral("recalc"), QStringLiteral("ornek.fdr"),
                          QStringLiteral("--settings"), QStringLiteral("yok.ini")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("yok.ini"));
}

// A settings file larger than any real one (here megabytes of line feeds) is not read: the
// message names it and the tool ends as for a file it cannot read, without the memory a
// whole read would take.
TEST_F(VovirerTest, OversizedSettingsFileIsRefusedWithItsName) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    write(QStringLiteral("Ayarlar.ini"), QByteArray(16 * 1024 * 1024, '\n'));
    const Result r = run({QStringLiteral("recalc"), QStringLiteral("ornek.fdr"),
                          QStringLiteral("--settings"), QStringLiteral("Ayarlar.ini")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("Ayarlar dosyası okunmadı: Ayarlar.ini")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("en çok 65536 bayt")) << r.err.toStdString();
}

TEST_F(VovirerTest, DateIsSetAgainByTheFile) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const Result r = run({QStringLiteral("recalc"), QStringLiteral("--date=05.06.2020"),
                          QStringLiteral("ornek.fdr"), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.json()[QStringLiteral("fields")]
                  .toObject()[QStringLiteral("DateTimePicker61")]
                  .toString(),
              QStringLiteral("01.04.2019"));
}

TEST_F(VovirerTest, ConversionErrorIsExitOneAndNotRepeatedInMessages) {
    // No days in the year while interest is due: the strict conversion fails.
    QByteArray file = kWorkedExample;
    file.replace("360,24,", ",24,");
    write(QStringLiteral("gunsuz.fdr"), file);
    const Result r =
        run({QStringLiteral("recalc"), QStringLiteral("gunsuz.fdr"), QStringLiteral("--json"),
             QStringLiteral("-o"), QStringLiteral("out.fdr")});
    EXPECT_EQ(r.status, 1);
    const QJsonObject json = r.json();
    const QString error = json[QStringLiteral("error")].toString();
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(json[QStringLiteral("stopped")].toBool());
    EXPECT_FALSE(messages(json).contains(error));
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(error));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.fdr"))));  // no save after an error
}

TEST_F(VovirerTest, SilentStopIsExitZero) {
    QByteArray file = kWorkedExample;
    file.replace("2,,31.03.2019", "2,,31.03.1904");
    write(QStringLiteral("eski.fdr"), file);
    const Result r =
        run({QStringLiteral("recalc"), QStringLiteral("eski.fdr"), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 0);
    const QJsonObject json = r.json();
    EXPECT_TRUE(json[QStringLiteral("stopped")].toBool());
    EXPECT_EQ(json[QStringLiteral("error")], QJsonValue(QJsonValue::Null));
    EXPECT_EQ(messages(json),
              QStringList{QStringLiteral("\"31.03.1904\" tarih girişiniz uygun değil!")});
}

TEST_F(VovirerTest, FindRateAnsweredNoAndYes) {
    QByteArray file = kWorkedExample;
    file.replace("360,24,", "360,12,");
    write(QStringLiteral("oran.fdr"), file);

    Result r =
        run({QStringLiteral("find-rate"), QStringLiteral("oran.fdr"),
             QStringLiteral("--total-interest"), QStringLiteral("2"), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 0);
    QJsonObject json = r.json();
    EXPECT_EQ(json.keys().size(), 7);
    EXPECT_TRUE(r.out.trimmed().endsWith("\"rate\": \"24\"\n}"));
    EXPECT_EQ(json[QStringLiteral("rate")].toString(), QStringLiteral("24"));
    ASSERT_EQ(messages(json).size(), 1);
    EXPECT_TRUE(
        messages(json)[0].startsWith(QStringLiteral("Yıllık Faiz Oranı 24 olarak bulunmuştur.")));
    EXPECT_EQ(row(json, 1).at(7), QStringLiteral("12"));
    EXPECT_EQ(
        json[QStringLiteral("fields")].toObject()[QStringLiteral("toplamfaizNetEdit")].toString(),
        QStringLiteral("2"));
    EXPECT_EQ(
        json[QStringLiteral("fields")].toObject()[QStringLiteral("yillikfaizNetEdit")].toString(),
        QStringLiteral("12"));

    r = run({QStringLiteral("find-rate"), QStringLiteral("oran.fdr"),
             QStringLiteral("--total-interest"), QStringLiteral("2"), QStringLiteral("--apply"),
             QStringLiteral("--json")});
    EXPECT_EQ(r.status, 0);
    json = r.json();
    EXPECT_EQ(json[QStringLiteral("rate")].toString(), QStringLiteral("24"));
    EXPECT_EQ(row(json, 0).at(7), QStringLiteral("24"));
    EXPECT_EQ(row(json, 1).at(7), QStringLiteral("24"));
    EXPECT_EQ(
        json[QStringLiteral("fields")].toObject()[QStringLiteral("yillikfaizNetEdit")].toString(),
        QStringLiteral("24"));
    EXPECT_EQ(
        json[QStringLiteral("fields")].toObject()[QStringLiteral("aylikfaizNetEdit")].toString(),
        QStringLiteral("2"));
    EXPECT_EQ(
        json[QStringLiteral("totals")].toObject()[QStringLiteral("toplamfaizEdit")].toString(),
        QStringLiteral("2,00"));

    r = run({QStringLiteral("find-rate"), QStringLiteral("oran.fdr"),
             QStringLiteral("--total-interest"), QStringLiteral("2")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("Yıllık Faiz Oranı: 24\n").toUtf8());
}

TEST_F(VovirerTest, FindRateWithoutATotalFindsNothing) {
    write(QStringLiteral("ornek.fdr"), kWorkedExample);
    const Result r = run({QStringLiteral("find-rate"), QStringLiteral("ornek.fdr"),
                          QStringLiteral("--total-interest"), QString(), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 0);
    const QJsonObject json = r.json();
    EXPECT_EQ(json[QStringLiteral("rate")], QJsonValue(QJsonValue::Null));
    EXPECT_EQ(
        messages(json),
        QStringList{QStringLiteral("Faiz tutarı, yıldaki gün ve tabloya hareket girilmelidir!")});
}

TEST_F(VovirerTest, FindRateAfterAnOpenThatFailedRunsAsTheNextCommand) {
    QByteArray file = kWorkedExample;
    file.replace("360,24,", ",24,");
    write(QStringLiteral("gunsuz.fdr"), file);
    const Result r =
        run({QStringLiteral("find-rate"), QStringLiteral("gunsuz.fdr"),
             QStringLiteral("--total-interest"), QStringLiteral("2"), QStringLiteral("--json")});
    EXPECT_EQ(r.status, 1);
    const QJsonObject json = r.json();
    const QString error = json[QStringLiteral("error")].toString();
    ASSERT_FALSE(error.isEmpty());
    // The open's error was shown as the default error report; the subcommand's own ends it.
    ASSERT_EQ(messages(json).size(), 1);
    EXPECT_TRUE(messages(json)[0].startsWith(error));
    EXPECT_EQ(json[QStringLiteral("rate")], QJsonValue(QJsonValue::Null));
}

}  // namespace

TEST_F(VovirerTest, VersionIsTheProjectVersion) {
    const Result r = run({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "vovirer " + core::kProgramVersion.toUtf8() + '\n');
}
