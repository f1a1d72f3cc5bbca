// libFuzzer target: the .xls reader (FreeXL) on arbitrary bytes, read from a file as the
// import does. A workbook either reads within the limits or is refused with a message naming
// it; under the sanitizers, a read outside the library's buffers stops the run.
#include <QByteArray>
#include <QTemporaryFile>
#include <cstdint>

#include "sheets/SheetContent.h"
#include "sheets/XlsReader.h"
#include "tests/fuzz/SheetChecks.h"

using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QTemporaryFile file;
    if (!file.open()) return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    const QString name = QStringLiteral("fuzz.xls");
    try {
        fuzzing::checkSheet(sheets::ReadXls(file.fileName(), name));
    } catch (const sheets::ReadError& e) {
        check(e.message().startsWith(QStringLiteral("Dosya Okunamıyor:\n") + name),
              "message names the file");
    }
    return 0;
}
