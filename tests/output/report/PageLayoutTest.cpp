#include <gtest/gtest.h>

#include <QDate>
#include <ostream>

#include "output/report/PageLayout.h"

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

using report::ReportWidth;

report::ReportText textWithBodyLines(int count) {
    report::ReportText text;
    text.heading = QStringLiteral("Başlık");
    text.creditLineLine = QStringLiteral("Vovirer Adı  : X");
    text.columnHeader = QStringLiteral("   Valör Tarihi");
    for (int i = 1; i <= count; ++i) text.body.push_back(QStringLiteral("satır %1").arg(i));
    return text;
}

std::vector<const report::PlacedText*> textsOf(const report::LaidOutPage& page,
                                               const QString& text) {
    std::vector<const report::PlacedText*> found;
    for (const auto& placed : page.texts) {
        if (placed.text == text) found.push_back(&placed);
    }
    return found;
}

// Body lines per page: page 1 below the title block, later pages below the page header only.
struct PageFlowCase {
    ReportWidth width;
    int firstPageLines;
    int laterPageLines;
};

TEST(PageLayout, BodyRunsOnAcrossPagesUnderARepeatedHeader) {
    const QDate preparedOn(2026, 12, 10);
    for (const PageFlowCase& c :
         {PageFlowCase{ReportWidth::Normal, 60, 68}, PageFlowCase{ReportWidth::Wide, 36, 45}}) {
        const int lines = c.firstPageLines + c.laterPageLines + 1;
        const auto t = report::FilledReportTemplate(c.width, textWithBodyLines(lines));
        const auto laidOut = report::LayOutReport(t, preparedOn);
        ASSERT_EQ(laidOut.pages.size(), 3u);
        EXPECT_EQ(laidOut.title, QStringLiteral("Durvex Rapor Önizleme - Vovirer kredi raporu"));
        EXPECT_EQ(laidOut.landscape, c.width == ReportWidth::Wide);

        int page = 0;
        for (const auto& p : laidOut.pages) {
            ++page;
            EXPECT_EQ(textsOf(p, QStringLiteral("Başlık")).size(), page == 1 ? 1u : 0u);
            EXPECT_EQ(textsOf(p, QStringLiteral("Vovirer Adı  : X")).size(), page == 1 ? 1u : 0u);
            EXPECT_EQ(textsOf(p, QStringLiteral("   Valör Tarihi")).size(), 1u);
            EXPECT_EQ(textsOf(p, QStringLiteral("10.12.2026")).size(), 1u);
            const auto number = textsOf(p, QStringLiteral("Sayfa %1").arg(page));
            ASSERT_EQ(number.size(), 1u);
            EXPECT_TRUE(number[0]->ruleOnTop);
            EXPECT_EQ(number[0]->align, report::TextAlign::Right);
            // The footer sits on the bottom margin.
            EXPECT_NEAR(number[0]->rectMm.top() - 4.4 + 11.1,
                        laidOut.paperMm.height() - t.marginsMm.bottom(), 1e-9);
        }
        EXPECT_EQ(
            textsOf(laidOut.pages[0], QStringLiteral("satır %1").arg(c.firstPageLines)).size(), 1u);
        EXPECT_EQ(
            textsOf(laidOut.pages[1], QStringLiteral("satır %1").arg(c.firstPageLines + 1)).size(),
            1u);
        EXPECT_EQ(textsOf(laidOut.pages[2], QStringLiteral("satır %1").arg(lines)).size(), 1u);
        // One line less fits on two pages.
        const auto twoPages = report::LayOutReport(
            report::FilledReportTemplate(c.width, textWithBodyLines(lines - 1)), preparedOn);
        EXPECT_EQ(twoPages.pages.size(), 2u);
    }
}

TEST(PageLayout, NothingCrossesTheMarginsAndTheFooterRulesMeet) {
    for (ReportWidth width : {ReportWidth::Normal, ReportWidth::Wide}) {
        report::ReportText text = textWithBodyLines(3);
        text.body.push_back(QString(136, QLatin1Char('x')));
        const auto t = report::FilledReportTemplate(width, text);
        const auto laidOut = report::LayOutReport(t, QDate(2026, 1, 2));
        const double right = laidOut.paperMm.width() - t.marginsMm.right();
        const double bottom = laidOut.paperMm.height() - t.marginsMm.bottom();
        const report::PlacedText* rule = nullptr;
        const report::PlacedText* pageNumber = nullptr;
        for (const auto& placed : laidOut.pages[0].texts) {
            EXPECT_LE(placed.rectMm.right(), right + 1e-9) << placed.text.toStdString();
            EXPECT_LE(placed.rectMm.bottom(), bottom + 1e-9) << placed.text.toStdString();
            EXPECT_GE(placed.rectMm.left(), t.marginsMm.left() - 1e-9);
            if (placed.ruleOnTop) (placed.text.isEmpty() ? rule : pageNumber) = &placed;
            if (placed.font.family == QLatin1String("Liberation Mono") &&
                placed.font.pointSize == 9) {
                // Every monospaced line fits the text width.
                EXPECT_LE(placed.text.size() * report::CharacterWidthMm(placed.font),
                          placed.rectMm.width());
            }
        }
        ASSERT_TRUE(rule && pageNumber);
        EXPECT_NEAR(rule->rectMm.right(), pageNumber->rectMm.left(), 0.15);
        EXPECT_EQ(rule->rectMm.top(), pageNumber->rectMm.top());
    }
}

TEST(PageLayout, ThePrintedWidthsFitTheirLines) {
    const report::FontStyle mono{QStringLiteral("Liberation Mono"), 9};
    EXPECT_NEAR(report::CharacterWidthMm(mono), 1.905, 1e-9);
    EXPECT_LE(93 * report::CharacterWidthMm(mono), 183.1);
    EXPECT_LE(136 * report::CharacterWidthMm(mono), 270.2);
}

TEST(PageLayout, WrapLineBreaksAfterTheLastSpaceThatFits) {
    struct Case {
        QString line;
        int capacity;
        QStringList parts;
    };
    const Case cases[] = {
        {QStringLiteral("abc def"), 10, {QStringLiteral("abc def")}},
        {QStringLiteral("abc def ghi"), 8, {QStringLiteral("abc def "), QStringLiteral("ghi")}},
        {QStringLiteral("abc    def"), 5, {QStringLiteral("abc  "), QStringLiteral("def")}},
        {QStringLiteral("abcdefghij"),
         4,
         {QStringLiteral("abcd"), QStringLiteral("efgh"), QStringLiteral("ij")}},
        {QStringLiteral("ab       "), 4, {QStringLiteral("ab  ")}},
        {QString(), 4, {QString()}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(report::WrapLine(c.line, c.capacity), c.parts) << c.line.toStdString();
    }
}

TEST(PageLayout, TemplateObjectsAreFoundWithoutRegardToCase) {
    auto t = report::NormalReportTemplate();
    ASSERT_NE(t.findObject(QStringLiteral("rich1")), nullptr);
    EXPECT_EQ(t.findObject(QStringLiteral("rich1"))->name, QStringLiteral("Rich1"));
    EXPECT_EQ(t.findObject(QStringLiteral("MEMO4"))->text, QStringLiteral("Sayfa [PAGE#]"));
    EXPECT_EQ(t.findObject(QStringLiteral("Memo99")), nullptr);
}

}  // namespace
