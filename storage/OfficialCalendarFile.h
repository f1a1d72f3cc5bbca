#pragma once

#include <QString>

#include "core/HolidayCalendar.h"

namespace storage {

// The user's own additions to the official holiday list, in the list's form, kept beside the
// settings file.
inline const QString kHolidayAdditionsFileName = QStringLiteral("tatiller.txt");

// "tatiller.txt" in the folder of the settings file.
QString HolidayAdditionsFile(const QString& settingsPath);

struct OfficialCalendar {
    core::HolidayCalendar calendar;
    QString message;  // what the user must know about the additions file; empty when nothing
};

// The shipped official calendar with the additions file merged in. A missing file adds
// nothing; a file that cannot be read, is too large, or has lines that are no holiday
// lines is named in the message, and what could be read is used.
OfficialCalendar LoadOfficialCalendar(const QString& additionsPath);

}  // namespace storage
