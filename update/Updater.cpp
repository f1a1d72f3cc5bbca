#include "update/Updater.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <optional>

#include "core/Errors.h"
#include "files/FileNames.h"
#include "files/ReadWholeFile.h"
#include "files/SafeWrite.h"
#include "storage/ProgramLocations.h"
#include "update/SwapScript.h"

namespace update {
namespace {

const QChar kSeparator = QLatin1Char('/');

QString WithSeparator(const QString& folder) {
    return folder.endsWith(kSeparator) ? folder : folder + kSeparator;
}

// A relative folder or file lies under the program's folder, whatever the current folder.
QString UnderFolder(const QString& folder, const QString& path) {
    return QDir::isRelativePath(path) ? folder + path : path;
}

// "sub/name" is staged as "sub/_name", "name" as "_name".
QString PrefixedName(const QString& relativeName, QChar prefix) {
    const int slash = relativeName.lastIndexOf(kSeparator);
    return relativeName.left(slash + 1) + prefix + relativeName.mid(slash + 1);
}

bool FolderExistsOrMade(const QString& folder) {
    return QFileInfo(folder).isDir() || QDir().mkdir(folder);
}

// The permission bits of a regular file that is not a link; nothing for anything else, so a
// link planted among the update's files is never read through.
std::optional<unsigned> RegularFileMode(const QString& file) {
    struct stat st {};
    if (::lstat(files::NativeFileName(file).constData(), &st) != 0) return std::nullopt;
    if (!S_ISREG(st.st_mode)) return std::nullopt;
    return unsigned(st.st_mode & 07777);
}

}  // namespace

UpdaterHost UpdaterHost::ThisProgram() {
    UpdaterHost host;
    // Empty when the system cannot say: the update then finds no program and stops.
    host.programFile = storage::RunningProgramFile().value_or(QString());
    host.processId = QCoreApplication::applicationPid();
    host.startScript = [](const QString& script, const QString& workingFolder) {
        return QProcess::startDetached(QStringLiteral("/bin/sh"), {script}, workingFolder);
    };
    host.requestClose = [] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    };
    host.now = [] { return QDateTime::currentDateTime(); };
    return host;
}

Updater::Updater(UpdaterHost host) : host_(std::move(host)) {}

QString Updater::about() {
    return QStringLiteral(
        "Program updater 2.0: stages the new files and swaps them in with a "
        "shell script once the program has ended.");
}

bool Updater::fail(UpdaterError error, const QString& parameter) {
    if (onError_) onError_(*this, error, parameter, UpdaterErrorText(error, language_));
    return stopOnFirstError_;
}

// The copy is always a new file with `mode` (the original's when not given) that replaces
// whatever regular file stood at `to`, also one without write permission left by an earlier
// update; a link at either end is refused.
bool Updater::copyOver(const QString& from, const QString& to, std::optional<unsigned> mode) const {
    const std::optional<unsigned> fromMode = RegularFileMode(from);
    if (!fromMode) return false;
    const std::optional<QByteArray> bytes = files::ReadWholeFile(from);
    if (!bytes) return false;
    if (!QDir().mkpath(QFileInfo(to).absolutePath())) return false;
    return files::WriteNewFileSafely(to, *bytes, {mode.value_or(*fromMode)}).ok;
}

void Updater::removeStaged(const QStringList& files) const {
    for (const QString& file : files) QFile::remove(file);
}

