#include "output/report/ReportTemplate.h"

#include <stdexcept>

namespace report {
namespace {

// Liberation Mono has the advance of the classic typewriter face, so at 9 pt 93 and 136
// characters fit the text widths of the two papers.
const FontStyle kTextFont{QStringLiteral("Liberation Mono"), 9};
const FontStyle kDateFont{QStringLiteral("Liberation Mono"), 10};
const FontStyle kMemoFont{QStringLiteral("Liberation Sans"), 10};
const FontStyle kSerifFont{QStringLiteral("Liberation Serif"), 12};

// The values where the two templates differ.
struct Measures {
    QSizeF paper;
    bool landscape;
    QMarginsF margins;
    double textWidth;
    double dateX;
    double summaryHeight;
    double bodyHeight;
    double ruleX;
    double pageNumberX;
    double pageNumberWidth;
};

TemplateObject memo(const char* name, QRectF rect, const FontStyle& font,
                    TextAlign align = TextAlign::Left, bool ruleOnTop = false,
                    const QString& text = QString()) {
    TemplateObject object;
    object.name = QLatin1String(name);
    object.rectMm = rect;
    object.font = font;
    object.align = align;
    object.ruleOnTop = ruleOnTop;
    object.text = text;
    return object;
}

ReportTemplate makeTemplate(const Measures& m) {
    const double x = 14.5;
    const double w = m.textWidth;
    TemplateObject heading = memo("Memo5", {x, 1.1, w, 5.0}, kSerifFont, TextAlign::Center);
    heading.font.bold = true;
    TemplateObject columnHeader = memo("Memo1", {x, 6.7, w, 5.0}, kMemoFont);
    columnHeader.font.underline = true;

    ReportTemplate t;
    t.title = QStringLiteral("Durvex Rapor Önizleme ");
    t.paperMm = m.paper;
    t.landscape = m.landscape;
    t.marginsMm = m.margins;
    t.bands = {
        {QStringLiteral("ReportTitle1"),
         BandKind::ReportTitle,
         32.2,
         {heading, memo("Memo6", {x, 10.0, w, 5.0}, kMemoFont),
          memo("Memo7", {x, 15.5, w, 5.0}, kMemoFont), memo("Memo8", {x, 21.1, w, 5.0}, kMemoFont),
          memo("Memo9", {x, 26.6, w, 5.0}, kMemoFont)}},
        {QStringLiteral("PageHeader1"),
         BandKind::PageHeader,
         12.2,
         {memo("Memo3", {m.dateX, 0.6, 41.3, 5.0}, kDateFont, TextAlign::Right, false,
               QStringLiteral("[DATE]")),
          columnHeader}},
        {QStringLiteral("ReportSummary1"),
         BandKind::ReportSummary,
         m.summaryHeight,
         {memo("Rich1", {x, 1.7, w, m.bodyHeight}, kMemoFont)}},
        {QStringLiteral("PageFooter1"),
         BandKind::PageFooter,
         11.1,
         {memo("Memo2", {m.ruleX, 4.4, 154.1, 6.1}, kSerifFont, TextAlign::Left, true),
          memo("Memo4", {m.pageNumberX, 4.4, m.pageNumberWidth, 6.1}, kSerifFont, TextAlign::Right,
               true, QStringLiteral("Sayfa [PAGE#]"))}},
    };
    return t;
}

TemplateObject& required(ReportTemplate& t, const QString& name) {
    TemplateObject* object = t.findObject(name);
    if (!object) throw std::logic_error("report template without " + name.toStdString());
    return *object;
}

}  // namespace

TemplateObject* ReportTemplate::findObject(const QString& name) {
    for (TemplateBand& band : bands) {
        for (TemplateObject& object : band.objects) {
            if (object.name.compare(name, Qt::CaseInsensitive) == 0) return &object;
        }
    }
    return nullptr;
}

const TemplateObject* ReportTemplate::findObject(const QString& name) const {
    return const_cast<ReportTemplate*>(this)->findObject(name);
}

const TemplateBand* ReportTemplate::findBand(BandKind kind) const {
    for (const TemplateBand& band : bands) {
        if (band.kind == kind) return &band;
    }
    return nullptr;
}

ReportTemplate NormalReportTemplate() {
    return makeTemplate({{210, 297},
                         false,
                         {12.0, 11.9, 12.0, 11.9},
                         183.1,
                         156.3,
                         209.6,
                         206.8,
                         14.5,
                         168.6,
                         29.0});
}

ReportTemplate WideReportTemplate() {
    return makeTemplate({{297, 210},
                         true,
                         {10.9, 10.8, 10.9, 10.8},
                         270.2,
                         243.4,
                         128.6,
                         125.9,
                         11.2,
                         165.2,
                         120.6});
}

ReportTemplate FilledReportTemplate(ReportWidth width, const ReportText& text) {
    ReportTemplate t = width == ReportWidth::Wide ? WideReportTemplate() : NormalReportTemplate();
    const std::pair<const char*, const QString*> memos[] = {
        {"Memo1", &text.columnHeader}, {"Memo6", &text.creditLineLine}, {"Memo7", &text.dateLine},
        {"Memo8", &text.ratesLine},    {"Memo9", &text.taxLine},
    };
    for (const auto& [name, value] : memos) {
        TemplateObject& memo = required(t, QLatin1String(name));
        memo.text = *value;
        memo.font = kTextFont;
    }
    required(t, QStringLiteral("Memo5")).text = text.heading;
    TemplateObject& body = required(t, QStringLiteral("Rich1"));
    body.font = kTextFont;
    body.lines = text.body;
    t.title = kReportTitle;
    return t;
}

}  // namespace report
