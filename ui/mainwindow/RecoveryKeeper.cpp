#include "ui/mainwindow/RecoveryKeeper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "files/SafeWrite.h"

namespace ui {

RecoveryKeeper::RecoveryKeeper(QString file, std::chrono::milliseconds interval, TakeCopy takeCopy,
                               QObject* parent)
    : QObject(parent), file_(std::move(file)), interval_(interval), takeCopy_(std::move(takeCopy)) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
    writer_.setMaxThreadCount(1);
}

RecoveryKeeper::~RecoveryKeeper() { finishWriting(); }

void RecoveryKeeper::workChanged() {
    if (file_.isEmpty() || timer_.isActive()) return;
    const auto since = std::chrono::milliseconds(sinceWrite_.isValid() ? sinceWrite_.elapsed() : 0);
    timer_.start(std::max(interval_ - since, std::chrono::milliseconds(0)));
}

void RecoveryKeeper::discard() {
    timer_.stop();
    if (file_.isEmpty()) return;
    finishWriting();
    QFile::remove(file_);
}

void RecoveryKeeper::writeNow() {
    timer_.stop();
    if (file_.isEmpty()) return;
    // One write at a time; the copy taken when the last one ends is the newer one anyway.
    finishWriting();
    const std::optional<storage::RecoveryCopy> copy = takeCopy_();
    if (!copy) {
        QFile::remove(file_);
        return;
    }
    sinceWrite_.start();
    QDir().mkpath(QFileInfo(file_).absolutePath());
    const QByteArray bytes = storage::EncodeRecoveryCopy(*copy);
    // The keeper outlives the write: its destructor waits for it.
    writer_.start([this, file = file_, bytes] {
        const files::SafeWriteResult written = files::WriteFileSafely(file, bytes);
        if (!written.ok) {
            QMetaObject::invokeMethod(
                this, [this, reason = written.reason] { emit writeFailed(reason); },
                Qt::QueuedConnection);
        }
    });
}

void RecoveryKeeper::finishWriting() { writer_.waitForDone(); }

}  // namespace ui
