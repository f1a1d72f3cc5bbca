#include "output/report/FontFiles.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <QFile>

namespace report {
namespace {

// The font configuration library is loaded only by the commands that write a PDF, so the
// others start without it.
struct FontConfiguration {
    decltype(&FcInitLoadConfigAndFonts) load = nullptr;
    decltype(&FcPatternCreate) createPattern = nullptr;
    decltype(&FcPatternAddString) addString = nullptr;
    decltype(&FcPatternAddInteger) addInteger = nullptr;
    decltype(&FcConfigSubstitute) substitute = nullptr;
    decltype(&FcDefaultSubstitute) defaultSubstitute = nullptr;
    decltype(&FcFontMatch) match = nullptr;
    decltype(&FcPatternGetString) getString = nullptr;
    decltype(&FcPatternDestroy) destroy = nullptr;
    FcConfig* config = nullptr;

    FontConfiguration() {
        void* library = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!library) return;
        const auto bind = [library](auto& function, const char* name) {
            function =
                reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            return function != nullptr;
        };
        const bool bound =
            bind(load, "FcInitLoadConfigAndFonts") && bind(createPattern, "FcPatternCreate") &&
            bind(addString, "FcPatternAddString") && bind(addInteger, "FcPatternAddInteger") &&
            bind(substitute, "FcConfigSubstitute") &&
            bind(defaultSubstitute, "FcDefaultSubstitute") && bind(match, "FcFontMatch") &&
            bind(getString, "FcPatternGetString") && bind(destroy, "FcPatternDestroy");
        if (bound) config = load();
    }
};

}  // namespace

std::optional<QString> FontFileFor(const QString& family, bool bold) {
    static const FontConfiguration fc;
    if (!fc.config) return std::nullopt;
    FcPattern* pattern = fc.createPattern();
    if (!pattern) return std::nullopt;
    const QByteArray name = family.toUtf8();
    fc.addString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    fc.addInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    fc.addInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    fc.substitute(fc.config, pattern, FcMatchPattern);
    fc.defaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = fc.match(fc.config, pattern, &result);
    fc.destroy(pattern);
    if (!found) return std::nullopt;
    std::optional<QString> path;
    FcChar8* file = nullptr;
    if (fc.getString(found, FC_FILE, 0, &file) == FcResultMatch && file) {
        path = QFile::decodeName(reinterpret_cast<const char*>(file));
    }
    fc.destroy(found);
    return path;
}

}  // namespace report
