#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "ui/desktop/DesktopDefaults.h"

namespace ui {

// Thin hand-offs to the desktop: the user's spreadsheet program and mail program, found and
// started through the freedesktop tools (xdg-mime, xdg-open, xdg-email). Programs are
// started detached; the ones that stay in the foreground never block the window, and none
// ends with this program. Which applications the desktop names is kept in a DesktopDefaults.

inline const QString kXlsxMimeType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");
inline const QString kMailtoHandlerType = QStringLiteral("x-scheme-handler/mailto");

// Starts asking the desktop, in the background, what the spreadsheet and mail hand-offs need.
void AskForHandOffsInBackground(DesktopDefaults& desktop);

// The program that shows an exported workbook, and how it is started.
struct SpreadsheetProgram {
    QString program;
    QStringList leadingArguments;  // before the workbook's path
    // The file is opened as the template of a new, unsaved document (LibreOffice's -n), so
    // the user's Save asks where; otherwise the program edits the file itself.
    bool opensAsNewDocument = false;
};

// LibreOffice in its template mode where it is the desktop's application for .xlsx files or
// the desktop names none; else the desktop's application through xdg-open; else a known
// spreadsheet program on PATH. None when there is no such program. The desktop's application
// is the one `desktop` keeps, asked anew before saying there is none.
std::optional<SpreadsheetProgram> FindSpreadsheetProgram(DesktopDefaults& desktop);

// Starts the program on the workbook without waiting for it. `failed` runs with the
// system's reason, from the event loop, when it cannot be started or when it ends in failure
// within the first seconds (a program that exits at once); a program that outlives that is
// left alone, also when this program ends.
void ShowWorkbook(const SpreadsheetProgram& spreadsheet, const QString& path,
                  std::function<void(const QString& reason)> failed);

// How every hand-off starts a program without waiting for it: the system's reason when it
// cannot be started. The tests put a recorder in its place to see at once whether a program
// was started; an empty function puts the system's start back.
using DetachedStart =
    std::function<std::optional<QString>(const QString& program, const QStringList& arguments)>;
void SetDetachedStart(DetachedStart start);
// The system's start, with stdin from /dev/null.
std::optional<QString> StartDetachedBySystem(const QString& program, const QStringList& arguments);

// True when xdg-email is there and the desktop names an application for mailto: links (the
// one `desktop` keeps, asked anew before saying there is none).
bool HasMailProgram(DesktopDefaults& desktop);

// A new, unsent mail in the user's mail program.
struct MailDraft {
    QString recipient;
    QString subject;
    QString body;
    QString attachment;  // full path
};

// The arguments of xdg-email for the draft (an empty subject or body is left out, as
// xdg-email refuses empty ones).
QStringList MailArguments(const MailDraft& draft);

// Starts xdg-email for the draft without waiting; returns the system's reason when it
// cannot be started.
std::optional<QString> ShowNewMail(const MailDraft& draft);

}  // namespace ui
