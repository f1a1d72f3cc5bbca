#include "storage/RecoveryCopy.h"

#include <signal.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cctype>
#include <cerrno>

#include "files/FileNames.h"

namespace storage {
namespace {

const QByteArray kMagic = QByteArrayLiteral("DedadedEraro kurtarma 1");
const QString kPrefix = QStringLiteral("kurtarma-");
const QString kSuffix = QStringLiteral(".fdr");

bool processRuns(qint64 pid) {
    if (pid <= 0 || pid > 0x7fffffff) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

}  // namespace

QByteArray EncodeRecoveryCopy(const RecoveryCopy& copy) {
    QByteArray bytes = kMagic + '\n';
    bytes += copy.taken.toUTC().toString(Qt::ISODate).toLatin1() + '\n';
    bytes += files::NativeFileName(copy.fileName).toHex() + '\n';
    bytes += copy.content;
    return bytes;
}

std::optional<RecoveryCopy> DecodeRecoveryCopy(const QByteArray& bytes) {
    const qsizetype first = bytes.indexOf('\n');
    const qsizetype second = first < 0 ? -1 : bytes.indexOf('\n', first + 1);
    const qsizetype third = second < 0 ? -1 : bytes.indexOf('\n', second + 1);
    if (third < 0 || bytes.first(first) != kMagic) return std::nullopt;
    RecoveryCopy copy;
    copy.taken = QDateTime::fromString(
        QString::fromLatin1(bytes.sliced(first + 1, second - first - 1)), Qt::ISODate);
    const QByteArray name = bytes.sliced(second + 1, third - second - 1);
    const bool hex = name.size() % 2 == 0 && std::all_of(name.begin(), name.end(), [](char c) {
                         return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                     });
    if (!copy.taken.isValid() || !hex) return std::nullopt;
    copy.fileName = files::FileNameFromNative(QByteArray::fromHex(name));
    copy.content = bytes.sliced(third + 1);
    return copy;
}

QString RecoveryCopyFile(const QString& folder, qint64 pid) {
    return QDir(folder).filePath(kPrefix + QString::number(pid) + kSuffix);
}

QStringList AbandonedRecoveryCopies(const QString& folder) {
    static const QRegularExpression kName(QStringLiteral("^kurtarma-([0-9]{1,10})\\.fdr$"));
    QStringList names;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files, QDir::Time)) {
        const QRegularExpressionMatch match = kName.match(file.fileName());
        if (match.hasMatch() && !processRuns(match.captured(1).toLongLong())) {
            names << file.absoluteFilePath();
        }
    }
    return names;
}

}  // namespace storage
