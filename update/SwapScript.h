#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace update {

// How the swapped program is started by default: detached from the script, in a session of
// its own, so it outlives the script. %1 stands for the program's quoted file.
inline const QString kDetachedStart =
    QStringLiteral("nohup setsid %1 </dev/null >/dev/null 2>&1 &");

// A staged file and the file it replaces once the program has ended.
struct StagedFile {
    QString staged;
    QString target;
};

// What the swap script does, with every path absolute.
struct SwapPlan {
    qint64 processId = 0;   // the running program; the swap waits for it to end
    QString programFile;    // the running program's file
    QString stagedProgram;  // the new program, beside the old one
    QString safetyCopy;     // the old program, put back when no new one arrived
    std::vector<StagedFile> otherFiles;
    bool restart = true;                      // start the program again after the swap
    QString restartCommand = kDetachedStart;  // the shell command that starts it
    QString programFolder;                    // the restarted program's working folder
    QString scriptFile;                       // the script itself, removed last
};

// The text in single quotes for the POSIX shell: safe for blanks, quotes, $ and newlines.
QString ShellQuoted(const QString& text);

// The script's lines, each ending in a line feed.
QString SwapScriptText(const SwapPlan& plan);

}  // namespace update
