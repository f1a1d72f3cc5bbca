#pragma once

#include <QByteArray>
#include <QLocale>
#include <optional>

namespace ui {

// The language of the program's own texts, also for what Qt draws itself (month and day
// names of the date picker).
QLocale TurkishLocale();

// Loads Qt's Turkish translations (message-box buttons, file dialogs, the editors' menus)
// from Qt's translations folder into the running application. Returns false when they are
// not installed; the program then runs with Qt's English texts.
bool InstallQtTurkishTranslations();

// Makes Qt's idea of the system's locale Turkish whatever LANG says, so that what Qt formats
// by it (the sizes and dates of the file dialogs, among others) is Turkish too. Qt reads the
// system's locale from the environment once, when first asked: made before the application
// object, this sets a Turkish environment for that reading; settle(), once the application
// object exists, has it read, then puts the user's environment back, for the programs
// started later and for the C library, and makes Turkish the default locale.
class TurkishSystemLocale {
  public:
    TurkishSystemLocale();
    ~TurkishSystemLocale();
    TurkishSystemLocale(const TurkishSystemLocale&) = delete;
    TurkishSystemLocale& operator=(const TurkishSystemLocale&) = delete;

    void settle();

  private:
    void restoreEnvironment();

    std::optional<QByteArray> userLcAll_;
    std::optional<QByteArray> userLanguage_;
    bool settled_ = false;
};

}  // namespace ui
