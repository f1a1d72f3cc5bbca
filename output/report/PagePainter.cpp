#include "output/report/PagePainter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

#include "files/FileMessages.h"
#include "files/SafeWrite.h"
#include "output/report/PdfJoin.h"

namespace report {
namespace {

QFont fontAt(const FontStyle& style, double pixelsPerMm, const QPaintDevice& device) {
    QFont font(style.family);
    const bool monospaced = style.family.contains(QLatin1String("Mono"));
    font.setStyleHint(monospaced ? QFont::TypeWriter : QFont::Serif);
    // A monospaced line is one glyph per character at fixed steps: shaping it, which most of
    // the report's painting time went to, changes nothing.
    if (monospaced) font.setStyleStrategy(QFont::PreferNoShaping);
    // Point sizes are resolved against the device's own resolution; scale them so a point
    // stays 1/72 inch of paper at any zoom.
    const double scale = pixelsPerMm * 25.4 / device.logicalDpiY();
    font.setPointSizeF(style.pointSize * scale);
    font.setBold(style.bold);
    font.setUnderline(style.underline);
    font.setKerning(false);
    // Unhinted advances keep the lines of a monospaced font as wide as on paper at any zoom;
    // hinted ones round each character up to whole screen pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Screen fonts round each character's advance to whole pixels, so a monospaced line can come
// out several per cent wider than on paper; a horizontal stretch puts every column back where
// the paper has it.
double monospacedStretch(const FontStyle& style, const QFont& font, double pixelsPerMm,
                         QPaintDevice& device) {
    if (!style.family.contains(QLatin1String("Mono"))) return 1.0;
    const double actual =
        QFontMetricsF(font, &device).horizontalAdvance(QString(10, QLatin1Char('0'))) / 10;
    const double wanted = CharacterWidthMm(style) * pixelsPerMm;
    if (actual <= 0 || std::abs(actual - wanted) < wanted * 1e-3) return 1.0;
    return wanted / actual;
}

// The glyphs of a monospaced font without underline, looked up directly: such a line needs
// neither itemizing nor shaping, which were most of the time of painting the report's
// thousands of lines. Other fonts are left to the painter's text layout.
class GlyphSource {
    static constexpr double kMostExactStep = 999;

  public:
    GlyphSource() = default;
    GlyphSource(const QFont& font, const FontStyle& style, const QPaintDevice& device) {
        if (!style.family.contains(QLatin1String("Mono")) || font.underline()) return;
        // Resolved against the device as the painter resolves it: sizes in its pixels.
        raw_ = QRawFont::fromFont(QFont(font, &device));
        blank_ = raw_.glyphIndexesForString(QStringLiteral(" ")).value(0);
    }

    // The glyph run of a line drawn from (0, 0), or nothing when the font lacks a character
    // of it (the painter then finds one in another font).
    //
    // Blanks draw nothing and are most of a report's characters, so they are left out of the
    // run; every other glyph keeps its place. The PDF writer places each glyph relative to the
    // one before, in numbers of nine significant digits: a step below kMostExactStep is
    // written exactly (positions come in steps of 1/64), so every glyph lands exactly where
    // it landed with the blanks drawn. The first glyph is always drawn, which keeps the
    // line's origin as it was.
    std::optional<QGlyphRun> run(const QString& line) const {
        if (!raw_.isValid()) return std::nullopt;
        const QList<quint32> indexes = raw_.glyphIndexesForString(line);
        if (indexes.contains(0u)) return std::nullopt;
        const QList<QPointF> advances = raw_.advancesForGlyphIndexes(indexes);
        QList<quint32> drawn;
        QList<QPointF> positions;
        drawn.reserve(indexes.size());
        positions.reserve(indexes.size());
        QPointF next;
        double lastDrawnX = 0;
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const QPointF here = next;
            next += advances[i];
            // By glyph, not by character: a surrogate pair is one glyph of two characters.
            const bool mayLeaveOut =
                i > 0 && indexes[i] == blank_ && next.x() - lastDrawnX < kMostExactStep;
            if (mayLeaveOut) continue;
            drawn.push_back(indexes[i]);
            positions.push_back(here);
            lastDrawnX = here.x();
        }
        QGlyphRun glyphRun;
        glyphRun.setRawFont(raw_);
        glyphRun.setGlyphIndexes(drawn);
        glyphRun.setPositions(positions);
        return glyphRun;
    }

  private:
    QRawFont raw_;
    quint32 blank_ = 0;
};

void drawLine(QPainter& painter, QPointF baseline, const QString& line, const GlyphSource& glyphs) {
    if (const std::optional<QGlyphRun> run = glyphs.run(line)) {
        painter.drawGlyphRun(baseline, *run);
        return;
    }
    painter.drawText(baseline, line);
}

Qt::Alignment alignmentOf(TextAlign align) {
    switch (align) {
        case TextAlign::Center:
            return Qt::AlignHCenter;
        case TextAlign::Right:
            return Qt::AlignRight;
        case TextAlign::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace

void PaintPage(QPainter& painter, const LaidOutPage& page, double pixelsPerMm, QPointF origin) {
    const auto toDevice = [&](const QRectF& mm) {
        return QRectF(origin.x() + mm.left() * pixelsPerMm, origin.y() + mm.top() * pixelsPerMm,
                      mm.width() * pixelsPerMm, mm.height() * pixelsPerMm);
    };
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * pixelsPerMm)));
    const FontStyle* current = nullptr;
    double stretch = 1.0;
    double ascent = 0;
    GlyphSource glyphs;
    for (const PlacedText& text : page.texts) {
        const QRectF rect = toDevice(text.rectMm);
        if (text.ruleOnTop) painter.drawLine(rect.topLeft(), rect.topRight());
        if (text.text.isEmpty()) continue;
        if (!current || !(*current == text.font)) {
            const QFont font = fontAt(text.font, pixelsPerMm, *painter.device());
            painter.setFont(font);
            current = &text.font;
            stretch = monospacedStretch(text.font, font, pixelsPerMm, *painter.device());
            ascent = QFontMetricsF(font, painter.device()).ascent();
            glyphs = GlyphSource(font, text.font, *painter.device());
        }
        if (text.align == TextAlign::Left && !text.text.contains(QLatin1Char('\n'))) {
            // Drawn from its baseline, where a text in a box would stand: no line to lay out
            // and break, which is most of the time of the report's thousands of lines.
            const QPointF baseline(rect.left(), rect.top() + ascent);
            if (stretch == 1.0) {
                drawLine(painter, baseline, text.text, glyphs);
                continue;
            }
            painter.save();
            painter.translate(baseline);
            painter.scale(stretch, 1.0);
            drawLine(painter, QPointF(0, 0), text.text, glyphs);
            painter.restore();
            continue;
        }
        const int flags = int(alignmentOf(text.align) | Qt::AlignTop) | Qt::TextDontClip;
        if (stretch == 1.0) {
            painter.drawText(rect, flags, text.text);
            continue;
        }
        painter.save();
        painter.translate(rect.topLeft());
        painter.scale(stretch, 1.0);
        painter.drawText(QRectF(0, 0, rect.width() / stretch, rect.height()), flags, text.text);
        painter.restore();
    }
    painter.restore();
}

bool PaintPages(QPagedPaintDevice& device, const LaidOutReport& report, int first, int last) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double pixelsPerMm = device.logicalDpiX() / 25.4;
    for (int i = first; i <= last && i < static_cast<int>(report.pages.size()); ++i) {
        if (i > first && !device.newPage()) return false;
        PaintPage(painter, report.pages[static_cast<std::size_t>(i)], pixelsPerMm);
    }
    return painter.end();
}

