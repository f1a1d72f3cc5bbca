#include "output/report/PageLayout.h"

#include <cmath>

#include "core/DateText.h"

namespace report {
namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// Liberation Mono: advance 0.6 em; ascent and descent together 1.1333 em, no line gap.
constexpr double kMonoAdvanceEm = 0.6;
constexpr double kMonoLineEm = 1.1333;

QString evaluated(QString text, const QDate& preparedOn, int pageNumber) {
    text.replace(QLatin1String("[DATE]"), core::DateText(preparedOn));
    text.replace(QLatin1String("[PAGE#]"), QString::number(pageNumber));
    return text;
}

class PageBuilder {
  public:
    PageBuilder(const ReportTemplate& t, const QDate& preparedOn)
        : t_(t),
          preparedOn_(preparedOn),
          header_(t.findBand(BandKind::PageHeader)),
          footer_(t.findBand(BandKind::PageFooter)) {}

    LaidOutReport build() {
        report_.title = t_.title;
        report_.paperMm = t_.paperMm;
        report_.landscape = t_.landscape;
        startPage();
        if (const TemplateBand* title = t_.findBand(BandKind::ReportTitle)) {
            place(*title, y_);
            y_ += title->heightMm;
        }
        placeHeader();
        if (const TemplateBand* summary = t_.findBand(BandKind::ReportSummary)) {
            placeSummary(*summary);
        }
        return std::move(report_);
    }

  private:
    double footerTop() const {
        const double bottom = t_.paperMm.height() - t_.marginsMm.bottom();
        return footer_ ? bottom - footer_->heightMm : bottom;
    }

    void startPage() {
        report_.pages.emplace_back();
        y_ = t_.marginsMm.top();
        if (footer_) place(*footer_, footerTop());
    }

    void placeHeader() {
        if (!header_) return;
        place(*header_, y_);
        y_ += header_->heightMm;
    }

    void place(const TemplateBand& band, double top) {
        const int pageNumber = static_cast<int>(report_.pages.size());
        for (const TemplateObject& object : band.objects) {
            if (!object.lines.isEmpty()) continue;
            report_.pages.back().texts.push_back({evaluated(object.text, preparedOn_, pageNumber),
                                                  object.rectMm.translated(0, top), object.font,
                                                  object.align, object.ruleOnTop});
        }
    }

    // Lines that do not fit above the footer go on to the next page, below its header.
    void placeSummary(const TemplateBand& summary) {
        for (const TemplateObject& object : summary.objects) {
            if (object.lines.isEmpty()) {
                place({summary.name, summary.kind, summary.heightMm, {object}}, y_);
                continue;
            }
            const double lineHeight = LineHeightMm(object.font);
            const int capacity =
                static_cast<int>(std::floor(object.rectMm.width() / CharacterWidthMm(object.font)));
            double lineTop = y_ + object.rectMm.top();
            for (const QString& line : object.lines) {
                for (const QString& part : WrapLine(line, capacity)) {
                    if (lineTop + lineHeight > footerTop() + 1e-9) {
                        startPage();
                        placeHeader();
                        lineTop = y_ + object.rectMm.top();
                    }
                    report_.pages.back().texts.push_back(
                        {part,
                         QRectF(object.rectMm.left(), lineTop, object.rectMm.width(), lineHeight),
                         object.font, TextAlign::Left, false});
                    lineTop += lineHeight;
                }
            }
        }
    }

    const ReportTemplate& t_;
    QDate preparedOn_;
    const TemplateBand* header_;
    const TemplateBand* footer_;
    LaidOutReport report_;
    double y_ = 0;
};

}  // namespace

double LineHeightMm(const FontStyle& font) { return font.pointSize * kMonoLineEm * kMmPerPoint; }

double CharacterWidthMm(const FontStyle& font) {
    return font.pointSize * kMonoAdvanceEm * kMmPerPoint;
}

QStringList WrapLine(const QString& line, int capacity) {
    QStringList parts;
    QString rest = line;
    while (capacity > 0 && rest.size() > capacity) {
        // The spaces at a break stay at the end of the upper line.
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), capacity);
        if (cut <= 0) {
            cut = capacity;
        } else {
            while (cut < rest.size() && rest[cut] == QLatin1Char(' ')) ++cut;
        }
        parts.push_back(rest.left(std::min(cut, qsizetype(capacity))));
        rest = rest.mid(cut);
        if (rest.isEmpty()) return parts;
    }
    parts.push_back(rest);
    return parts;
}

LaidOutReport LayOutReport(const ReportTemplate& t, const QDate& preparedOn) {
    return PageBuilder(t, preparedOn).build();
}

}  // namespace report
