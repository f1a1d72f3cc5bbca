#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "update/UpdaterError.h"

namespace update {

class Updater;

// Called for every error an update meets: the code, the folder or file concerned (or
// nothing) and the code's text in the updater's language.
using UpdaterErrorHandler = std::function<void(const Updater& sender, UpdaterError error,
                                               const QString& parameter, const QString& message)>;

// The process the updater replaces and what it does to the world; the program passes the
// real ones, the tests their own.
struct UpdaterHost {
    QString programFile;  // absolute path of the running program
    qint64 processId = 0;
    // Starts the swap script detached; false when it could not be started.
    std::function<bool(const QString& script, const QString& workingFolder)> startScript;
    // Asks the application to close (queued: the caller finishes first).
    std::function<void()> requestClose;
    std::function<QDateTime()> now;

    // This process, /bin/sh started detached, and a queued quit of the application.
    static UpdaterHost ThisProgram();
};

// Replaces the running program (and some files beside it) with the ones in a source
// folder. The program cannot replace its own file while it runs, so the updater stages
// the new files beside the old ones and writes a shell script that swaps them once the
// program has ended.
class Updater {
  public:
    explicit Updater(UpdaterHost host = UpdaterHost::ThisProgram());

    const UpdaterErrorHandler& onError() const { return onError_; }
    void setOnError(UpdaterErrorHandler handler) { onError_ = std::move(handler); }

    UpdaterLanguage language() const { return language_; }
    void setLanguage(UpdaterLanguage language) { language_ = language; }

    // Folder of the new files; a relative one lies under the program's folder.
    const QString& updateSource() const { return updateSource_; }
    void setUpdateSource(const QString& folder) { updateSource_ = folder; }

    bool stopOnFirstError() const { return stopOnFirstError_; }
    void setStopOnFirstError(bool stop) { stopOnFirstError_ = stop; }

    // Copies the replaced files into a time-stamped folder under the save folder first.
    bool saveOriginalFiles() const { return saveOriginalFiles_; }
    void setSaveOriginalFiles(bool save) { saveOriginalFiles_ = save; }

    // Base of the archives; empty means "PRGBACKUP/" in the program's folder.
    const QString& saveDir() const { return saveDir_; }
    void setSaveDir(const QString& folder) { saveDir_ = folder; }

    bool autoRestartApp() const { return autoRestartApp_; }
    void setAutoRestartApp(bool restart) { autoRestartApp_ = restart; }

    // Further files, named relative to the program's folder and to the source folder.
    const QStringList& otherFiles() const { return otherFiles_; }
    void setOtherFiles(const QStringList& names) { otherFiles_ = names; }

    static QString about();

    // True once an update has been prepared; the instance prepares no second one.
    bool updated() const { return updated_; }

    // Stages the files, writes and starts the swap script, then closes the application
    // (or reports that it needs a restart). False when the update ended early; then no
    // script runs and the program's files are as they were. Throws core::CommandFailure when
    // the script cannot be written.
    bool performUpdate();

  private:
    // Reports the error; true when the update must stop here.
    bool fail(UpdaterError error, const QString& parameter = {});
    bool copyOver(const QString& from, const QString& to,
                  std::optional<unsigned> mode = std::nullopt) const;
    void removeStaged(const QStringList& files) const;

    UpdaterHost host_;
    UpdaterErrorHandler onError_;
    UpdaterLanguage language_ = UpdaterLanguage::English;
    QString updateSource_;
    bool stopOnFirstError_ = false;
    bool saveOriginalFiles_ = false;
    QString saveDir_;
    bool autoRestartApp_ = true;
    QStringList otherFiles_;
    bool updated_ = false;
};

}  // namespace update
