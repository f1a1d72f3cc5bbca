#pragma once

#include <benchmark/benchmark.h>

#include <QString>
#include <QStringList>

namespace benchsupport {

enum class ErrorOutput { Shown, Discarded };

// Runs vovirer with the arguments to its end, its standard output thrown away; returns its
// exit status, or -1 when it did not end normally.
int RunVovirer(const QStringList& arguments, ErrorOutput errors = ErrorOutput::Shown);

// Times whole runs of vovirer with the arguments and keeps the seconds per run under `name`
// and the rows of the benchmark's first argument. A first run, untimed, must succeed; it alone
// shows what the tool writes to standard error, so that a failure is explained and the timed
// runs print nothing.
void TimeVovirer(benchmark::State& state, const QString& name, const QStringList& arguments);

// A note printed after a measured time, such as the pages a run wrote.
void NoteBeside(const QString& name, int rows, const QString& note);

// Prints, for each name timed at 650 and 6500 rows, both times and their ratio, which should
// be at most 12 (linear work with the start-up beside it); returns 3 when one is above, else 0.
int PrintScaling();

// The main of a process benchmark: the benchmarks, then the scaling lines; the exit status
// says whether one grew faster than the rows.
int RunProcessBenchmarks(int argc, char** argv);

}  // namespace benchsupport
