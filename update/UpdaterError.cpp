#include "update/UpdaterError.h"

#include <array>

namespace update {
namespace {

struct ErrorTexts {
    const char* english;
    const char* hungarian;
    const char* french;
};

// One row per error, in the enumeration's order.
constexpr std::array<ErrorTexts, 8> kTexts{{
    {"Update is done! Please restart Your application!",
     "A frissítés megtörtént! Indítsa újra az alkalmazást!",
     "Mise à jour effectuée ! Veuillez redémarrer votre application!"},
    {"Not exist the directory of update source!",
     "Nem létezik a frissítés helyeként megadott könyvtár!",
     "Le directory pour la mise à jour n'existe pas !"},
    {"Not exist the update source (application)!",
     "Nem található a friss alkalmazás a forrás könyvtárban!",
     "Le directory pour la mise à jour n'existe pas (application)!"},
    {"Not exist some of other files in directory of update source!",
     "Nem található a fájl a forrás könyvtárban!",
     "Certains fichiers n'existe pas dans le répertoire de mise à jour!"},
    {"Can't create the save directory!", "A mentési könyvtár nem hozható létre!",
     "Ne peut créer le répertore pour la sauvegarde !"},
    {"File copy error!", "Hiba a fájl másolása közben!", "Erreur lors de la copie des fichiers !"},
    {"Files already updated!", "A frissítés már megtörtént!", "Fichier déja à jour!"},
    {"Source directory not defined!", "A frissítés forrás könyvtára nincs megadva!",
     "Le répertoire source n'est pas défini !"},
}};

}  // namespace

QString UpdaterErrorText(UpdaterError error, UpdaterLanguage language) {
    const ErrorTexts& texts = kTexts.at(static_cast<std::size_t>(error));
    switch (language) {
        case UpdaterLanguage::Hungarian:
            return QString::fromUtf8(texts.hungarian);
        case UpdaterLanguage::French:
            return QString::fromUtf8(texts.french);
        case UpdaterLanguage::English:
            break;
    }
    return QString::fromUtf8(texts.english);
}

}  // namespace update
