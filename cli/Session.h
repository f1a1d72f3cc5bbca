#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "cli/CommandLine.h"
#include "core/Calculation.h"
#include "core/CommandEnding.h"
#include "core/RecordingDialogs.h"
#include "storage/CalculationFile.h"

namespace cli {

// The calculation a subcommand works on, in the state of a freshly started main window
// (changed by --settings and --date), with the messages it would have shown recorded.
class Session {
  public:
    // `answer` is how every question is answered.
    explicit Session(const Invocation& invocation,
                     core::DialogButton answer = core::DialogButton::No);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    core::Calculation& calculation() { return calc_; }
    const core::Calculation& calculation() const { return calc_; }
    core::RecordingDialogs& dialogs() { return dialogs_; }
    const core::RecordingDialogs& dialogs() const { return dialogs_; }

    // Opens a calculation file as the open command does once its dialog has returned the
    // file. Throws FileError when the file cannot be read at all.
    core::CommandEnding open(const QString& path);
    // The same, as a command of its own before the subcommand's work: its failure is
    // reported as the window reports it and ends only the open.
    void openBeforeCommand(const QString& path);
    // The file opened was refused ("Dosya Okunamıyor:").
    bool openRefused() const;
    // Whether the output names the holiday calendar: it was given on the command line or is
    // the official one.
    bool namesCalendar() const { return calendarGiven_ || holidayCalendarIsOfficial(); }
    bool holidayCalendarIsOfficial() const {
        return calc_.holidays().kind() == core::HolidayCalendar::Kind::Official;
    }

  private:
    void useCalendar(const QString& name, const std::optional<QString>& settings);

    core::RecordingDialogs dialogs_;
    core::Calculation calc_;
    storage::LoadFault fault_ = storage::LoadFault::None;
    bool calendarGiven_ = false;
};

// Fails with FileError unless `path` names a readable file; `what` names it in the message.
void RequireReadableFile(const QString& path, const QString& what);

// Text for standard error: file names in it come out as the bytes they were given as.
QByteArray AsGiven(const QString& text);

// A date given as dd.mm.yyyy; throws UsageError naming `option` otherwise.
QDate ParseDateOption(const QString& text, const QString& option);

}  // namespace cli
