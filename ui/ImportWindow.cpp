#include "ui/ImportWindow.h"

namespace ui {

ImportWindow::ImportWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("aktarexcelRF"));
    setWindowTitle(QStringLiteral("Durvex Vovirer Dorud Zizevarev Excel'den Veri Aktarma"));
    hide();
}

}  // namespace ui
