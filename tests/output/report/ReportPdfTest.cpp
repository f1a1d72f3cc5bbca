#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "output/report/ReportPdf.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// A word as poppler's pdftotext -bbox finds it, in points from the page's top left corner.
struct Word {
    QString text;
    double xMin = 0;
    double xMax = 0;
    double yMax = 0;
};

std::vector<Word> WordsOf(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) return {};
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<Word> words;
    for (const auto& m : word.globalMatch(html)) {
        words.push_back({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble()});
    }
    return words;
}

report::PlacedText Placed(const QString& text, QRectF mm, report::FontStyle font,
                          report::TextAlign align, bool rule = false) {
    return {text, mm, std::move(font), align, rule};
}

const report::FontStyle kMono{QStringLiteral("Liberation Mono"), 9};
const report::FontStyle kSerif{QStringLiteral("Liberation Serif"), 12};
const report::FontStyle kSerifBold{QStringLiteral("Liberation Serif"), 12, true};

// Each alignment puts its text where the window draws it, in the fonts named, embedded, and a
// reader gets back the very characters (Turkish letters included) from every page.
TEST(ReportPdfTest, TextsKeepTheirPlacesCharactersAndFonts) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "poppler-utils is not installed";
    report::LaidOutReport laidOut;
    laidOut.title = QStringLiteral("Başlık");
    laidOut.paperMm = QSizeF(210, 297);
    const QRectF box(20, 30, 100, 6);
    laidOut.pages.resize(2);
    laidOut.pages[0].texts = {
        Placed(QStringLiteral("İşlem ğüşöçı ĞÜŞÖÇ"), box, kMono, report::TextAlign::Left),
        Placed(QStringLiteral("Sayfa"), box.translated(0, 10), kSerif, report::TextAlign::Right,
               true),
        Placed(QStringLiteral("Ortada"), box.translated(0, 20), kSerifBold,
               report::TextAlign::Center),
    };
    laidOut.pages[1].texts = {
        Placed(QStringLiteral("(ikinci) \\ sayfa"), box, kMono, report::TextAlign::Left)};

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rapor.pdf"));
    ASSERT_EQ(report::WriteReportPdf(laidOut, path), std::nullopt);

    const std::vector<Word> words = WordsOf(path);
    QStringList texts;
    for (const Word& w : words) texts << w.text;
    EXPECT_EQ(texts.join(QLatin1Char(' ')),
              QStringLiteral("İşlem ğüşöçı ĞÜŞÖÇ Sayfa Ortada (ikinci) \\ sayfa"));
    ASSERT_GE(words.size(), 5u);
    const double left = box.left() * kPointsPerMm;
    const double right = box.right() * kPointsPerMm;
    EXPECT_NEAR(words[0].xMin, left, 1.0);
    EXPECT_NEAR(words[3].xMax, right, 1.0);
    EXPECT_NEAR((words[4].xMin + words[4].xMax) / 2, (left + right) / 2, 1.0);
    // The baseline one ascent below the top of the box: the line sits inside its box.
    EXPECT_GT(words[0].yMax, box.top() * kPointsPerMm);
    EXPECT_LT(words[0].yMax, box.bottom() * kPointsPerMm + 1.0);

    QProcess fonts;
    fonts.start(QStandardPaths::findExecutable(QStringLiteral("pdffonts")), {path});
    fonts.waitForFinished(30000);
    const QStringList lines =
        QString::fromUtf8(fonts.readAllStandardOutput()).split(QLatin1Char('\n'));
    QStringList embedded;
    for (const QString& line : lines.mid(2)) {
        const QStringList columns = line.simplified().split(QLatin1Char(' '));
        if (columns.size() < 7) continue;
        EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << line.toStdString();
        embedded << columns[0].section(QLatin1Char('+'), 1);
    }
    embedded.sort();
    EXPECT_EQ(embedded,
              (QStringList{QStringLiteral("LiberationMono"), QStringLiteral("LiberationSerif"),
                           QStringLiteral("LiberationSerif-Bold")}));
}

}  // namespace
