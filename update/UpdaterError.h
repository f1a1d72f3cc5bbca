#pragma once

#include <QString>

namespace update {

// What an update can meet, in the order of the updater's published error codes.
enum class UpdaterError {
    NeedRestartApp,
    NoSourceFolder,
    NoSourceProgram,
    NoOtherSource,  // kept for the numbering; a missing other file is skipped, not reported
    CannotCreateSaveDir,
    FileCopyError,
    AlreadyUpdated,
    EmptySourceFolder,
};

enum class UpdaterLanguage { English, Hungarian, French };

// The text of an error in a language, as the error handler receives it.
QString UpdaterErrorText(UpdaterError error, UpdaterLanguage language);

}  // namespace update