bool Updater::performUpdate() {
    if (updated_) {
        fail(UpdaterError::AlreadyUpdated);
        return false;
    }
    if (updateSource_.trimmed().isEmpty()) {
        fail(UpdaterError::EmptySourceFolder);
        return false;
    }

    const QFileInfo programInfo(host_.programFile);
    const QString program = programInfo.absoluteFilePath();
    const QString name = programInfo.fileName();
    const QString folder = WithSeparator(programInfo.absolutePath());
    updateSource_ = WithSeparator(updateSource_);
    const QString source = UnderFolder(folder, updateSource_);
    saveDir_ = saveDir_.trimmed().isEmpty() ? folder + QStringLiteral("PRGBACKUP/")
                                            : WithSeparator(saveDir_);

    if (!QFileInfo(source).isDir() && fail(UpdaterError::NoSourceFolder, source)) return false;
    if (!QFileInfo::exists(source + name) && fail(UpdaterError::NoSourceProgram, source + name)) {
        return false;
    }
    if (saveOriginalFiles_ && !FolderExistsOrMade(UnderFolder(folder, saveDir_)) &&
        fail(UpdaterError::CannotCreateSaveDir, saveDir_)) {
        return false;
    }
    saveDir_ += host_.now().toString(QStringLiteral("yyyyMMddHHmmss")) + kSeparator;
    const QString archive = UnderFolder(folder, saveDir_);
    if (saveOriginalFiles_ && !FolderExistsOrMade(archive) &&
        fail(UpdaterError::CannotCreateSaveDir, saveDir_)) {
        return false;
    }

    // Without the safety copy nothing could put the old program back: stop here.
    const QString safetyCopy = folder + PrefixedName(name, QLatin1Char('B'));
    if (!copyOver(program, safetyCopy)) {
        fail(UpdaterError::FileCopyError, name);
        QFile::remove(safetyCopy);
        return false;
    }
    QStringList made{safetyCopy};

    if (saveOriginalFiles_ && QFileInfo(archive).isDir()) {
        if (!copyOver(program, archive + name) && fail(UpdaterError::FileCopyError, name)) {
            removeStaged(made);
            return false;
        }
        for (const QString& other : otherFiles_) {
            if (!QFileInfo::exists(folder + other)) continue;
            if (!copyOver(folder + other, archive + other) &&
                fail(UpdaterError::FileCopyError, other)) {
                removeStaged(made);
                return false;
            }
        }
    }

    const QString stagedName = PrefixedName(name, QLatin1Char('_'));
    const QString stagedProgram = folder + stagedName;
    made << stagedProgram;
    if (!QFileInfo::exists(source + name) ||
        !copyOver(source + name, stagedProgram, RegularFileMode(program))) {
        if (fail(UpdaterError::FileCopyError, stagedName)) {
            removeStaged(made);
            return false;
        }
    }
    SwapPlan plan;
    for (const QString& other : otherFiles_) {
        if (!QFileInfo::exists(source + other)) continue;
        const QString staged = folder + PrefixedName(other, QLatin1Char('_'));
        made << staged;
        if (!copyOver(source + other, staged) &&
            fail(UpdaterError::FileCopyError, PrefixedName(other, QLatin1Char('_')))) {
            removeStaged(made);
            return false;
        }
        if (RegularFileMode(staged)) plan.otherFiles.push_back({staged, folder + other});
    }
    // Without a new program the script would only restart the old one.
    if (!RegularFileMode(stagedProgram)) {
        removeStaged(made);
        return false;
    }

    plan.processId = host_.processId;
    plan.programFile = program;
    plan.stagedProgram = stagedProgram;
    plan.safetyCopy = safetyCopy;
    plan.restart = autoRestartApp_;
    plan.programFolder = folder;
    plan.scriptFile = folder + programInfo.completeBaseName() + QStringLiteral(".sh");

    const files::SafeWriteResult script =
        files::WriteNewFileSafely(plan.scriptFile, SwapScriptText(plan).toUtf8(), {0700});
    if (!script.ok) {
        removeStaged(made);
        throw core::CommandFailure(QStringLiteral("Güncelleme betiği yazılamadı: %1: %2")
                                       .arg(plan.scriptFile, script.reason));
    }
    if (!host_.startScript(plan.scriptFile, folder)) {
        removeStaged(made << plan.scriptFile);
        return false;
    }

    updated_ = true;
    if (autoRestartApp_) {
        host_.requestClose();
    } else {
        fail(UpdaterError::NeedRestartApp);
    }
    return true;
}

}  // namespace update
