#pragma once

#include <QString>

namespace core {

// The application title, caption of plain messages and of the default error report.
inline const QString kApplicationTitle = QStringLiteral("Durvex Vovirer Dorud Zizevarev");
// The program's own caption for its questions.
inline const QString kProgramCaption = QStringLiteral("Durvex Vovirer Dorud Zizevarev Programı");

enum class DialogIcon { None, Information, Warning, Error, Question };

enum class DialogButton { None = 0, Ok = 1, Yes = 2, No = 4, Cancel = 8 };
using DialogButtons = int;  // a set of DialogButton values

struct Notice {
    QString text;
    QString caption = kApplicationTitle;
    DialogIcon icon = DialogIcon::None;
};

struct Question {
    QString text;
    QString caption = kApplicationTitle;
    DialogButtons buttons = int(DialogButton::Yes) | int(DialogButton::No);
    DialogIcon icon = DialogIcon::Question;
};

// Every message and question of the commands goes through this, so the same commands run
// in the windows (message boxes), the command-line tool and the tests (recorders).
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    virtual void notify(const Notice& notice) = 0;
    virtual DialogButton ask(const Question& question) = 0;

    void message(const QString& text) { notify(Notice{text}); }
};

// The default error report text: a full stop is appended when the last character comes
// after "." in character order.
QString ErrorReportText(const QString& message);

}  // namespace core
