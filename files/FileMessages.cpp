#include "files/FileMessages.h"

namespace files {
namespace {

QString message(const QString& heading, const QString& path, const QString& why) {
    QString text = heading + QLatin1Char('\n') + path;
    if (!why.isEmpty()) text += QLatin1Char('\n') + why;
    return text;
}

}  // namespace

QString CannotReadMessage(const QString& path, const QString& why) {
    return message(kCannotRead, path, why);
}

QString CannotSaveMessage(const QString& path, const QString& why) {
    return message(kCannotSave, path, why);
}

}  // namespace files
