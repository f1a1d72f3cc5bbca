#pragma once

#include <QString>
#include <exception>

#include "core/Errors.h"
#include "core/UserDialogs.h"

namespace core {

// How one command ended: it ran to its end, a silent stop ended it, or a failure did.
struct CommandEnding {
    enum class Kind { Completed, Stopped, Failed };
    Kind kind = Kind::Completed;
    QString error;  // the failure's message when kind is Failed

    bool completed() const { return kind == Kind::Completed; }
    bool stopped() const { return kind == Kind::Stopped; }
    bool failed() const { return kind == Kind::Failed; }
};

// Runs one command. A silent stop and any failure end it; nothing escapes to the caller.
template <typename Command>
CommandEnding RunCommand(Command&& command) {
    try {
        command();
        return {};
    } catch (const SilentStop&) {
        return {CommandEnding::Kind::Stopped, QString()};
    } catch (const CommandFailure& error) {
        return {CommandEnding::Kind::Failed, error.message()};
    } catch (const std::exception& error) {
        return {CommandEnding::Kind::Failed, QString::fromUtf8(error.what())};
    }
}

// The application's default error report of a failure: the error icon, the application
// title as caption, the message with its full stop.
void ReportFailure(UserDialogs& dialogs, const QString& message);

// Runs one command as a button or key handler does: a failure is reported through
// `dialogs`, a silent stop ends it quietly.
template <typename Command>
CommandEnding RunReportingFailure(UserDialogs& dialogs, Command&& command) {
    CommandEnding ending = RunCommand(std::forward<Command>(command));
    if (ending.failed()) ReportFailure(dialogs, ending.error);
    return ending;
}

}  // namespace core
