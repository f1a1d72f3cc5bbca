#include "ui/update/UpdateWaitWindow.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {
namespace {

constexpr qint64 kSteps = 1000;

}  // namespace

UpdateWaitWindow::UpdateWaitWindow(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Bekleyin Kayıt Yapıyor"));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setFixedSize(313, 16);
    progressBar_->setTextVisible(false);
    progressBar_->setRange(0, int(kSteps));
    auto* cancel = new QPushButton(QStringLiteral("Vazgeç"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(cancel, &QPushButton::clicked, this, &UpdateWaitWindow::cancelRequested);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(progressBar_);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    setFixedSize(sizeHint());
    hide();
}

void UpdateWaitWindow::showCentred() {
    progressBar_->setRange(0, int(kSteps));
    progressBar_->setValue(0);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
}

void UpdateWaitWindow::showProgress(qint64 received, qint64 total) {
    if (total < 1) {
        progressBar_->setRange(0, 0);
        return;
    }
    progressBar_->setRange(0, int(kSteps));
    progressBar_->setValue(int(std::clamp(received * kSteps / total, qint64(0), kSteps)));
}

}  // namespace ui
