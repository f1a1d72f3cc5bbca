// `vovirer report` end to end: the texts against an independent reading of the column layout on
// random calculations, and the laid-out pages of the PDF as poppler reads them back.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <ostream>
#include <random>

#include "core/Calculation.h"
#include "core/RecordingDialogs.h"
#include "storage/CalculationFile.h"
#include "tests/cli/VovirerFixture.h"
#include "tests/core/RandomTables.h"
#include "tests/files/SmallFilesystem.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using clitest::Result;

QStringList strings(const QJsonValue& value) {
    QStringList texts;
    for (const auto& v : value.toArray()) texts.push_back(v.toString());
    return texts;
}

// Appends a field; a field that would touch the text before it stays one space apart.
void joinField(QString& line, const QString& field) {
    if (!line.isEmpty() && !field.isEmpty() && line.back() != QLatin1Char(' ') &&
        field.front() != QLatin1Char(' ')) {
        line += QLatin1Char(' ');
    }
    line += field;
}

// The table line read straight from the column table of the printed report: each printed
// column in order, its text filled with spaces on the side away from its alignment and never
// cut, the description with its leading space cut to 25.
QString independentLine(const QStringList& cells, bool wide) {
    struct Field {
        int column, normalWidth, wideWidth;
        bool rightAligned;
    };
    static const Field fields[] = {{0, 3, 3, false},  {2, 12, 12, true},  {3, 25, 25, false},
                                   {4, 14, 17, true}, {5, 14, 17, true},  {6, 11, 14, true},
                                   {7, 0, 14, true},  {10, 14, 17, true}, {11, 0, 17, true}};
    QString line;
    for (const Field& f : fields) {
        const int width = wide ? f.wideWidth : f.normalWidth;
        if (width == 0) continue;
        QString text = cells.value(f.column);
        if (f.column == 3) text = QLatin1Char(' ') + text;
        const QString fill(std::max<qsizetype>(0, width - text.size()), QLatin1Char(' '));
        QString field = f.rightAligned ? fill + text : text + fill;
        if (f.column == 3) field = field.left(25);
        joinField(line, field);
    }
    return line;
}

QStringList independentBody(const QJsonObject& recalc, bool wide) {
    QStringList body;
    for (const auto& row : recalc[QStringLiteral("rows")].toArray()) {
        body.push_back(independentLine(strings(row), wide));
    }
    const QJsonObject t = recalc[QStringLiteral("totals")].toObject();
    const auto total = [&](const char* key) { return t[QLatin1String(key)].toString(); };
    const auto right = [](const QString& text, int width) {
        return QString(std::max<qsizetype>(0, width - text.size()), QLatin1Char(' ')) + text;
    };
    body.push_back(QString());
    QString totalsLine =
        QString(22, QLatin1Char(' ')) + QStringLiteral("TOPLAM") + QString(12, QLatin1Char(' '));
    joinField(totalsLine, right(total("kreditoplamtutariEdit"), wide ? 17 : 14));
    joinField(totalsLine, right(total("odemetoplamtutariEdit"), wide ? 17 : 14));
    joinField(totalsLine, right(total("odenenfaizkkdfEdit"), wide ? 14 : 11));
    body.push_back(totalsLine + QLatin1Char(' '));
    body << QString() << QString();
    const int w = wide ? 18 : 15;
    body << QStringLiteral("Dorud Toplam Tutarı : ") + right(total("kreditoplamtutariEdit"), w)
         << QStringLiteral("Ödeme Toplam Tutarı : ") + right(total("odemetoplamtutariEdit"), w)
         << QStringLiteral("Dorud Bakiye Tutarı : ") + right(total("kredibakiyeEdit"), w)
         << QString()
         << QStringLiteral("Toplam Faiz         : ") + right(total("toplamfaizEdit"), w)
         << QStringLiteral("Toplam BSMV         : ") + right(total("toplamKKDFEdit"), w)
         << QStringLiteral("Ödenen Faiz+BSMV    : ") + right(total("odenenfaizkkdfEdit"), w)
         << QStringLiteral("Ödenmemiş Faiz+BSMV : ") + right(total("odenmemisfaizkkdfEdit"), w)
         << QString();
    return body;
}

class ReportCommandTest : public clitest::VovirerFixture {
  protected:
    QString save(core::Calculation& calc, const QString& name) {
        const QString file = path(name);
        EXPECT_TRUE(storage::WriteCalculationFile(calc, file).ok);
        return file;
    }

