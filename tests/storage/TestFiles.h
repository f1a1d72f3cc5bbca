#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>

#include "tests/support/TestFolder.h"

// Readable values in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toPercentEncoding(" ,.=[];\"'").toStdString() << '"';
}

namespace testfiles {

// Lines joined with CR LF, each ended by it, the text in Windows-1254 (test texts use only
// letters the code page has; Latin-1 bytes are given as escapes where needed).
QByteArray cp1254Lines(const QStringList& lines);

inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

}  // namespace testfiles
