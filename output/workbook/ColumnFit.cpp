#include "output/workbook/ColumnFit.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"

namespace output {
namespace {

// Advance widths in thousandths of an em of the printable ASCII characters (32 to 126) in
// the cells' face (kCellFont), regular and bold.
constexpr short kRegular[95] = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  //
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  //
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  //
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  //
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  //
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};
constexpr short kBold[95] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,  //
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,  //
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,  //
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,  //
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,  //
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
// Characters outside the table (CJK, symbols) are taken as a full em: too wide rather
// than cut off.
constexpr int kUnknownAdvance = 1000;

constexpr double kDefaultDigitPixels = 7;  // the default font's digit at 96 dpi
constexpr double kCellMarginPixels = 6;
constexpr double kMaxColumnWidth = 255;

int Advance(QChar ch, bool bold) {
    char16_t code = ch.unicode();
    if (code == u'\u0131') code = u'i';  // dotless i
    if (code > 126) {
        // Accented letters (Ç, Ğ, İ, Ö, Ş, Ü ...) are as wide as their base letter.
        const QString base = ch.decomposition();
        if (!base.isEmpty() && base.front().unicode() <= 126) code = base.front().unicode();
    }
    if (code < 32 || code > 126) return kUnknownAdvance;
    return (bold ? kBold : kRegular)[code - 32];
}

}  // namespace

QString DisplayedText(const SheetCell& cell, const core::Separators& seps) {
    switch (cell.kind) {
        case SheetCell::Kind::Empty:
            return {};
        case SheetCell::Kind::Text:
            return cell.text;
        case SheetCell::Kind::Number:
        case SheetCell::Kind::Formula:
            return cell.amountFormat ? core::FormatAmount(cell.number, seps)
                                     : core::GeneralText(cell.number, seps);
    }
    return {};
}

double ColumnWidthFor(const QString& text, bool bold, bool large) {
    long long units = 0;
    for (const QChar ch : text) units += Advance(ch, bold);
    const double points = large ? 12 : 11;
    const double pixels = double(units) / 1000 * points * 96 / 72;
    // Quarter characters, rounded up.
    const double width = std::ceil((pixels + kCellMarginPixels) / kDefaultDigitPixels * 4) / 4;
    return std::min(width, kMaxColumnWidth);
}

std::map<int, double> ColumnWidths(const Worksheet& sheet) {
    std::map<int, double> widths = sheet.columnWidths();
    for (const ColumnFit& fit : sheet.columnFits()) {
        for (int column = fit.firstColumn; column <= fit.lastColumn; ++column) {
            double widest = 0;
            for (int row = std::max(fit.fromRow, 1); row <= sheet.rowCount(); ++row) {
                const SheetCell& cell = sheet.cell(row, column);
                if (!cell.hasValue()) continue;
                widest = std::max(widest, ColumnWidthFor(DisplayedText(cell, sheet.separators()),
                                                         cell.bold, cell.large));
            }
            if (widest > 0) widths[column] = widest;
        }
    }
    return widths;
}

}  // namespace output
