#pragma once

#include <QByteArray>
#include <QString>

namespace update {

// The first bytes of an ELF header that say which machine a program is for.
inline constexpr int kElfHeadSize = 20;

// The start of this program's own file: the machine it runs on is the one a new program
// must be built for.
QByteArray OwnProgramHead();

// Why a downloaded file cannot be the new program, or an empty text when it can: it must
// be non-empty, as long as the server announced (announcedSize < 0: nothing announced),
// and a program of the same kind as the one running (ELF, word size, byte order, machine).
QString ProgramFileProblem(const QByteArray& head, qint64 size, qint64 announcedSize,
                           const QByteArray& ownHead = OwnProgramHead());

}  // namespace update
