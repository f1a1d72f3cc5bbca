#include "ui/desktop/SpawnedProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <vector>

extern char** environ;

namespace ui {
namespace {

// The most of a program's output that is kept.
constexpr qsizetype kLongestOutput = 64 * 1024;

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

bool IsSet(int cancel) {
    if (cancel < 0) return false;
    pollfd readable{cancel, POLLIN, 0};
    return poll(&readable, 1, 0) > 0;
}

// The program leads its own process group.
void KillAndReap(pid_t pid) {
    kill(-pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Waits for `pid` until `timer` has run `limitMs` or `cancel` is set, then ends it; its exit
// status, or nothing when it had to be ended.
std::optional<int> WaitFor(pid_t pid, const QElapsedTimer& timer, int limitMs, int cancel) {
    for (;;) {
        int status = 0;
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) return status;
        if (ended < 0 && errno != EINTR) return std::nullopt;
        if (timer.elapsed() >= limitMs || IsSet(cancel)) {
            KillAndReap(pid);
            return std::nullopt;
        }
        usleep(200);
    }
}

}  // namespace

std::variant<pid_t, QString> SpawnProgram(const QString& program, const QStringList& arguments,
                                          int output, ProcessGroup group) {
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
    if (group == ProcessGroup::OwnSession) {
        flags |= POSIX_SPAWN_SETSID;
    } else {
        posix_spawnattr_setpgroup(&attributes, 0);
        flags |= POSIX_SPAWN_SETPGROUP;
    }
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

std::optional<QByteArray> OutputOf(const QString& program, const QStringList& arguments,
                                   int limitMs, int cancel) {
    QElapsedTimer timer;
    timer.start();
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
    const auto started = SpawnProgram(program, arguments, pipeEnds[1], ProcessGroup::Own);
    close(pipeEnds[1]);
    if (!std::holds_alternative<pid_t>(started)) {
        close(pipeEnds[0]);
        return std::nullopt;
    }
    const pid_t pid = std::get<pid_t>(started);
    QByteArray output;
    char buffer[4096];
    bool cancelled = false;
    for (;;) {
        const qint64 left = limitMs - timer.elapsed();
        if (left <= 0) break;
        // A negative descriptor is left out by poll.
        pollfd watched[2] = {{pipeEnds[0], POLLIN, 0}, {cancel, POLLIN, 0}};
        const int ready = poll(watched, 2, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        if (watched[1].revents != 0) {
            cancelled = true;
            break;
        }
        const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (output.size() < kLongestOutput) output.append(buffer, got);
    }
    close(pipeEnds[0]);
    if (cancelled) {
        KillAndReap(pid);
        return std::nullopt;
    }
    const std::optional<int> status = WaitFor(pid, timer, limitMs, cancel);
    if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) return std::nullopt;
    return output;
}

}  // namespace ui
