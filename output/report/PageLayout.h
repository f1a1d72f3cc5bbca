#pragma once

#include <QDate>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

#include "output/report/ReportTemplate.h"

namespace report {

// One text placed on a page, in millimetres from the sheet's top left corner.
struct PlacedText {
    QString text;
    QRectF rectMm;
    FontStyle font;
    TextAlign align = TextAlign::Left;
    bool ruleOnTop = false;
};

struct LaidOutPage {
    std::vector<PlacedText> texts;
};

// A report laid out into pages once; the screen, the printer and PDF only paint them.
struct LaidOutReport {
    QString title;
    QSizeF paperMm;
    bool landscape = false;
    std::vector<LaidOutPage> pages;
};

// The height of a line of a monospaced font and the width of one of its characters.
double LineHeightMm(const FontStyle& font);
double CharacterWidthMm(const FontStyle& font);

// Breaks a line wider than `capacity` characters after the last space that fits, as a text
// box that wraps words does; a word longer than a whole line is broken where the line ends.
QStringList WrapLine(const QString& line, int capacity);

// Lays the template out: the title band on page 1, the page header on every page, the body
// lines of the summary band running on from page to page, the footer at the bottom margin of
// every page. [DATE] becomes `preparedOn`, [PAGE#] the page number.
LaidOutReport LayOutReport(const ReportTemplate& t, const QDate& preparedOn);

}  // namespace report
