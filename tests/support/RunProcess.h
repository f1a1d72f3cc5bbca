#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace testsupport {

// How a program run by a test ended and what it printed.
struct ProcessResult {
    int status = -1;  // the exit code; -1 when it crashed or did not end in time
    QByteArray out;
    QByteArray err;
    // Standard output read as a JSON object; a test failure when it is not one.
    QJsonObject json() const;
};

struct ProcessOptions {
    QString workingFolder;       // the test's current folder when empty
    QString standardOutputFile;  // standard output goes to this file instead of `out`
    std::vector<std::pair<QString, QString>> environment;  // set on top of the usual one
    int timeoutMs = 120000;
};

// Runs a program to its end. Its environment is the test's, with LANG=C and without LC_ALL
// (never the machine's locale) and without a display (the command-line tool needs none), so
// that what it prints does not depend on the machine the tests run on.
ProcessResult RunProcess(const QString& program, const QStringList& arguments,
                         const ProcessOptions& options = {});

}  // namespace testsupport
