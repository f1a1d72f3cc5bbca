#pragma once

#include <QObject>
#include <QPointer>
#include <QSslConfiguration>
#include <QUrl>
#include <functional>

#include "core/UserDialogs.h"
#include "update/ProgramDownload.h"
#include "update/Updater.h"

namespace ui {

class MainWindow;
class UpdateWaitWindow;

// Where the new program comes from and what the update works on; the program uses the
// defaults, the tests a local server and a program folder of their own.
struct ProgramUpdateSettings {
    QUrl downloadUrl = DefaultDownloadUrl();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    std::function<bool()> isOnline;  // none: the system's network information
    update::UpdaterHost host = update::UpdaterHost::ThisProgram();

    // The maker's web address and the fixed path of the new program.
    static QUrl DefaultDownloadUrl();
};

// The command behind "PROGRAMI GÜNCELLE": asks, tests the connection, downloads the new
// program into the Dosya folder beside the program while the wait window shows the
// progress, and hands it to the updater, which swaps it in once the program has closed.
// The download runs in the event loop; the windows stay usable meanwhile.
class ProgramUpdate : public QObject {
    Q_OBJECT
  public:
    ProgramUpdate(MainWindow& window, core::UserDialogs& dialogs, ProgramUpdateSettings settings);

    void start();
    bool running() const { return download_.running(); }

  signals:
    // The command has ended, whatever its outcome.
    void ended();

  private:
    void downloaded(const QString& problem);
    void end();
    UpdateWaitWindow& waitWindow();

    MainWindow& window_;
    core::UserDialogs& dialogs_;
    ProgramUpdateSettings settings_;
    update::ProgramDownload download_;
    // One for the whole run: it prepares no second update after a first one.
    update::Updater updater_;
    bool closeRequested_ = false;
};

}  // namespace ui