namespace {

// Pages first to last (inclusive) as a PDF document of their own.
std::optional<QByteArray> PagesPdfBytes(const LaidOutReport& report, int first, int last) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("DedadedEraro"));
        writer.setResolution(600);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4),
                        report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(0, 0, 0, 0)));
        if (!PaintPages(writer, report, first, last)) return std::nullopt;
    }  // the writer finishes the file when it goes
    return buffer.data();
}

// Fewer pages than this are painted at once: a thread of their own would not pay.
constexpr int kLeastPagesPerPart = 8;
constexpr int kMostParts = 8;

int PartCount(int pages) {
    const int processors = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    return std::clamp(pages / kLeastPagesPerPart, 1, std::min(processors, kMostParts));
}

}  // namespace

std::optional<QByteArray> ReportPdfBytes(const LaidOutReport& report) {
    return ReportPdfBytes(report, PartCount(static_cast<int>(report.pages.size())));
}

std::optional<QByteArray> ReportPdfBytes(const LaidOutReport& report, int parts) {
    const int pages = static_cast<int>(report.pages.size());
    parts = std::clamp(parts, 1, std::max(1, pages));
    if (parts == 1) return PagesPdfBytes(report, 0, pages - 1);
    // Placing and compressing every glyph is most of a long report's time: each processor
    // paints a run of pages into a document of its own, and the runs are joined in order.
    const auto firstPage = [&](int part) { return static_cast<int>(qint64(pages) * part / parts); };
    std::vector<std::future<std::optional<QByteArray>>> others;
    for (int part = 1; part < parts; ++part) {
        const int first = firstPage(part);
        const int last = firstPage(part + 1) - 1;
        try {
            others.push_back(std::async(std::launch::async, [&report, first, last] {
                return PagesPdfBytes(report, first, last);
            }));
        } catch (const std::system_error&) {  // no thread to be had: paint it here
            std::promise<std::optional<QByteArray>> here;
            here.set_value(PagesPdfBytes(report, first, last));
            others.push_back(here.get_future());
        }
    }
    std::vector<QByteArray> documents;
    const auto keep = [&documents](std::optional<QByteArray> document) {
        if (document) documents.push_back(std::move(*document));
        return document.has_value();
    };
    bool painted = keep(PagesPdfBytes(report, 0, firstPage(1) - 1));
    for (auto& other : others) painted = keep(other.get()) && painted;
    if (!painted) return std::nullopt;
    if (std::optional<QByteArray> joined = JoinPdfDocuments(documents)) return joined;
    return PagesPdfBytes(report, 0, pages - 1);  // the parts would not join: all in one
}

bool CanWriteReportPdf() {
    const std::optional<QByteArray> bytes = ReportPdfBytes(LaidOutReport{});
    return bytes && bytes->startsWith("%PDF");
}

std::optional<QString> WriteReportPdf(const LaidOutReport& report, const QString& path) {
    const std::optional<QByteArray> bytes = ReportPdfBytes(report);
    if (!bytes || bytes->isEmpty()) return files::CannotSaveMessage(path, QString());
    const files::SafeWriteResult written = files::WriteFileSafely(path, *bytes);
    if (!written.ok) return files::CannotSaveMessage(path, written.reason);
    return std::nullopt;
}

}  // namespace report
