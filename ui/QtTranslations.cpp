#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace ui {

QLocale TurkishLocale() { return QLocale(QLocale::Turkish, QLocale::Turkey); }

bool InstallQtTurkishTranslations() {
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(TurkishLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return false;
    }
    // The application owns it and consults it for as long as it runs.
    translator.release()->setParent(app);
    return true;
}

}  // namespace ui
