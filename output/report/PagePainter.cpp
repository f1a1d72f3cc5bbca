#include "output/report/PagePainter.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace report {
namespace {

QFont fontAt(const FontSpec& spec, double pixelsPerMm, const QPaintDevice& device) {
    QFont font(spec.family);
    font.setStyleHint(spec.family.contains(QLatin1String("Mono")) ? QFont::TypeWriter
                                                                  : QFont::Serif);
    // Point sizes are resolved against the device's own resolution; scale them so a point
    // stays 1/72 inch of paper at any zoom.
    const double scale = pixelsPerMm * 25.4 / device.logicalDpiY();
    font.setPointSizeF(spec.pointSize * scale);
    font.setBold(spec.bold);
    font.setUnderline(spec.underline);
    font.setKerning(false);
    return font;
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

// The same words as a failed save of a calculation: what, the path, and why when known.
QString cannotSave(const QString& path, const QString& reason) {
    QString text = QStringLiteral("Dosya Saklanamıyor:\n") + path;
    if (!reason.isEmpty()) text += QLatin1Char('\n') + reason;
    return text;
}

}  // namespace

void PaintPage(QPainter& painter, const LaidOutPage& page, double pixelsPerMm, QPointF origin) {
    const auto toDevice = [&](const QRectF& mm) {
        return QRectF(origin.x() + mm.left() * pixelsPerMm, origin.y() + mm.top() * pixelsPerMm,
                      mm.width() * pixelsPerMm, mm.height() * pixelsPerMm);
    };
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, 0.2 * pixelsPerMm)));
    const FontSpec* current = nullptr;
    for (const PlacedText& text : page.texts) {
        const QRectF rect = toDevice(text.rectMm);
        if (text.ruleOnTop) painter.drawLine(rect.topLeft(), rect.topRight());
        if (text.text.isEmpty()) continue;
        if (!current || !(*current == text.font)) {
            painter.setFont(fontAt(text.font, pixelsPerMm, *painter.device()));
            current = &text.font;
        }
        painter.drawText(rect, alignmentOf(text.align) | Qt::AlignTop | Qt::TextDontClip,
                         text.text);
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

std::optional<QString> WriteReportPdf(const LaidOutReport& report, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return cannotSave(path, file.errorString());
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("DedadedEraro"));
        writer.setResolution(600);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4),
                        report.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(0, 0, 0, 0)));
        if (!PaintPages(writer, report, 0, static_cast<int>(report.pages.size()) - 1)) {
            file.cancelWriting();
            return cannotSave(path, QString());
        }
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        return cannotSave(path, file.errorString());
    }
    return std::nullopt;
}

}  // namespace report
