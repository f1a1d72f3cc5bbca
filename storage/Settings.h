#pragma once

#include <QString>

#include "core/Calculation.h"
#include "core/HolidayCalendar.h"
#include "core/ImportSettings.h"
#include "core/TableInputs.h"

namespace storage {

// The settings file Ayarlar.ini beside the program, Windows-1254.

inline const QString kSettingsFileName = QStringLiteral("Ayarlar.ini");
inline const QString kMainSection = QStringLiteral("Vovirer");
inline const QString kImportSection = QStringLiteral("ExcelAyarR");

// The settings file's path: the program's folder joined with "Ayarlar.ini" by one separator.
QString SettingsFilePath(const QString& programFolder);

// --- Section "Vovirer" of the main window ------------------------------------------------

// Reads the section into the table inputs, keys in the file's order; an
// absent value empties its field; the annual rate is set before the monthly one through
// Calculation::setAnnualRateText / setMonthlyRateText, so the rate edit direction in force
// decides (at start-up it is none: both fields show what the file holds); the tick box
// moveRepaymentsPastHolidays is ticked only when its value is exactly "1". Reports nothing.
void ReadMainSettings(core::Calculation& calc, const QString& settingsPath);

// "ORANLARI SAKLA": writes the eight keys in their order, the tick box
// as "1" or "2", all in one safe write. When the file cannot be written, throws
// core::CommandFailure "Unable to write to <path>" (the default error report adds the full stop)
// and the file is exactly as it was. A text that the file cannot hold (outside Windows-1254,
// or a line break) is reported the same way, naming the field.
// The holiday calendar chosen is kept too, under its own key, written only when the official
// calendar is chosen or the key is already there, so a user who never chose keeps the file
// as it was.
void WriteMainSettings(
    const core::TableInputs& inputs, const QString& settingsPath,
    core::HolidayCalendar::Kind calendar = core::HolidayCalendar::Kind::ProgramTable);

// The holiday calendar chosen in the main window: the official one when its key holds "1";
// the program's own table otherwise, also when the key is absent (every settings file written
// before the choice existed). Reports nothing.
core::HolidayCalendar::Kind ReadHolidayCalendarChoice(const QString& settingsPath);

// --- Section "ExcelAyarR" of the import window -------------------------------------------

// Reads the import window's section: absent values read as empty text (the design values
// are not kept), the tick box ticks only when its value is exactly "1". Reports nothing.
core::ImportSettings ReadImportSettings(const QString& settingsPath);

// Writes the import window's section as WriteMainSettings writes the main one.
void WriteImportSettings(const core::ImportSettings& settings, const QString& settingsPath);

}  // namespace storage
