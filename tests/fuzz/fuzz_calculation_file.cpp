// libFuzzer target: the bytes of a calculation file through the comma-text reader,
// ApplyCalculationFileLines and recalculate all, with the properties that must hold for any input:
// - every line's items, written as comma text and read again, come back exactly;
// - the table keeps 15 columns and at least two rows; an accepted file gives lines-1 rows;
// - whatever state a file leaves, saving it and loading the saved bytes gives it back.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <iostream>

#include "core/Calculation.h"
#include "core/Errors.h"
#include "core/RecordingDialogs.h"
#include "core/TableCommands.h"
#include "files/Cp1254.h"
#include "storage/CalculationFile.h"
#include "storage/CommaText.h"
#include "tests/fuzz/FuzzCheck.h"

using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = storage::LinesFromFileBytes(bytes);

    for (const QString& line : lines) {
        const QStringList items = storage::ReadCommaText(line);
        if (items == QStringList{QString()}) continue;  // one empty item writes an empty line
        check(storage::ReadCommaText(storage::WriteCommaText(items)) == items,
              "comma text round trip");
    }

    core::RecordingDialogs dialogs;
    core::Calculation calc(dialogs);
    const storage::LoadFault fault = storage::ApplyCalculationFileLines(calc, lines);
    const core::TransactionTable& table = calc.table();
    check(table.columnCount() == 15, "15 columns");
    check(table.rowCount() >= 2, "at least two rows");
    if (fault == storage::LoadFault::None)
        check(table.rowCount() == lines.size() - 1, "rows of the file");
    check(table.row(0) == core::TransactionTable().row(0), "captions kept");

    // Save what was applied and load it again.
    QString problem;
    const std::optional<QByteArray> saved = storage::EncodeCalculationFile(calc, &problem);
    check(saved.has_value(), "a loaded state can be saved");
    core::RecordingDialogs dialogs2;
    core::Calculation again(dialogs2);
    again.inputs().calculationDate = calc.inputs().calculationDate;
    check(storage::ApplyCalculationFileLines(again, storage::LinesFromFileBytes(*saved)) ==
              storage::LoadFault::None,
          "saved file is accepted");
    check(again.inputs() == calc.inputs(), "fields come back");
    check(again.table().rowCount() == table.rowCount(), "row count comes back");
    for (int r = 0; r < table.rowCount(); ++r)
        check(again.table().row(r) == table.row(r), "rows come back");
    const std::optional<QByteArray> savedAgain = storage::EncodeCalculationFile(again, &problem);
    check(savedAgain == saved, "saved bytes come back");

    // The recalculation on whatever the file held: only its own stops and errors may end it.
    // DEDADED_FUZZ_NO_RECALC=1 leaves it out, to fuzz the reading alone.
    static const bool recalculate = qEnvironmentVariableIntValue("DEDADED_FUZZ_NO_RECALC") == 0;
    if (recalculate && table.rowCount() <= 300) {
        try {
            core::RecalculateAll(calc);
        } catch (const core::SilentStop&) {
        } catch (const core::CommandFailure&) {
        }
    }
    return 0;
}
