#include "ui/report/ReportTextWindow.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace ui {

ReportTextWindow::ReportTextWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("raporF"));
    setWindowTitle(QStringLiteral("Vovirer Dorud Rapor"));
    buffer_ = new QPlainTextEdit(this);
    buffer_->setObjectName(QStringLiteral("RichEdit9"));
    buffer_->setReadOnly(true);
    buffer_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font(QStringLiteral("Liberation Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(9);
    buffer_->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buffer_);
    hide();
}

void ReportTextWindow::setLines(const QStringList& lines) {
    buffer_->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList ReportTextWindow::lines() const {
    return buffer_->toPlainText().split(QLatin1Char('\n'));
}

}  // namespace ui
