#include "ui/HelpWindow.h"

namespace ui {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("yardimF"));
    setWindowTitle(QStringLiteral("Durvex Vovirer Dorud Zizevarev Yardım"));
    resize(870, 500);
    hide();
}

}  // namespace ui
