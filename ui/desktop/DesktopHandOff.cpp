#include "ui/desktop/DesktopHandOff.h"

#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <cerrno>
#include <system_error>
#include <thread>
#include <variant>

#include "ui/desktop/SpawnedProgram.h"

namespace ui {
namespace {

// How long a started spreadsheet program is watched for a failure at its start.
constexpr int kStartWatchMs = 20000;
constexpr int kStartPollMs = 100;

// LibreOffice's launchers; each opens a file given after -n as a new document's template.
const char* const kLibreOfficePrograms[] = {"localc", "libreoffice", "soffice"};
// Other spreadsheet programs that open a workbook given on their command line, for desktops
// that name no application for the type.
const char* const kOtherSpreadsheetPrograms[] = {"gnumeric"};

template <std::size_t N>
QString FirstOnPath(const char* const (&names)[N]) {
    for (const char* name : names) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty()) return found;
    }
    return {};
}

DetachedStart& CurrentDetachedStart() {
    static DetachedStart start = StartDetachedBySystem;
    return start;
}

std::optional<QString> StartDetached(const QString& program, const QStringList& arguments) {
    return CurrentDetachedStart()(program, arguments);
}

// Reads the exit status the watching shell writes; an empty file means still running.
class StartWatch : public QObject {
  public:
    StartWatch(QString statusFile, QString program, std::function<void(const QString&)> failed)
        : QObject(QCoreApplication::instance()),
          statusFile_(std::move(statusFile)),
          program_(std::move(program)),
          failed_(std::move(failed)) {
        elapsed_.start();
        connect(&timer_, &QTimer::timeout, this, &StartWatch::poll);
        timer_.start(kStartPollMs);
    }

  private:
    void poll() {
        QFile file(statusFile_);
        const QByteArray status = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : "";
        if (status.isEmpty() && elapsed_.elapsed() < kStartWatchMs) return;
        timer_.stop();
        // Removed, the shell writes no status when the program ends later.
        QFile::remove(statusFile_);
        if (!status.isEmpty() && status != "0") {
            failed_(program_ + QStringLiteral(" çıkış kodu ") + QString::fromLatin1(status));
        }
        deleteLater();
    }

    QString statusFile_;
    QString program_;
    std::function<void(const QString&)> failed_;
    QTimer timer_;
    QElapsedTimer elapsed_;
};

}  // namespace

std::optional<QString> StartDetachedBySystem(const QString& program, const QStringList& arguments) {
    // In a session of its own, as a detached QProcess; its end is collected by a thread of
    // its own, so a program that outlives the window leaves no zombie behind while it runs.
    auto started = SpawnProgram(program, arguments, -1, ProcessGroup::OwnSession);
    if (QString* reason = std::get_if<QString>(&started)) return *reason;
    try {
        std::thread([pid = std::get<pid_t>(started)] {
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the program still runs, its end is collected with the window's.
    }
    return std::nullopt;
}

void SetDetachedStart(DetachedStart start) {
    CurrentDetachedStart() = start ? std::move(start) : DetachedStart(StartDetachedBySystem);
}

namespace {

std::optional<SpreadsheetProgram> SpreadsheetProgramFor(const QString& desktopDefault) {
    const QString libreOffice = FirstOnPath(kLibreOfficePrograms);
    if (!libreOffice.isEmpty() &&
        (desktopDefault.isEmpty() ||
         desktopDefault.contains(QStringLiteral("libreoffice"), Qt::CaseInsensitive))) {
        return SpreadsheetProgram{libreOffice, {QStringLiteral("-n")}, true};
    }
    if (!desktopDefault.isEmpty()) return SpreadsheetProgram{QStringLiteral("xdg-open"), {}, false};
    const QString other = FirstOnPath(kOtherSpreadsheetPrograms);
    if (!other.isEmpty()) return SpreadsheetProgram{other, {}, false};
    return std::nullopt;
}

}  // namespace

// A kept answer does for every program found; that there is none is said only on the
// desktop's present answer, so a program the user has just chosen is found at once.
std::optional<SpreadsheetProgram> FindSpreadsheetProgram(DesktopDefaults& desktop) {
    const DesktopDefaults::Answer answer = desktop.applicationFor(kXlsxMimeType);
    std::optional<SpreadsheetProgram> found = SpreadsheetProgramFor(answer.application);
    if (!found && answer.kept) {
        found = SpreadsheetProgramFor(desktop.currentApplicationFor(kXlsxMimeType));
    }
    return found;
}

void ShowWorkbook(const SpreadsheetProgram& spreadsheet, const QString& path,
                  std::function<void(const QString& reason)> failed) {
    const QStringList arguments = spreadsheet.leadingArguments + QStringList{path};
    QTemporaryFile statusFile(QDir::tempPath() + QStringLiteral("/dedadederaro-XXXXXX.status"));
    statusFile.setAutoRemove(false);
    if (!statusFile.open()) {  // nowhere to note the status: started unwatched
        if (const auto reason = StartDetached(spreadsheet.program, arguments)) failed(*reason);
        return;
    }
    statusFile.close();
    // A shell of its own outlives this program with the spreadsheet program, and notes how
    // that ended while its status file is there.
    const QStringList watched =
        QStringList{QStringLiteral("-c"),
                    QStringLiteral("status=$1; shift; \"$@\"; code=$?; "
                                   "if [ -e \"$status\" ]; then echo $code > \"$status\"; fi"),
                    QStringLiteral("sh"), statusFile.fileName(), spreadsheet.program} +
        arguments;
    if (const auto reason = StartDetached(QStringLiteral("/bin/sh"), watched)) {
        QFile::remove(statusFile.fileName());
        failed(*reason);
        return;
    }
    new StartWatch(statusFile.fileName(), QFileInfo(spreadsheet.program).fileName(),
                   std::move(failed));
}

bool HasMailProgram(DesktopDefaults& desktop) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty()) return false;
    const DesktopDefaults::Answer answer = desktop.applicationFor(kMailtoHandlerType);
    if (!answer.application.isEmpty()) return true;
    return answer.kept && !desktop.currentApplicationFor(kMailtoHandlerType).isEmpty();
}

void AskForHandOffsInBackground(DesktopDefaults& desktop) {
    desktop.askInBackground(kXlsxMimeType);
    desktop.askInBackground(kMailtoHandlerType);
}

QStringList MailArguments(const MailDraft& draft) {
    QStringList arguments{QStringLiteral("--utf8")};
    if (!draft.subject.isEmpty()) arguments << QStringLiteral("--subject") << draft.subject;
    if (!draft.body.isEmpty()) arguments << QStringLiteral("--body") << draft.body;
    arguments << QStringLiteral("--attach") << draft.attachment << draft.recipient;
    return arguments;
}

std::optional<QString> ShowNewMail(const MailDraft& draft) {
    return StartDetached(QStringLiteral("xdg-email"), MailArguments(draft));
}

}  // namespace ui
