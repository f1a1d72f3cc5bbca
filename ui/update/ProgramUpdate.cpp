#include "ui/update/ProgramUpdate.h"

#include <QFileInfo>

#include "core/CommandEnding.h"
#include "storage/ProgramLocations.h"
#include "ui/common/AppInfo.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/update/UpdateWaitWindow.h"
#include "update/OnlineCheck.h"

namespace ui {
namespace {

const QString kQuestion = QStringLiteral(
    "Bu işlem programınızın versionunu yükseltecektir!\nDevam etmek istiyormusunuz?");
const QString kNoConnection =
    QStringLiteral("Internet bağlantınız yok! Bağlantı Yaptıktan sonra tekrar deneyiniz.");
const QString kUpdated = QStringLiteral("Güncelleme yapıldı");
const QString kNotUpdated = QStringLiteral("Güncelleme yapılamadı");
const QString kInstalled =
    QStringLiteral("Program paketle kurulmuş (%1); yeni sürümünü paket yöneticisiyle kurun.");
const QString kDownloadPath = QStringLiteral("/download/DedadedEraro21.exe");
const QString kSourceFolder = QStringLiteral("Dosya/");

}  // namespace

QUrl ProgramUpdateSettings::DefaultDownloadUrl() { return QUrl(kMakerHomePage + kDownloadPath); }

ProgramUpdate::ProgramUpdate(MainWindow& window, core::UserDialogs& dialogs,
                             ProgramUpdateSettings settings)
    : QObject(&window),
      window_(window),
      dialogs_(dialogs),
      settings_(std::move(settings)),
      updater_([this] {
          update::UpdaterHost host = settings_.host;
          // The window closes once the user has read the outcome.
          host.requestClose = [this] { closeRequested_ = true; };
          return host;
      }()) {
    updater_.setUpdateSource(kSourceFolder);
    download_.setTlsConfiguration(settings_.tls);
    connect(&download_, &update::ProgramDownload::progress, this,
            [this](qint64 received, qint64 total) { waitWindow().showProgress(received, total); });
    connect(&download_, &update::ProgramDownload::finished, this, &ProgramUpdate::downloaded);
}

UpdateWaitWindow& ProgramUpdate::waitWindow() {
    auto* wait = window_.findChild<UpdateWaitWindow*>();
    if (!wait) wait = new UpdateWaitWindow(&window_);
    connect(wait, &UpdateWaitWindow::cancelRequested, &download_, &update::ProgramDownload::cancel,
            Qt::UniqueConnection);
    return *wait;
}

void ProgramUpdate::start() {
    if (running()) return;
    const core::Question question{kQuestion, core::kApplicationTitle,
                                  int(core::DialogButton::Yes) | int(core::DialogButton::No),
                                  core::DialogIcon::Question};
    if (dialogs_.ask(question) != core::DialogButton::Yes) return end();
    // The package manager owns the files of an installed program.
    const QFileInfo program(settings_.host.programFile);
    const QString folder = program.absolutePath() + QLatin1Char('/');
    if (storage::ProgramLocations::of(folder).installed()) {
        dialogs_.message(kNotUpdated + QLatin1Char('\n') + kInstalled.arg(folder));
        return end();
    }
    const bool online = settings_.isOnline ? settings_.isOnline() : update::HasInternetConnection();
    if (!online) {
        dialogs_.message(kNoConnection);
        return end();
    }
    waitWindow().showCentred();
    download_.start(settings_.downloadUrl, folder + kSourceFolder + program.fileName());
}

void ProgramUpdate::downloaded(const QString& problem) {
    if (download_.cancelled()) {
        waitWindow().hide();
        return end();
    }
    if (!problem.isEmpty()) {
        waitWindow().hide();
        dialogs_.message(kNotUpdated + QLatin1Char('\n') + problem);
        return end();
    }
    window_.setAskBeforeClose(false);
    bool updated = false;
    // A script that cannot be written is reported as the failure it is, by the boundary.
    const bool ran = core::RunReportingFailure(dialogs_, [&] {
                         updated = updater_.performUpdate();
                     }).completed();
    waitWindow().hide();
    if (!updated) {
        // The program goes on running: closing it must ask again.
        window_.setAskBeforeClose(true);
        if (ran) dialogs_.message(kNotUpdated);
        return end();
    }
    dialogs_.message(kUpdated);
    if (closeRequested_) window_.close();
    end();
}

void ProgramUpdate::end() { emit ended(); }

}  // namespace ui