    // A credit line of `rows` movements: a drawing on every row, a repayment on every third.
    QString longCalculation(int rows) {
        core::RecordingDialogs dialogs;
        core::Calculation calc(dialogs);
        calc.inputs().creditLineName = QStringLiteral("Uzun Dorud");
        calc.inputs().annualRate = QStringLiteral("24");
        calc.inputs().daysInYear = QStringLiteral("365");
        calc.inputs().bsmvRate = QStringLiteral("5");
        calc.inputs().calculationDate = QDate(2020, 1, 1);
        calc.table().setRowCount(rows + 1);
        for (int r = 1; r <= rows; ++r) {
            calc.table().setCell(core::col::Number, r, QString::number(r));
            calc.table().setCell(
                core::col::TransactionDate, r,
                QDate(2020, 1, 2).addDays(r).toString(QStringLiteral("dd.MM.yyyy")));
            calc.table().setCell(core::col::Description, r,
                                 QStringLiteral("Şube işlemi %1").arg(r));
            calc.table().setCell(core::col::Drawn, r, QStringLiteral("1.000"));
            if (r % 3 == 0) calc.table().setCell(core::col::Repaid, r, QStringLiteral("400"));
        }
        return save(calc, QStringLiteral("rows%1.fdr").arg(rows));
    }
};

TEST_F(ReportCommandTest, LinesMatchAnIndependentReadingOnRandomCalculations) {
    std::mt19937 rng(8);
    const QString letters = QStringLiteral("abcçdefgğhıijklmnoöprsştuüvyzABCÇĞİÖŞÜ ,.-0123456789");
    int compared = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        core::RecordingDialogs dialogs;
        core::Calculation calc(dialogs);
        randomtables::Generator(seed).fill(calc);
        for (int r = 1; r < calc.table().rowCount(); ++r) {
            QString description;
            const int length = std::uniform_int_distribution<int>(0, 32)(rng);
            for (int i = 0; i < length; ++i) {
                description +=
                    letters[std::uniform_int_distribution<int>(0, int(letters.size()) - 1)(rng)];
            }
            calc.table().setCell(core::col::Description, r, description);
        }
        const QString file = save(calc, QStringLiteral("random%1.fdr").arg(seed));
        const bool wide = seed % 2 == 0;
        QStringList args = {QStringLiteral("report"), file, QStringLiteral("--json")};
        if (wide) args << QStringLiteral("--wide");
        const QString company =
            seed % 3 == 0 ? QStringLiteral("Firma %1 A.Ş.").arg(seed) : QString();
        if (!company.isEmpty()) args << QStringLiteral("--company") << company;

        const Result recalc = run({QStringLiteral("recalc"), file, QStringLiteral("--json")});
        const Result report = run(args);
        SCOPED_TRACE(seed);
        // Where opening stopped, the report's own recalculation starts from another table.
        if (recalc.status != 0 || recalc.json()[QStringLiteral("stopped")].toBool()) continue;
        ASSERT_EQ(report.status, 0) << report.err.toStdString();
        const QJsonObject text = report.json();
        EXPECT_EQ(strings(text[QStringLiteral("body")]), independentBody(recalc.json(), wide));
        EXPECT_EQ(text[QStringLiteral("header")].toString(),
                  independentLine(core::TransactionTable::captions(), wide));
        EXPECT_EQ(
            text[QStringLiteral("title")].toString(),
            company.isEmpty()
                ? QStringLiteral("Durvex Vovirer Dorud Programı 2.0 Güncelleme:0 Rapor Dökümü")
                : company);
        const QJsonObject fields = recalc.json()[QStringLiteral("fields")].toObject();
        EXPECT_EQ(text[QStringLiteral("memo6")].toString(),
                  QStringLiteral("Vovirer Adı  : ") +
                      fields[QStringLiteral("rotatifadiEdit")].toString());
        EXPECT_EQ(text[QStringLiteral("memo7")].toString(),
                  QStringLiteral("İşlem Tarihi : ") +
                      fields[QStringLiteral("DateTimePicker61")].toString());
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

TEST_F(ReportCommandTest, PlainTextAndUsage) {
    const QString file = longCalculation(2);
    Result r =
        run({QStringLiteral("report"), file, QStringLiteral("--company"), QStringLiteral("ACME"),
             QStringLiteral("--date"), QStringLiteral("05.05.2021")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6 + 2 + 13 + 1);
    EXPECT_EQ(lines[0], QStringLiteral("ACME"));
    EXPECT_EQ(lines[1], QStringLiteral("Vovirer Adı  : Uzun Dorud"));
    EXPECT_EQ(lines[2], QStringLiteral("İşlem Tarihi : 01.01.2020"));  // the file's date
    EXPECT_EQ(lines[3], QStringLiteral("Yıldaki Gün: 365  Yıllık Faiz: 24  Aylık Faiz: "));
    EXPECT_EQ(lines[4], QStringLiteral("BSMV : 5"));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("   Valör Tarihi Açıklama")));
    EXPECT_EQ(lines[6].left(40), QStringLiteral("1    03.01.2020 Şube işlemi 1           "));

    for (const QStringList& args : QList<QStringList>{
             {QStringLiteral("report"), file, QStringLiteral("-o"), QStringLiteral("x.fdr")},
             {QStringLiteral("report"), file, QStringLiteral("--pdf")},
             {QStringLiteral("recalc"), file, QStringLiteral("--wide")},
             {QStringLiteral("recalc"), file, QStringLiteral("--pdf"), QStringLiteral("x.pdf")},
             {QStringLiteral("report")}}) {
        r = run(args);
        EXPECT_EQ(r.status, 2) << args.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(ReportCommandTest, RecalculationErrorEndsTheReport) {
    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    calc.inputs().annualRate = QStringLiteral("24");
    calc.inputs().daysInYear = QStringLiteral("0");
    calc.table().setRowCount(3);
    calc.table().setCell(core::col::TransactionDate, 1, QStringLiteral("01.03.2019"));
    calc.table().setCell(core::col::Drawn, 1, QStringLiteral("100"));
    calc.table().setCell(core::col::ValueDate, 2, QStringLiteral("31.03.2019"));
    const QString file = save(calc, QStringLiteral("sifir.fdr"));
    const Result r =
        run({QStringLiteral("report"), file, QStringLiteral("--pdf"), QStringLiteral("x.pdf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("Yıldaki Gün")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.pdf"))));
}

TEST_F(ReportCommandTest, PdfThatCannotBeWrittenIsExitOne) {
    const QString file = longCalculation(2);
    const Result r =
        run({QStringLiteral("report"), file, QStringLiteral("--pdf"), QStringLiteral("yok/x.pdf")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Dosya Saklanamıyor:\nyok/x.pdf")) << r.err.toStdString();
}

// A real full disk (a 64 KiB tmpfs, root only): the previous PDF stays byte for byte and a new
// name is not left behind, with no space at all and with some space but not enough.
TEST_F(ReportCommandTest, PdfOnAFullDiskIsExitOneAndKeepsThePreviousFile) {
    testfiles::SmallFilesystem disk(path(QStringLiteral("disk")));
    if (!disk.mounted()) GTEST_SKIP() << "needs root to mount a small tmpfs";
    const QString file = longCalculation(150);
    const QString existing = disk.path(QStringLiteral("eski.pdf"));
    const QByteArray old(5000, 'o');
    for (const qint64 free : {qint64(0), qint64(8192)}) {
        SCOPED_TRACE(free);
        {
            QFile previous(existing);
            ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
            ASSERT_EQ(previous.write(old), old.size());
        }
        ASSERT_TRUE(disk.fill(free));
        for (const QString& target : {existing, disk.path(QStringLiteral("yeni.pdf"))}) {
            const Result r = run({QStringLiteral("report"), file, QStringLiteral("--pdf"), target});
            EXPECT_EQ(r.status, 1);
            EXPECT_TRUE(r.out.isEmpty());
            EXPECT_TRUE(r.err.contains("vovirer: Dosya Saklanamıyor:\n" + target.toUtf8() + '\n'))
                << r.err.toStdString();
        }
        QFile kept(existing);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), old);
        EXPECT_EQ(QDir(disk.path(QString())).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("dolgu"), QStringLiteral("eski.pdf")}));
    }
}

