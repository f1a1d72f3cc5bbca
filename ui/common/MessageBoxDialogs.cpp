#include "ui/common/MessageBoxDialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QWindow>

namespace ui {
namespace {

QMessageBox::Icon iconOf(core::DialogIcon icon) {
    switch (icon) {
        case core::DialogIcon::Information:
            return QMessageBox::Information;
        case core::DialogIcon::Warning:
            return QMessageBox::Warning;
        case core::DialogIcon::Error:
            return QMessageBox::Critical;
        case core::DialogIcon::Question:
            return QMessageBox::Question;
        case core::DialogIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(core::DialogButtons buttons) {
    QMessageBox::StandardButtons result;
    if (buttons & int(core::DialogButton::Ok)) result |= QMessageBox::Ok;
    if (buttons & int(core::DialogButton::Yes)) result |= QMessageBox::Yes;
    if (buttons & int(core::DialogButton::No)) result |= QMessageBox::No;
    if (buttons & int(core::DialogButton::Cancel)) result |= QMessageBox::Cancel;
    return result == QMessageBox::NoButton ? QMessageBox::Ok : result;
}

core::DialogButton answerOf(int pressed) {
    switch (pressed) {
        case QMessageBox::Ok:
            return core::DialogButton::Ok;
        case QMessageBox::Yes:
            return core::DialogButton::Yes;
        case QMessageBox::No:
            return core::DialogButton::No;
        case QMessageBox::Cancel:
            return core::DialogButton::Cancel;
        default:
            return core::DialogButton::None;
    }
}

// Room the window manager takes beside the caption: the window's icon and its buttons.
constexpr int kTitleBarExtras = 140;

// A short message makes a narrow box whose title bar cuts the program's long caption; the box
// is kept wide enough for the caption to show whole.
void WidenForCaption(QMessageBox& box) {
    auto* layout = qobject_cast<QGridLayout*>(box.layout());
    if (!layout) return;
    const int width = MessageBoxDialogs::minimumWidthFor(box.windowTitle(), box.font());
    // The layout owns the spacer.
    layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                    layout->rowCount(), 0, 1, layout->columnCount());
}

}  // namespace

int MessageBoxDialogs::minimumWidthFor(const QString& caption, const QFont& font) {
    QFont titleFont = font;
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(caption) + kTitleBarExtras;
}

void MessageBoxDialogs::setParentWidget(QWidget* parent) {
    parent_ = parent;
    QObject::disconnect(qApp, nullptr, &focusTracking_, nullptr);
    if (!parent) return;
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &focusTracking_,
                     [this](QWindow* window) { follow(window); });
}

// Windows only: not the dialogs, boxes and popups that come and go over them.
void MessageBoxDialogs::follow(QWindow* focused) {
    if (!focused) return;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == focused && widget->windowType() == Qt::Window) {
            workedIn_ = widget;
        }
    }
}

// A box over another window than the one in front brings that window up over it.
QWidget* MessageBoxDialogs::over() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    if (workedIn_ && workedIn_->isVisible()) return workedIn_;
    return parent_;
}

void MessageBoxDialogs::notify(const core::Notice& notice) {
    QMessageBox box(iconOf(notice.icon), notice.caption, notice.text, QMessageBox::Ok, over());
    WidenForCaption(box);
    box.exec();
}

core::DialogButton MessageBoxDialogs::ask(const core::Question& question) {
    QMessageBox box(iconOf(question.icon), question.caption, question.text,
                    buttonsOf(question.buttons), over());
    WidenForCaption(box);
    return answerOf(box.exec());
}

}  // namespace ui
