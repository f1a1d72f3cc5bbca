#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "files/FileNames.h"
#include "files/ReadWholeFile.h"
#include "tests/cli/VovirerFixture.h"

namespace {

const QString kOds = QStringLiteral(SHEETS_FIXTURES "/hareket.ods");

// Settings as the program writes them: rates for the recalculation, the import fields for
// rows 2 to 4 of the fixture.
const QByteArray kSettings =
    "[Vovirer]\r\nRyilgun=360\r\nRayfaiz=24\r\nRKKDF=5\r\n"
    "[ExcelAyarR]\r\nRvade=1\r\nRislem=2\r\nRaciklama=3\r\nRborc=4\r\nRalacak=5\r\n"
    "Rbasla=2\r\nRbitir=4\r\nRvadeCheck=2\r\n";

using clitest::ProcessOptions;
using clitest::Result;

class ImportCommandsTest : public clitest::VovirerFixture {
  protected:
    // Runs a shell script with the tool as $V and the sheet fixtures as $F, for names the
    // tool must get as bytes that are not UTF-8.
    Result shell(const QByteArray& script) const {
        ProcessOptions options;
        options.environment = {{QStringLiteral("F"), QStringLiteral(SHEETS_FIXTURES)}};
        return VovirerFixture::shell(QString::fromUtf8(script), options);
    }
    static QStringList strings(const QJsonValue& array) {
        QStringList texts;
        for (const auto& v : array.toArray()) texts.push_back(v.toString());
        return texts;
    }
};

}  // namespace

