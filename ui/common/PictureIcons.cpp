#include "ui/common/PictureIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ui {
namespace {

constexpr int kSize = 40;

template <typename Draw>
QIcon drawn(Draw&& draw) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

}  // namespace

QIcon PrinterIcon() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(11, 4, 18, 12);  // paper in
        p.setBrush(QColor(120, 130, 145));
        p.drawRoundedRect(4, 14, 32, 14, 3, 3);  // body
        p.setBrush(Qt::white);
        p.drawRect(10, 24, 20, 12);  // paper out
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.drawLine(13, 28, 27, 28);
        p.drawLine(13, 31, 24, 31);
        p.setBrush(QColor(80, 200, 80));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(31, 18.5), 1.5, 1.5);
    });
}

QIcon MailIcon() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(40, 70, 130), 1.5));
        p.setBrush(QColor(250, 240, 200));
        p.drawRect(4, 9, 32, 22);
        QPainterPath flap;
        flap.moveTo(4, 9);
        flap.lineTo(20, 22);
        flap.lineTo(36, 9);
        p.drawPath(flap);
    });
}

QIcon HelpIcon() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(QColor(20, 60, 150), 2));
        p.setBrush(QColor(70, 130, 220));
        p.drawEllipse(3, 3, 34, 34);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(26);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(3, 3, 34, 34), Qt::AlignCenter, QStringLiteral("?"));
    });
}

}  // namespace ui
