#pragma once

#include <QLocale>

namespace ui {

// The language of the program's own texts, also for what Qt draws itself (month and day
// names of the date picker).
QLocale TurkishLocale();

// Loads Qt's Turkish translations (message-box buttons, file dialogs, the editors' menus)
// from Qt's translations folder into the running application. Returns false when they are
// not installed; the program then runs with Qt's English texts.
bool InstallQtTurkishTranslations();

}  // namespace ui
