#include "ui/UpdateWaitWindow.h"

namespace ui {

UpdateWaitWindow::UpdateWaitWindow(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Bekleyin Kayıt Yapıyor"));
    hide();
}

}  // namespace ui
