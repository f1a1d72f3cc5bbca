#include "storage/Settings.h"

#include <QDir>
#include <utility>
#include <variant>
#include <vector>

#include "core/Errors.h"
#include "core/FieldCatalogue.h"
#include "files/Cp1254.h"
#include "storage/ProfileFile.h"

namespace storage {
namespace {

// The table inputs kept in section "Vovirer", in the file's order: the annual rate is read
// before the monthly one, so the rate edit direction in force decides.
constexpr core::InputMember kMainSettings[] = {
    &core::TableInputs::daysInYear,  &core::TableInputs::annualRate,
    &core::TableInputs::monthlyRate, &core::TableInputs::repaymentExtraDays,
    &core::TableInputs::bsmvRate,    &core::TableInputs::vergi2Rate,
    &core::TableInputs::companyName, &core::TableInputs::moveRepaymentsPastHolidays,
};

// The holiday calendar's key: "1" the official calendar, "2" the program's own table.
const QString kHolidayCalendarKey = QStringLiteral("Rtatiltakvimi");
const QString kHolidayCalendarLabel = QStringLiteral("Tatil takvimi");

struct Entry {
    QString key;
    QString label;  // the field's label, for messages
    QString value;
};

QString tickText(bool ticked) { return ticked ? QStringLiteral("1") : QStringLiteral("2"); }

[[noreturn]] void cannotWrite(const QString& path, const QString& detail = QString()) {
    QString text = QStringLiteral("Unable to write to ") + path;
    if (!detail.isEmpty()) text += QStringLiteral(": ") + detail;
    throw core::CommandFailure(text);
}

// All keys of one command in one safe write: a text the file cannot hold is found before
// anything is written, and a failed write leaves the whole file as it was.
void writeSection(const QString& path, const QString& section, const std::vector<Entry>& entries) {
    ProfileValues values;
    values.reserve(entries.size());
    for (const Entry& entry : entries) {
        if (const auto sentence = files::UnwritableCharacter(
                QLatin1Char('"') + entry.label + QStringLiteral("\" alanı"), entry.value)) {
            cannotWrite(path, *sentence);
        }
        values.emplace_back(entry.key, entry.value);
    }
    if (!WriteProfileStrings(path, section, values)) cannotWrite(path);
}

}  // namespace

QString SettingsFilePath(const QString& programFolder) {
    return QDir::cleanPath(QDir(programFolder).filePath(kSettingsFileName));
}

void ReadMainSettings(core::Calculation& calc, const QString& settingsPath) {
    bool tooLarge = false;
    const ProfileFile file = ProfileFile::read(settingsPath, &tooLarge);
    if (tooLarge) {
        throw core::CommandFailure(
            QStringLiteral(
                "Ayarlar dosyası okunmadı: %1\nDosya, bir ayarlar dosyasının olabileceğinden "
                "büyük (en çok %2 bayt); program varsayılan değerlerle çalışıyor")
                .arg(settingsPath)
                .arg(ProfileFile::kLargestFile));
    }
    for (const core::InputMember& member : kMainSettings) {
        const QString value = file.value(kMainSection, core::SettingsKey(core::Field(member)));
        if (const auto* tick = std::get_if<bool core::TableInputs::*>(&member)) {
            calc.inputs().*(*tick) = value == QLatin1String("1");
            continue;
        }
        // Reading never reports anything; a driving rate text that is no number leaves the
        // other field as it was (only possible once the user has given a field the focus).
        try {
            calc.setInputText(std::get<QString core::TableInputs::*>(member), value);
        } catch (const core::CommandFailure&) {
        }
    }
}

void WriteMainSettings(const core::TableInputs& in, const QString& settingsPath,
                       core::HolidayCalendar::Kind calendar) {
    std::vector<Entry> entries;
    for (const core::InputMember& member : kMainSettings) {
        const core::InputField& field = core::Field(member);
        const auto* tick = std::get_if<bool core::TableInputs::*>(&member);
        entries.push_back(
            {core::SettingsKey(field), core::FieldName(field),
             tick ? tickText(in.*(*tick)) : in.*std::get<QString core::TableInputs::*>(member)});
    }
    const bool official = calendar == core::HolidayCalendar::Kind::Official;
    if (official ||
        !ProfileFile::read(settingsPath).value(kMainSection, kHolidayCalendarKey).isEmpty()) {
        entries.push_back({kHolidayCalendarKey, kHolidayCalendarLabel, tickText(official)});
    }
    writeSection(settingsPath, kMainSection, entries);
}

core::HolidayCalendar::Kind ReadHolidayCalendarChoice(const QString& settingsPath) {
    const QString value = ProfileFile::read(settingsPath).value(kMainSection, kHolidayCalendarKey);
    return value == QLatin1String("1") ? core::HolidayCalendar::Kind::Official
                                       : core::HolidayCalendar::Kind::ProgramTable;
}

core::ImportSettings ReadImportSettings(const QString& settingsPath) {
    const ProfileFile file = ProfileFile::read(settingsPath);
    core::ImportSettings settings;
    for (const core::ImportField& field : core::kImportFields) {
        const QString value = file.value(kImportSection, core::SettingsKey(field));
        if (const auto* tick = std::get_if<bool core::ImportSettings::*>(&field.member)) {
            settings.*(*tick) = value == QLatin1String("1");
        } else {
            settings.*std::get<QString core::ImportSettings::*>(field.member) = value;
        }
    }
    return settings;
}

void WriteImportSettings(const core::ImportSettings& settings, const QString& settingsPath) {
    std::vector<Entry> entries;
    for (const core::ImportField& field : core::kImportFields) {
        const auto* tick = std::get_if<bool core::ImportSettings::*>(&field.member);
        entries.push_back(
            {core::SettingsKey(field), core::Label(field),
             tick ? tickText(settings.*(*tick))
                  : settings.*std::get<QString core::ImportSettings::*>(field.member)});
    }
    writeSection(settingsPath, kImportSection, entries);
}

}  // namespace storage
