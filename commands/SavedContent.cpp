#include "commands/SavedContent.h"

#include "files/Cp1254.h"
#include "storage/CalculationFile.h"

namespace commands {
namespace {

// For two texts that differ, whether the file's bytes differ at their place: the items of a
// record are unambiguous in the file (quoted when they hold a separator), so the first item
// that encodes differently makes the whole file differ. An item now unwritable counts as
// differing, as the file could not be written at all.
bool encodesDifferently(const QString& saved, const QString& now) {
    const std::optional<QByteArray> nowBytes = storage::EncodeCalculationFileItem(now);
    return !nowBytes || storage::EncodeCalculationFileItem(saved) != nowBytes;
}

}  // namespace

void SavedContent::remember(const core::Calculation& calc) {
    bytes_.reset();
    items_.emplace(Items{storage::CalculationFileHeader(calc), calc.table(), std::nullopt});
}

void SavedContent::rememberBytes(std::optional<QByteArray> bytes) {
    items_.reset();
    bytes_ = std::move(bytes);
}

bool SavedContent::differs(const core::Calculation& calc) const {
    if (items_) return !isWritable(*items_) || itemsDiffer(*items_, calc);
    QString problem;
    const std::optional<QByteArray> now = storage::EncodeCalculationFile(calc, &problem);
    return !now || !bytes_ || *now != *bytes_;
}

bool SavedContent::isWritable(const Items& items) {
    if (!items.writable) {
        bool writable = true;
        for (const QString& text : items.header)
            writable = writable && files::IsWritableLineText(text);
        const core::TransactionTable& table = items.table;
        for (int r = 0; writable && r < table.rowCount(); ++r) {
            for (int c = 0; writable && c < table.columnCount(); ++c) {
                writable = files::IsWritableLineText(table.cell(c, r));
            }
        }
        items.writable = writable;
    }
    return *items.writable;
}

// Only called when the saved state could be written: then an item that is equal is
// writable too, and only the items that differ need encoding.
bool SavedContent::itemsDiffer(const Items& saved, const core::Calculation& calc) {
    const QStringList header = storage::CalculationFileHeader(calc);
    if (header.size() != saved.header.size()) return true;
    for (qsizetype i = 0; i < header.size(); ++i) {
        if (header[i] != saved.header[i] && encodesDifferently(saved.header[i], header[i])) {
            return true;
        }
    }
    const core::TransactionTable& table = calc.table();
    // Another number of rows or columns is another number of items: other bytes.
    if (table.rowCount() != saved.table.rowCount() ||
        table.columnCount() != saved.table.columnCount()) {
        return true;
    }
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.sharesRow(saved.table, r)) continue;
        for (int c = 0; c < table.columnCount(); ++c) {
            const QString& now = table.cell(c, r);
            const QString& before = saved.table.cell(c, r);
            if (now != before && encodesDifferently(before, now)) return true;
        }
    }
    return false;
}

}  // namespace commands
