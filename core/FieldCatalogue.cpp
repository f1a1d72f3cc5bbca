#include "core/FieldCatalogue.h"

#include <string_view>

namespace core {
namespace {

constexpr bool sameText(const char* a, const char* b) {
    return a && b && std::string_view(a) == std::string_view(b);
}

// No two fields may share a key or a settings key: a file or a JSON object would then hold
// one value for both.
template <typename Fields, typename Name>
constexpr bool namesUnique(const Fields& fields, Name name) {
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        for (std::size_t j = i + 1; j < std::size(fields); ++j) {
            if (sameText(name(fields[i]), name(fields[j]))) return false;
        }
    }
    return true;
}

constexpr bool keysUnique() {
    for (const InputField& input : kInputFields) {
        for (const TotalField& total : kTotalFields) {
            if (sameText(input.key, total.key)) return false;
        }
    }
    return namesUnique(kInputFields, [](const InputField& f) { return f.key; }) &&
           namesUnique(kTotalFields, [](const TotalField& f) { return f.key; });
}

static_assert(keysUnique(), "two fields share a key");
static_assert(namesUnique(kInputFields, [](const InputField& f) { return f.settingsKey; }),
              "two fields share a settings key");
static_assert(namesUnique(kImportFields, [](const ImportField& f) { return f.key; }),
              "two import fields share a key");
static_assert(namesUnique(kImportFields, [](const ImportField& f) { return f.settingsKey; }),
              "two import fields share a settings key");

QString text(const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); }
QString latin1(const char* name) { return name ? QString::fromLatin1(name) : QString(); }

}  // namespace

QString Key(const InputField& field) { return latin1(field.key); }
QString Key(const TotalField& field) { return latin1(field.key); }
QString Label(const InputField& field) { return text(field.label); }
QString Label(const TotalField& field) { return text(field.label); }
QString Key(InputMember member) { return Key(Field(member)); }
QString Label(InputMember member) { return Label(Field(member)); }
QString LabelAfter(const InputField& field) { return text(field.labelAfter); }
QString SettingsKey(const InputField& field) { return latin1(field.settingsKey); }

QString Key(const ImportField& field) { return latin1(field.key); }
QString Label(const ImportField& field) { return text(field.label); }
QString SettingsKey(const ImportField& field) { return latin1(field.settingsKey); }

QString FieldName(const InputField& field) {
    QString name = Label(field);
    if (field.labelAfter) name += QLatin1Char(' ') + LabelAfter(field);
    return name;
}

QString QuotedFieldName(InputMember member) {
    return QLatin1Char('"') + FieldName(Field(member)) + QLatin1Char('"');
}

}  // namespace core
