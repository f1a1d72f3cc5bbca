#include "ui/common/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>
#include <memory>

namespace ui {
namespace {

// LC_ALL decides every category Qt reads; LANGUAGE would otherwise still choose the
// languages of the interface.
const char* const kLcAll = "LC_ALL";
const char* const kLanguage = "LANGUAGE";
const QByteArray kTurkishLcAll = QByteArrayLiteral("tr_TR.UTF-8");
const QByteArray kTurkishLanguage = QByteArrayLiteral("tr_TR:tr");

std::optional<QByteArray> variable(const char* name) {
    if (!qEnvironmentVariableIsSet(name)) return std::nullopt;
    return qgetenv(name);
}

void setVariable(const char* name, const std::optional<QByteArray>& value) {
    if (value) {
        qputenv(name, *value);
    } else {
        qunsetenv(name);
    }
}

}  // namespace

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

TurkishSystemLocale::TurkishSystemLocale()
    : userLcAll_(variable(kLcAll)), userLanguage_(variable(kLanguage)) {
    qputenv(kLcAll, kTurkishLcAll);
    qputenv(kLanguage, kTurkishLanguage);
}

TurkishSystemLocale::~TurkishSystemLocale() {
    if (!settled_) restoreEnvironment();
}

void TurkishSystemLocale::settle() {
    if (settled_) return;
    settled_ = true;
    // Read now, and kept by Qt from here on.
    const QLocale system = QLocale::system();
    (void)system.uiLanguages();
    (void)system.dateTimeFormat(QLocale::ShortFormat);
    restoreEnvironment();
    // The application object set the C library's locale from the Turkish environment.
    std::setlocale(LC_ALL, "");
    QLocale::setDefault(TurkishLocale());
}

void TurkishSystemLocale::restoreEnvironment() {
    setVariable(kLcAll, userLcAll_);
    setVariable(kLanguage, userLanguage_);
}

}  // namespace ui
