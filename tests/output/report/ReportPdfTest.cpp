#include <gtest/gtest.h>

#include <QDate>
#include <QGuiApplication>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "output/report/PageLayout.h"
#include "output/report/PagePainter.h"
#include "output/report/PdfJoin.h"
#include "output/report/ReportTemplate.h"

namespace {

report::LaidOutReport reportWithBodyLines(report::ReportWidth width, int count) {
    report::ReportText text;
    text.heading = QStringLiteral("Başlık");
    text.creditLineLine = QStringLiteral("Vovirer Adı  : Çağ Şube");
    text.columnHeader = QStringLiteral("     Valör Tarihi Açıklama        Dorud Tutarı");
    for (int i = 1; i <= count; ++i) {
        text.body.push_back(QStringLiteral("%1     06.01.2016 Hareket %1, şube ödemesi     %2,00")
                                .arg(i, -6)
                                .arg(i * 7));
    }
    return report::LayOutReport(report::FilledReportTemplate(width, text), QDate(2026, 12, 10));
}

// What one of poppler's tools reads from the document.
QString popplerReading(const QString& tool, const QStringList& options, const QByteArray& pdf) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("r.pdf"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size() || !out.flush()) return {};
    out.close();
    QProcess process;
    QStringList arguments = options;
    arguments << file;
    if (tool == QLatin1String("pdftotext")) arguments << QStringLiteral("-");
    process.start(tool, arguments);
    if (!process.waitForFinished(60'000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text laid out as on the pages, page by page.
QString textOf(const QByteArray& pdf) {
    return popplerReading(QStringLiteral("pdftotext"), {QStringLiteral("-layout")}, pdf);
}

QString titleOf(const QByteArray& pdf) {
    for (const QString& line : popplerReading(QStringLiteral("pdfinfo"), {}, pdf).split(u'\n')) {
        if (line.startsWith(QLatin1String("Title:"))) return line.mid(6).trimmed();
    }
    return {};
}

class ReportPdfTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils is not installed";
        }
    }
};

// Pages painted in runs at once and joined read exactly as the same pages painted in one go,
// in order, with the report's title kept.
TEST_F(ReportPdfTest, PagesPaintedInRunsReadAsOneDocument) {
    struct Case {
        report::ReportWidth width;
        int parts;
    };
    for (const Case c : {Case{report::ReportWidth::Normal, 2}, Case{report::ReportWidth::Normal, 3},
                         Case{report::ReportWidth::Wide, 4}, Case{report::ReportWidth::Wide, 99}}) {
        SCOPED_TRACE(testing::Message()
                     << "wide " << (c.width == report::ReportWidth::Wide) << ", parts " << c.parts);
        const report::LaidOutReport laidOut = reportWithBodyLines(c.width, 500);
        ASSERT_GE(laidOut.pages.size(), 8u);
        const std::optional<QByteArray> whole = report::ReportPdfBytes(laidOut, 1);
        const std::optional<QByteArray> joined = report::ReportPdfBytes(laidOut, c.parts);
        ASSERT_TRUE(whole && joined);
        const QString expected = textOf(*whole);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(textOf(*joined), expected);
        EXPECT_EQ(textOf(*joined).count(QLatin1Char('\f')), static_cast<int>(laidOut.pages.size()));
        EXPECT_EQ(titleOf(*joined), laidOut.title);
    }
}

// The right edge of each word that poppler finds, by the word's text.
QHash<QString, QString> rightEdgesOfWords(const QByteArray& pdf) {
    const QString html =
        popplerReading(QStringLiteral("pdftotext"), {QStringLiteral("-bbox")}, pdf);
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="[^"]*" yMin="[^"]*" xMax="([^"]*)" yMax="[^"]*">([^<]*)</word>)re"));
    QHash<QString, QString> edges;
    for (const QRegularExpressionMatch& m : word.globalMatch(html))
        edges.insert(m.captured(2), m.captured(1));
    return edges;
}

// Blanks are not drawn, yet the word after them stands exactly where it stands after the same
// number of visible characters, to the last digit poppler gives, also after runs of blanks
// wider than the PDF writer's exact steps.
TEST_F(ReportPdfTest, WordsAfterBlanksStandWhereVisibleCharactersPutThem) {
    // Runs of blanks of every width around the writer's largest exact step, after a word and
    // at the start of a line, and after a number as in the report's rows.
    QStringList linesWithBlanks;
    for (int blanks = 1; blanks <= 110; blanks += blanks < 16 || blanks > 40 ? 9 : 1) {
        const QString run(blanks, QLatin1Char(' '));
        for (const QString& line : {QStringLiteral("A") + run, run,
                                    QStringLiteral("1.000,00") + run + QStringLiteral("24  ")}) {
            linesWithBlanks << line + QStringLiteral("Q%1").arg(linesWithBlanks.size());
        }
    }
    report::ReportText text;
    text.heading = QStringLiteral("Başlık");
    for (const QString& line : linesWithBlanks) {
        text.body.push_back(line);
        text.body.push_back(QString(line).replace(QLatin1Char(' '), QLatin1Char('.')));
    }
    const std::optional<QByteArray> pdf = report::ReportPdfBytes(
        report::LayOutReport(report::FilledReportTemplate(report::ReportWidth::Wide, text),
                             QDate(2026, 12, 10)),
        1);
    ASSERT_TRUE(pdf);
    const QHash<QString, QString> edges = rightEdgesOfWords(*pdf);
    for (int i = 0; i < linesWithBlanks.size(); ++i) {
        const QString last = QStringLiteral("Q%1").arg(i);
        const QString dotted =
            QString(linesWithBlanks[i]).replace(QLatin1Char(' '), QLatin1Char('.'));
        SCOPED_TRACE(linesWithBlanks[i].toStdString());
        ASSERT_TRUE(edges.contains(last) && edges.contains(dotted));
        EXPECT_EQ(edges.value(last), edges.value(dotted));
    }
}

TEST_F(ReportPdfTest, DocumentsThatAreNoPdfAreNotJoined) {
    const std::optional<QByteArray> page =
        report::ReportPdfBytes(reportWithBodyLines(report::ReportWidth::Normal, 3), 1);
    ASSERT_TRUE(page);
    EXPECT_FALSE(report::JoinPdfDocuments({*page, QByteArray("%PDF-1.4 bozuk")}));
    EXPECT_FALSE(report::JoinPdfDocuments({}));
    EXPECT_EQ(report::JoinPdfDocuments({*page}), page);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
