#include "ui/desktop/DesktopOpen.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace ui {

// xdg-open reports through its exit status whether it found an application, which
// QDesktopServices does not pass on; without xdg-open, Qt's own opener is the fallback.
void OpenWithDesktop(const QString& path, std::function<void()> failed) {
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0) failed();
                         opener->deleteLater();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, path, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) failed();
                         opener->deleteLater();
                     });
    opener->start(QStringLiteral("xdg-open"), {path});
}

}  // namespace ui
