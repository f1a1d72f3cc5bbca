// libFuzzer target: the settings file reader and writer on arbitrary bytes. Setting a value
// and reading it back gives the value trimmed; the rest of the file's text stays in place.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <iostream>

#include "files/Cp1254.h"
#include "storage/ProfileFile.h"
#include "tests/fuzz/FuzzCheck.h"

using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = files::DecodeCp1254(bytes);
    check(files::EncodeCp1254(text) == bytes, "code page round trip");

    storage::ProfileFile file = storage::ProfileFile::fromText(text);
    check(file.text() == text, "text kept");
    const QString section = QStringLiteral("Vovirer");
    for (const QString& key : {QStringLiteral("Ryilgun"), QStringLiteral("Firma")}) {
        (void)file.value(section, key);
        file.setValue(section, key, QStringLiteral(" değer  1 "));
        check(file.value(section, key) == QStringLiteral("değer  1"), "value reads back trimmed");
        const storage::ProfileFile reread = storage::ProfileFile::fromText(file.text());
        check(reread.value(section, key) == QStringLiteral("değer  1"), "value survives the text");
    }
    return 0;
}
