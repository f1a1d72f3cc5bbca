// The main window's ways back to earlier work: the recent files beside KAYITTAN AÇ, a
// calculation file dropped on the window, and the recovery copy of unsaved work.
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

#include "commands/CalculationFileCommands.h"
#include "core/CommandEnding.h"
#include "files/FileMessages.h"
#include "files/FileNames.h"
#include "files/ReadWholeFile.h"
#include "storage/CalculationFile.h"
#include "ui/common/AppInfo.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/RecoveryKeeper.h"

namespace ui {
namespace {

const QString kRecentFilesTip = QStringLiteral("Son Açılan Dosyalar");
const QString kNoRecentFiles = QStringLiteral("(Son açılan dosya yok)");
const QString kRecentFileGone =
    QStringLiteral("Dosya bulunamadı; son açılan dosyalar listesinden çıkarıldı:\n%1");
const QString kRecoveryStep = QStringLiteral("Kurtarma");
const QString kRecoveryQuestion = QStringLiteral(
    "Program son çalışmasında beklenmedik biçimde kapanmış.\n"
    "%1 tarihinde saklanan kaydedilmemiş çalışma (%2) geri yüklensin mi?");
const QString kNewTable = QStringLiteral("kaydedilmemiş yeni tablo");
const QString kUnreadableCopy = QStringLiteral("Kurtarma kopyası okunamadı:\n%1");
const QString kCopyNotWritten = QStringLiteral("Kurtarma kopyası yazılamadı: %1");
constexpr int kStatusMessageMs = 10'000;

// A calculation file among the dropped things: the first local file ending in .fdr.
std::optional<QString> droppedCalculationFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() &&
            url.toLocalFile().endsWith(QStringLiteral(".fdr"), Qt::CaseInsensitive)) {
            return url.toLocalFile();
        }
    }
    return std::nullopt;
}

}  // namespace

// --- Recent files ---------------------------------------------------------------------------

// A narrow arrow at the right end of KAYITTAN AÇ, so the button keeps its place and size.
void MainWindow::buildRecentFilesButton(QWidget* openButton) {
    recentMenu_ = new QMenu(this);
    recentMenu_->setObjectName(QStringLiteral("recentFilesMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentFilesMenu);
    auto* arrow = new QToolButton(openButton);
    arrow->setObjectName(QStringLiteral("recentFilesButton"));
    arrow->setArrowType(Qt::DownArrow);
    arrow->setAutoRaise(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setToolTip(kRecentFilesTip);
    arrow->setPopupMode(QToolButton::InstantPopup);
    arrow->setMenu(recentMenu_);
    arrow->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    const QRect area = openButton->rect();
    arrow->setGeometry(area.width() - 22, 4, 18, area.height() - 8);
}

void MainWindow::fillRecentFilesMenu() {
    recentMenu_->clear();
    if (recent_.names().isEmpty()) {
        recentMenu_->addAction(kNoRecentFiles)->setEnabled(false);
        return;
    }
    for (const QString& name : recent_.names()) {
        QAction* item = recentMenu_->addAction(QFileInfo(name).fileName());
        item->setToolTip(name);
        item->setStatusTip(name);
        connect(item, &QAction::triggered, this, [this, name] { openRecentFile(name); });
    }
}

void MainWindow::openRecentFile(const QString& path) {
    if (!commands::CalculationFileExists(path)) {
        recent_.remove(path);
        recent_.store();
        calc_.dialogs().notify(core::Notice{kRecentFileGone.arg(path), core::kProgramCaption,
                                            core::DialogIcon::Warning});
        return;
    }
    if (!mayDiscardChanges()) return;
    openFile(path);
}

// --- Dropping a file ------------------------------------------------------------------------

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedCalculationFile(event->mimeData())) event->acceptProposedAction();
}

// Opened as KAYITTAN AÇ opens it, with the same questions.
void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = droppedCalculationFile(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    openCalculationFile(*path);
}

// --- Recovery copy --------------------------------------------------------------------------

// Nothing while the work equals what was last opened or saved, or when it cannot be written
// as a calculation file (the save would say why).
std::optional<storage::RecoveryCopy> MainWindow::takeRecoveryCopy() const {
    QString problem;
    std::optional<QByteArray> content = storage::EncodeCalculationFile(calc_, &problem);
    if (!content || !saved_.differs(calc_)) return std::nullopt;
    return storage::RecoveryCopy{QDateTime::currentDateTime(), filePath_, std::move(*content)};
}

void MainWindow::offerRecovery() {
    if (services_.recoveryFolder.isEmpty()) return;
    for (const QString& copyFile : storage::AbandonedRecoveryCopies(services_.recoveryFolder)) {
        if (restoreRecoveryCopy(copyFile)) return;
    }
}

// True when the copy was taken back; a copy declined or unreadable is removed.
bool MainWindow::restoreRecoveryCopy(const QString& copyFile) {
    const files::BoundedFile file = files::ReadFileUpTo(copyFile, storage::kRecoveryCopyLimit);
    const std::optional<storage::RecoveryCopy> copy =
        file.bytes ? storage::DecodeRecoveryCopy(*file.bytes) : std::nullopt;
    if (!copy) {
        calc_.dialogs().notify(core::Notice{kUnreadableCopy.arg(copyFile), core::kProgramCaption,
                                            core::DialogIcon::Warning});
        QFile::remove(copyFile);
        return false;
    }
    const QString belongsTo = copy->fileName.isEmpty() ? kNewTable : copy->fileName;
    const core::Question question{
        kRecoveryQuestion.arg(
            copy->taken.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")), belongsTo),
        core::kProgramCaption, int(core::DialogButton::Yes) | int(core::DialogButton::No),
        core::DialogIcon::Question};
    if (calc_.dialogs().ask(question) != core::DialogButton::Yes) {
        QFile::remove(copyFile);
        return false;
    }
    recordTyping();
    runRecordedCommand(kRecoveryStep, [&] {
        if (commands::RestoreContent(calc_, copy->content) != storage::LoadFault::None) {
            calc_.dialogs().notify(core::Notice{files::CannotReadMessage(copyFile),
                                                commands::kErrorCaption, core::DialogIcon::Error});
        }
    });
    // Unsaved is measured against the file the work belonged to, as it is on disk now.
    filePath_ = copy->fileName;
    saved_.rememberBytes(copy->fileName.isEmpty() ? std::nullopt
                                                  : files::ReadWholeFile(copy->fileName));
    // The copy is this program's own now, until its work is saved or given up.
    QFile::remove(recovery_->file());
    QFile::rename(copyFile, recovery_->file());
    showTitle();
    return true;
}

void MainWindow::startRecoveryCopies() {
    const QString file = services_.recoveryFolder.isEmpty()
                             ? QString()
                             : storage::RecoveryCopyFile(services_.recoveryFolder,
                                                         QCoreApplication::applicationPid());
    recovery_ = new RecoveryKeeper(
        file, services_.recoveryInterval, [this] { return takeRecoveryCopy(); }, this);
    connect(recovery_, &RecoveryKeeper::writeFailed, this, [this](const QString& reason) {
        statusBar()->showMessage(kCopyNotWritten.arg(reason), kStatusMessageMs);
    });
}

}  // namespace ui
