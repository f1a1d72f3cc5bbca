#include "bench/support/ProcessTiming.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

extern char** environ;

namespace benchsupport {
namespace {

struct Measured {
    double seconds = 0;
    QString note;
};

// By name and rows.
std::map<QString, std::map<int, Measured>>& Figures() {
    static std::map<QString, std::map<int, Measured>> figures;
    return figures;
}

QString Described(const Measured& m, int rows) {
    QString text = QStringLiteral("%1 ms at %2 rows").arg(m.seconds * 1e3, 0, 'f', 1).arg(rows);
    if (!m.note.isEmpty()) text += QStringLiteral(" (") + m.note + QLatin1Char(')');
    return text;
}

}  // namespace

int RunVovirer(const QStringList& arguments, ErrorOutput errors) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (errors == ErrorOutput::Discarded)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments) bytes.push_back(argument.toLocal8Bit());
    std::vector<char*> argv{const_cast<char*>(VOVIRER_PATH)};
    for (QByteArray& argument : bytes) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VOVIRER_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void TimeVovirer(benchmark::State& state, const QString& name, const QStringList& arguments) {
    const int rows = static_cast<int>(state.range(0));
    if (RunVovirer(arguments) != 0) {
        state.SkipWithError("vovirer failed");
        return;
    }
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (RunVovirer(arguments, ErrorOutput::Discarded) != 0)
            state.SkipWithError("vovirer failed");
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (state.iterations() > 0)
        Figures()[name][rows].seconds = elapsed.count() / double(state.iterations());
    state.counters["rows"] = rows;
}

void NoteBeside(const QString& name, int rows, const QString& note) {
    Figures()[name][rows].note = note;
}

int PrintScaling() {
    int status = 0;
    for (const auto& [name, byRows] : Figures()) {
        if (!byRows.count(650) || !byRows.count(6500)) continue;
        const Measured& small = byRows.at(650);
        const Measured& large = byRows.at(6500);
        if (small.seconds <= 0 || large.seconds <= 0) continue;
        const double ratio = large.seconds / small.seconds;
        std::printf("%s: %s, %s, ratio %.2f (limit 12)\n", qPrintable(name),
                    qPrintable(Described(small, 650)), qPrintable(Described(large, 6500)), ratio);
        if (ratio > 12.0) status = 3;
    }
    return status;
}

int RunProcessBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return PrintScaling();
}

}  // namespace benchsupport
