#include "storage/OfficialCalendarFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include "core/HolidayListText.h"
#include "files/Cp1254.h"
#include "files/FileNames.h"
#include "files/ReadWholeFile.h"

namespace storage {
namespace {

// A hand-kept list of a few dozen lines a year; anything near this is no holiday list.
constexpr qint64 kLargestAdditions = 256 * 1024;

// UTF-8 as the shipped list is written; a file saved by an older Turkish editor reads as
// Windows-1254.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? files::DecodeCp1254(bytes) : text;
}

}  // namespace

QString HolidayAdditionsFile(const QString& settingsPath) {
    return QDir::cleanPath(QFileInfo(settingsPath).dir().filePath(kHolidayAdditionsFileName));
}

OfficialCalendar LoadOfficialCalendar(const QString& additionsPath) {
    core::OfficialHolidays holidays = *core::HolidayCalendar::ShippedOfficial().official();
    holidays.setAdditionsFile(additionsPath);
    QString message;
    if (!files::IsRegularFile(additionsPath)) {
        if (QFileInfo::exists(additionsPath)) {
            message = QStringLiteral("Tatil listesi okunamadı: %1").arg(additionsPath);
        }
    } else {
        const files::BoundedFile file = files::ReadFileUpTo(additionsPath, kLargestAdditions);
        if (file.tooLarge) {
            message = QStringLiteral(
                          "Tatil listesi okunmadı: %1\nDosya bir tatil listesi için çok "
                          "büyük (en çok %2 bayt).")
                          .arg(additionsPath)
                          .arg(kLargestAdditions);
        } else if (!file.bytes) {
            message = QStringLiteral("Tatil listesi okunamadı: %1").arg(additionsPath);
        } else {
            const core::HolidayList additions = core::ReadHolidayList(decode(*file.bytes));
            holidays.merge(additions.holidays);
            message = core::UnreadHolidayLinesMessage(additionsPath, additions.unread);
        }
    }
    return {core::HolidayCalendar(std::move(holidays)), message};
}

}  // namespace storage
