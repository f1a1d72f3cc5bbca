#pragma once

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

#include "output/report/ReportText.h"

namespace report {

struct FontStyle {
    QString family;
    double pointSize = 10;
    bool bold = false;
    bool underline = false;

    bool operator==(const FontStyle&) const = default;
};

enum class TextAlign { Left, Center, Right };

// A text object of a band. Its x is measured from the sheet's left edge, its y from the top
// of its band, both in millimetres. A text may hold the fields [DATE] (the day the report is
// prepared) and [PAGE#] (the page number). The body object holds lines instead of a text.
struct TemplateObject {
    QString name;
    QRectF rectMm;
    FontStyle font;
    TextAlign align = TextAlign::Left;
    bool ruleOnTop = false;
    QString text;
    QStringList lines;
};

enum class BandKind {
    ReportTitle,    // first page only
    PageHeader,     // every page
    ReportSummary,  // once, after the first page header; its body runs on across pages
    PageFooter,     // every page, at the bottom margin
};

struct TemplateBand {
    QString name;
    BandKind kind;
    double heightMm;
    std::vector<TemplateObject> objects;
};

// A page template: paper, margins and bands with their objects.
struct ReportTemplate {
    QString title;
    QSizeF paperMm;
    bool landscape = false;
    QMarginsF marginsMm;
    std::vector<TemplateBand> bands;

    // Finds an object by name without regard to case; null when there is none.
    TemplateObject* findObject(const QString& name);
    const TemplateObject* findObject(const QString& name) const;
    const TemplateBand* findBand(BandKind kind) const;
};

// The empty templates of the normal (A4 portrait) and wide (A4 landscape) report.
ReportTemplate NormalReportTemplate();
ReportTemplate WideReportTemplate();

inline const QString kReportTitle = QStringLiteral("Durvex Rapor Önizleme - Vovirer kredi raporu");

// The template of the given width with the report's texts put in, its title set and the
// monospaced text font given to the lines that must keep their columns.
ReportTemplate FilledReportTemplate(ReportWidth width, const ReportText& text);

}  // namespace report
