#pragma once

#include <QString>

#include "sheets/SheetContent.h"

namespace sheets {

// How the window reads the older binary workbooks (.xls): the library that reads them trusts
// structures inside the file, and a malformed file can make it read outside its buffers. So
// a separate reader program (vovirer, which reads in its own process) reads the file in a
// child process with bounded memory and time, and passes the sheet back as data: whatever the
// library does there cannot touch the program's memory or the user's table.
struct XlsContainment {
    QString readerProgram;                 // the full path of vovirer
    int deadlineMs = 30'000;               // the whole read, start to end
    qint64 memoryBytes = qint64(1) << 30;  // the child's address space
};

// Reads the first sheet of the .xls at `path` in the reader program; `name` for messages.
// Throws ReadError naming it when the reader refuses the file, fails, crashes or runs out of
// time or memory.
SheetContent ReadXlsContained(const QString& path, const QString& name, const XlsContainment& how);

}  // namespace sheets
