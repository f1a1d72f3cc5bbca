// libFuzzer target: the .xlsx and .ods readers on arbitrary zip bytes. A workbook either
// reads within the limits or is refused with a message naming it.
#include <QByteArray>
#include <cstdint>

#include "sheets/WorkbookReader.h"
#include "tests/fuzz/SheetChecks.h"

using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!bytes.startsWith("PK")) return -1;  // the text reader has a target of its own
    const QString name = QStringLiteral("fuzz.xlsx");
    try {
        fuzzing::checkSheet(sheets::ReadWorkbookBytes(bytes, name));
    } catch (const sheets::ReadError& e) {
        check(e.message().startsWith(QStringLiteral("Dosya Okunamıyor:\n") + name),
              "message names the file");
    }
    return 0;
}