QString simplified(const QString& text) { return text.simplified(); }

// Three pages in both layouts, read back with poppler's pdftotext.
TEST_F(ReportCommandTest, PdfPagesCarryHeaderTitleAndPageNumbers) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "poppler-utils is not installed";
    struct Case {
        bool wide;
        int rows;
    };
    for (const Case c : {Case{false, 150}, Case{true, 100}}) {
        SCOPED_TRACE(c.wide ? "wide" : "normal");
        const QString file = longCalculation(c.rows);
        QStringList args = {QStringLiteral("report"), file, QStringLiteral("--json"),
                            QStringLiteral("--pdf"), QStringLiteral("out.pdf")};
        if (c.wide) args << QStringLiteral("--wide");
        const Result r = run(args);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QString header = r.json()[QStringLiteral("header")].toString();

        const Result text = runProgram(
            pdftotext, {QStringLiteral("-layout"), QStringLiteral("out.pdf"), QStringLiteral("-")});
        ASSERT_EQ(text.status, 0);
        QStringList pages = QString::fromUtf8(text.out).split(QLatin1Char('\f'));
        if (pages.last().trimmed().isEmpty()) pages.removeLast();
        ASSERT_EQ(pages.size(), 3);
        const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
        for (int p = 0; p < 3; ++p) {
            const QString page = pages[p];
            EXPECT_TRUE(simplified(page).contains(simplified(header))) << page.toStdString();
            EXPECT_EQ(page.count(QRegularExpression(QStringLiteral("Sayfa \\d+"))), 1);
            EXPECT_TRUE(page.contains(QStringLiteral("Sayfa %1").arg(p + 1)));
            EXPECT_TRUE(page.contains(today));
            EXPECT_EQ(page.contains(QStringLiteral("Vovirer Adı")), p == 0);
            EXPECT_EQ(page.contains(QStringLiteral("Rapor Dökümü")), p == 0);
        }
        EXPECT_TRUE(
            simplified(pages[0]).contains(QStringLiteral("1 03.01.2020 Şube işlemi 1 1.000,00")));
        EXPECT_TRUE(pages[2].contains(QStringLiteral("Ödenmemiş Faiz+BSMV")));
    }
}

}  // namespace
