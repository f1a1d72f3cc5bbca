#include "ui/MessageBoxDialogs.h"

#include <QMessageBox>

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

}  // namespace

void MessageBoxDialogs::notify(const core::Notice& notice) {
    QMessageBox box(iconOf(notice.icon), notice.caption, notice.text, QMessageBox::Ok, parent_);
    box.exec();
}

core::DialogButton MessageBoxDialogs::ask(const core::Question& question) {
    QMessageBox box(iconOf(question.icon), question.caption, question.text,
                    buttonsOf(question.buttons), parent_);
    return answerOf(box.exec());
}

}  // namespace ui
