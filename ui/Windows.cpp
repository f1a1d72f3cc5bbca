#include "ui/Windows.h"

namespace ui {

TaktarexcelRF::TaktarexcelRF(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("aktarexcelRF"));
    setWindowTitle(QStringLiteral("Durvex Vovirer Dorud Zizevarev Excel'den Veri Aktarma"));
    hide();
}

TyardimF::TyardimF(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("yardimF"));
    setWindowTitle(QStringLiteral("Durvex Vovirer Dorud Zizevarev Yardım"));
    resize(870, 500);
    hide();
}

TraporF::TraporF(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("raporF"));
    setWindowTitle(QStringLiteral("Vovirer Dorud Rapor"));
    hide();
}

TForm2::TForm2(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Bekleyin Kayıt Yapıyor"));
    hide();
}

}  // namespace ui
