#include "ui/desktop/DesktopHandOff.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <variant>
#include <vector>

extern char** environ;

namespace ui {
namespace {

constexpr int kQueryTimeoutMs = 10000;
// How long a started spreadsheet program is watched for a failure at its start.
constexpr int kStartWatchMs = 20000;
constexpr int kStartPollMs = 100;

// LibreOffice's launchers; each opens a file given after -n as a new document's template.
const char* const kLibreOfficePrograms[] = {"localc", "libreoffice", "soffice"};
// Other spreadsheet programs that open a workbook given on their command line, for desktops
// that name no application for the type.
const char* const kOtherSpreadsheetPrograms[] = {"gnumeric"};

// The most of a query's answer that is kept.
constexpr qsizetype kLongestAnswer = 64 * 1024;

// Programs are started with posix_spawn, which lends the new process this one's memory until
// it runs its program. A fork (QProcess) copies the page tables instead and leaves every page
// shared until written: the next writes of the window, the workbook's for one, then fault
// page by page, which took half of an export's time at 6500 rows.
class SpawnedArguments {
  public:
    SpawnedArguments(const QString& program, const QStringList& arguments) {
        bytes_.push_back(QFile::encodeName(program));
        for (const QString& argument : arguments) bytes_.push_back(QFile::encodeName(argument));
        for (QByteArray& bytes : bytes_) pointers_.push_back(bytes.data());
        pointers_.push_back(nullptr);
    }
    char* const* argv() { return pointers_.data(); }

  private:
    std::vector<QByteArray> bytes_;
    std::vector<char*> pointers_;
};

// Starts `program` (looked up on PATH, as QProcess does) with stdin from /dev/null, the
// default for SIGPIPE and no signal blocked; `output` (when not -1) becomes its stdout and
// its stderr is dropped. Its process id, or the system's reason.
std::variant<pid_t, QString> Spawn(const QString& program, const QStringList& arguments, int output,
                                   bool newSession) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0) {
        posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &pipe);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession) flags |= POSIX_SPAWN_SETSID;
    posix_spawnattr_setflags(&attributes, flags);
    SpawnedArguments argv(program, arguments);
    pid_t pid = -1;
    const int error =
        posix_spawnp(&pid, argv.argv()[0], &actions, &attributes, argv.argv(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return QStringLiteral("%1: %2").arg(program, QString::fromLocal8Bit(std::strerror(error)));
    }
    return pid;
}

// Waits for `pid` until `timer` has run `limitMs`, then ends it; its exit status, or nothing
// when it had to be ended.
std::optional<int> WaitFor(pid_t pid, const QElapsedTimer& timer, int limitMs) {
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) return status;
        if (ended < 0 && errno != EINTR) return std::nullopt;
        if (timer.elapsed() >= limitMs) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return std::nullopt;
        }
        usleep(200);
    }
}

// What `program` writes to stdout when it ends within limitMs and in success; nothing
// otherwise (also when it cannot start).
std::optional<QByteArray> AnswerOf(const QString& program, const QStringList& arguments,
                                   int limitMs) {
    QElapsedTimer timer;
    timer.start();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
    const auto started = Spawn(program, arguments, pipeEnds[1], false);
    close(pipeEnds[1]);
    if (!std::holds_alternative<pid_t>(started)) {
        close(pipeEnds[0]);
        return std::nullopt;
    }
    const pid_t pid = std::get<pid_t>(started);
    QByteArray answer;
    char buffer[4096];
    for (;;) {
        const qint64 left = limitMs - timer.elapsed();
        pollfd readable{pipeEnds[0], POLLIN, 0};
        if (left <= 0) break;
        const int ready = poll(&readable, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (answer.size() < kLongestAnswer) answer.append(buffer, got);
    }
    close(pipeEnds[0]);
    const std::optional<int> status = WaitFor(pid, timer, limitMs);
    if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) return std::nullopt;
    return answer;
}

// The default application xdg-mime names for a MIME type or URL scheme handler; empty when
// there is none or xdg-mime is missing.
QString DefaultApplicationFor(const QString& type) {
    const std::optional<QByteArray> answer =
        AnswerOf(QStringLiteral("xdg-mime"),
                 {QStringLiteral("query"), QStringLiteral("default"), type}, kQueryTimeoutMs);
    return answer ? QString::fromLocal8Bit(*answer).trimmed() : QString();
}

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
    auto started = Spawn(program, arguments, -1, true);
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

std::optional<SpreadsheetProgram> FindSpreadsheetProgram() {
    const QString desktopDefault = DefaultApplicationFor(kXlsxMimeType);
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

bool HasMailProgram() {
    return !QStandardPaths::findExecutable(QStringLiteral("xdg-email")).isEmpty() &&
           !DefaultApplicationFor(QStringLiteral("x-scheme-handler/mailto")).isEmpty();
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
