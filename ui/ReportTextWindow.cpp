#include "ui/ReportTextWindow.h"

namespace ui {

ReportTextWindow::ReportTextWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("raporF"));
    setWindowTitle(QStringLiteral("Vovirer Dorud Rapor"));
    hide();
}

}  // namespace ui
