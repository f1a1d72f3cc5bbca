#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace ui {

// Thin hand-offs to the desktop: the user's spreadsheet program and mail program, found and
// started through the freedesktop tools (xdg-mime, xdg-open, xdg-email). Programs are
// started detached; the ones that stay in the foreground never block the window.

inline const QString kXlsxMimeType =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");

// True when the desktop names an application for .xlsx files, or a known spreadsheet
// program is on PATH.
bool HasSpreadsheetApplication();

// Opens the workbook in that application without waiting for it; returns the system's
// reason when it cannot be started.
std::optional<QString> OpenInSpreadsheetApplication(const QString& path);

// True when xdg-email is there and the desktop names an application for mailto: links.
bool HasMailProgram();

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