TEST_F(ImportCommandsTest, PreviewPrintsTheWholeGridWithItsCaption) {
    const Result r = run({"preview", kOds, "--json"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject json = r.json();
    EXPECT_EQ(json["caption"].toString(),
              "Durvex Vovirer Dorud Zizevarev Programı  - Excel Dosya Aktarma - " + kOds +
                  " - Dosyası Aktarıldı");
    const QJsonArray cells = json["cells"].toArray();
    ASSERT_EQ(cells.size(), 12);
    EXPECT_EQ(strings(cells[0]), (QStringList{"", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(strings(cells[2]),
              (QStringList{"2", "15.03.2020", "15.03.2020", "  Çeşme şubesi", "1000,5", "", ""}));
    EXPECT_EQ(strings(cells[11]), (QStringList{"11", "", "", "", "", "", ""}));

    const Result plain = run({"preview", kOds});
    EXPECT_TRUE(plain.out.startsWith(json["caption"].toString().toUtf8() +
                                     "\n\t1\t2\t3\t4\t5\t6\n1\tValör\t"));
}

TEST_F(ImportCommandsTest, ImportTakesTheSettingsFlagsOverrideThemAndTheFileReopensTheSame) {
    const QString settings = write("Ayarlar.ini", kSettings);
    const Result r = run({"import", kOds, "--settings", settings, "--end", "3", "--desc-col", "",
                          "--json", "-o", path("aktarilan.fdr")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject json = r.json();
    EXPECT_EQ(strings(json["messages"]), QStringList{"Tablo aktarıldı!"});
    const QJsonArray rows = json["rows"].toArray();
    ASSERT_EQ(rows.size(), 4);  // rows 2 and 3 of the sheet and two open rows
    EXPECT_EQ(strings(rows[0]).mid(0, 6),
              (QStringList{"1", "15.03.2020", "15.03.2020", "", "1.000,50", ""}));
    EXPECT_EQ(strings(rows[1]).mid(0, 6),
              (QStringList{"2", "31.03.2020", "31.03.2020", "", "", "250,00"}));
    EXPECT_EQ(json["totals"].toObject()["toplamfaizEdit"].toString(), "10,67");

    // The saved calculation recalculates to the same table.
    const Result reopened =
        run({"recalc", path("aktarilan.fdr"), "--json", "--settings", settings});
    ASSERT_EQ(reopened.status, 0) << reopened.err.toStdString();
    EXPECT_EQ(reopened.json()["rows"], json["rows"]);
    EXPECT_EQ(reopened.json()["totals"], json["totals"]);
}

// The shell's way to write a name's bytes: "$(printf 'hesap\375.ods')".
QByteArray shellName(const QByteArray& bytes) {
    QByteArray escaped;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        escaped += b < 0x80 ? QByteArray(1, c) : '\\' + QByteArray::number(b, 8);
    }
    return "\"$(printf '" + escaped + "')\"";
}

// Names in Windows-1254 bytes (ı is \xFD, ş is \xFE): each kind of sheet opens under such a
// name, the preview's caption names it with its bytes, and -o saves under the bytes given,
// the same calculation as under a plain name, each name its own file.
TEST_F(ImportCommandsTest, SheetAndOutputNamesAreTheBytesGiven) {
    write("Ayarlar.ini", kSettings);
    const QByteArray folder = QFile::encodeName(dir.path());
    struct Case {
        const char* kind;
        QByteArray sheet, output;
    };
    const Case cases[] = {
        {"ods", "hesap\xFD.ods", "out\xFE.fdr"},
        {"xls", "hesap\xFD.xls", "out\xFD.fdr"},
        {"csv",
         "\xDE\xFE"
         "e.csv",
         "\xFD\xFE.fdr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const QByteArray fixture = "\"$F/hareket." + QByteArray(c.kind) + '"';
        const QByteArray sheet = shellName(c.sheet);
        Result r = shell("cp " + fixture + ' ' + sheet + " && \"$V\" preview " + sheet);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(
            r.out.startsWith("Durvex Vovirer Dorud Zizevarev Programı  - Excel Dosya "
                             "Aktarma - " +
                             c.sheet + " - Dosyası Aktarıldı\n"))
            << r.out.left(200).toStdString();
        EXPECT_TRUE(r.out.contains("\t15.03.2020\t")) << r.out.toStdString();

        r = shell("\"$V\" import " + sheet + " --settings Ayarlar.ini -o " + shellName(c.output) +
                  " && \"$V\" import " + fixture + " --settings Ayarlar.ini -o plain.fdr");
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        QFile saved(QFile::decodeName(folder + "plain.fdr"));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const auto bytes = files::ReadWholeFile(files::FileNameFromNative(folder + c.output));
        ASSERT_TRUE(bytes);
        EXPECT_EQ(*bytes, saved.readAll());
    }
    // Three outputs, each under its own bytes; none under a replaced character.
    const Result listed = shell("ls");
    for (const Case& c : cases) EXPECT_TRUE(listed.out.contains(c.output + '\n'));
    EXPECT_FALSE(listed.out.contains("\xEF\xBF\xBD"));
    shell("rm -f -- *");  // QTemporaryDir cannot remove names Qt cannot spell
}

TEST_F(ImportCommandsTest, EndingsAndExitStatus) {
    // No fields: the first required field's message, a normal end.
    Result r = run({"import", kOds, "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(strings(r.json()["messages"]),
              (QStringList{"Tablo aktarıldı!", "Başlangıç satırını boş geçemezsiniz!"}));
    EXPECT_EQ(r.json()["rows"].toArray().size(), 1);

    // Sheet row 5 holds a year before the table's years, row 6 "0,05": the transfer is
    // refused, one message names the first such cell, and -o writes nothing.
    const QString settings = write("Ayarlar.ini", kSettings);
    r = run({"import", kOds, "--settings", settings, "--end", "6", "--json", "-o", path("x.fdr")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.json()["error"].isNull());
    EXPECT_EQ(r.json()["messages"].toArray().size(), 2);
    EXPECT_TRUE(r.json()["messages"][1].toString().startsWith(
        QStringLiteral("5. satır, 1. sütun (Valör Tarihi Sütunu): \"15.07.1905\"")));
    EXPECT_TRUE(r.err.contains("nothing written"));
    EXPECT_FALSE(QFile::exists(path("x.fdr")));

    // A year the recalculation would stop at is refused before the table changes; without
    // -o that is a normal end.
    const QString csv = write("a.csv", "01.02.2020;;;100;\r\n01.02.3000;;;;5\r\n");
    r = run({"import", csv, "--settings", settings, "--start", "1", "--end", "2", "--json"});
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.json()["stopped"].toBool());
    EXPECT_EQ(r.json()["rows"].toArray().size(), 1);

    r = run({"preview", path("yok.xlsx")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(path("yok.xlsx").toUtf8()));
    EXPECT_EQ(run({"import", kOds, "--start", "12a"}).status, 2);
    EXPECT_EQ(run({"preview", kOds, "--start", "1"}).status, 2);
    EXPECT_EQ(run({"preview"}).status, 2);
}
