#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace storage {

// A copy of unsaved work, written while the user works, so that a crash or a power cut costs
// at most the last minute. It holds the calculation file's bytes with when the copy was taken
// and which file the work belonged to. Each running program writes its own copy, named after
// its process; a copy whose process no longer runs was left by a program that was killed.
struct RecoveryCopy {
    QDateTime taken;
    QString fileName;  // the calculation's file; empty for a table never saved
    QByteArray content;
};

// The largest copy read back: far above a calculation of the most rows a file may hold.
inline constexpr qint64 kRecoveryCopyLimit = qint64(512) << 20;

QByteArray EncodeRecoveryCopy(const RecoveryCopy& copy);
// Nothing for bytes that are no recovery copy.
std::optional<RecoveryCopy> DecodeRecoveryCopy(const QByteArray& bytes);

// The copy of the process `pid` in `folder`.
QString RecoveryCopyFile(const QString& folder, qint64 pid);
// The copies in `folder` whose processes no longer run, newest first.
QStringList AbandonedRecoveryCopies(const QString& folder);

}  // namespace storage
