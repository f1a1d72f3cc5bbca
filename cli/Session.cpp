#include "cli/Session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "commands/CalculationFileCommands.h"
#include "commands/HolidayCalendarChoice.h"
#include "commands/StartingState.h"
#include "core/DateText.h"
#include "files/FileNames.h"
#include "storage/OfficialCalendarFile.h"
#include "storage/ProgramLocations.h"

namespace cli {

Session::Session(const Invocation& invocation, core::DialogButton answer)
    : dialogs_(answer), calc_(dialogs_) {
    const std::optional<QString> settings = invocation.value(QStringLiteral("--settings"));
    if (settings) RequireReadableFile(*settings, QStringLiteral("settings file"));
    if (!commands::EnterStartingState(calc_, settings, QDate::currentDate())) {
        const QString reason = dialogs_.texts().isEmpty() ? QString() : dialogs_.texts().last();
        throw FileError{QStringLiteral("cannot read settings file: %1\n%2").arg(*settings, reason)};
    }
    if (const auto date = invocation.value(QStringLiteral("--date"))) {
        calc_.inputs().calculationDate = ParseDateOption(*date, QStringLiteral("--date"));
    }
    if (const auto calendar = invocation.value(QStringLiteral("--calendar"))) {
        useCalendar(*calendar, settings);
    }
}

void Session::useCalendar(const QString& name, const std::optional<QString>& settings) {
    core::HolidayCalendar::Kind kind = core::HolidayCalendar::Kind::ProgramTable;
    if (name == QLatin1String("official")) {
        kind = core::HolidayCalendar::Kind::Official;
    } else if (name != QLatin1String("program")) {
        throw UsageError{QStringLiteral("--calendar takes official or program, not %1").arg(name)};
    }
    calendarGiven_ = true;
    // The user's additions lie beside the settings in use: the file given, else the
    // program's own.
    QString settingsFile;
    if (settings) {
        settingsFile = *settings;
    } else if (const auto folder = storage::RunningProgramFolder()) {
        settingsFile = storage::SettingsFile(storage::ProgramLocations::of(*folder));
    }
    commands::UseHolidayCalendar(calc_, kind, storage::HolidayAdditionsFile(settingsFile));
}

core::CommandEnding Session::open(const QString& path) {
    RequireReadableFile(path, QStringLiteral("calculation file"));
    fault_ = storage::LoadFault::None;
    const core::CommandEnding ending =
        core::RunCommand([&] { commands::OpenCommand(calc_, path, &fault_); });
    if (fault_ == storage::LoadFault::Unreadable) {
        throw FileError{QStringLiteral("cannot read calculation file: %1").arg(path)};
    }
    return ending;
}

void Session::openBeforeCommand(const QString& path) {
    const core::CommandEnding opened = open(path);
    if (opened.failed()) core::ReportFailure(dialogs_, opened.error);
}

bool Session::openRefused() const { return fault_ != storage::LoadFault::None; }

void RequireReadableFile(const QString& path, const QString& what) {
    const QByteArray name = files::NativeFileName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        throw FileError{QStringLiteral("%1 does not exist: %2").arg(what, path)};
    }
    const int fd = S_ISREG(st.st_mode) ? ::open(name.constData(), O_RDONLY | O_CLOEXEC) : -1;
    if (fd < 0) throw FileError{QStringLiteral("cannot read %1: %2").arg(what, path)};
    ::close(fd);
}

QByteArray AsGiven(const QString& text) { return files::NativeFileName(text); }

QDate ParseDateOption(const QString& text, const QString& option) {
    // dd.mm.yyyy, read by position as the program reads dates.
    if (text.size() != 10) {
        throw UsageError{QStringLiteral("%1 wants dd.mm.yyyy, not %2").arg(option, text)};
    }
    if (const auto date = core::QDateByPosition(text)) return *date;
    throw UsageError{
        QStringLiteral("%1 wants a real date as dd.mm.yyyy, not %2").arg(option, text)};
}

}  // namespace cli
