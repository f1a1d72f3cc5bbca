#pragma once

#include <QByteArray>
#include <future>
#include <memory>
#include <optional>

#include "output/workbook/Worksheet.h"

namespace output {

// A workbook made ahead, on a thread of its own, from the sheet the next export is expected
// to write, so that the export itself only has to check that its sheet is still that one and
// write the bytes. Writing a long table's workbook takes several times its recalculation.
class PreparedWorkbook {
  public:
    PreparedWorkbook() = default;
    // Waits for a workbook still being made.
    ~PreparedWorkbook();
    PreparedWorkbook(const PreparedWorkbook&) = delete;
    PreparedWorkbook& operator=(const PreparedWorkbook&) = delete;

    // Whether a sheet was prepared or kept.
    bool holdsASheet() const { return sheet_ != nullptr; }

    // Whether a workbook is being made at the moment; another is not started meanwhile.
    bool busy() const;

    // Starts making the workbook of `sheet`, unless it is the one already made or being made.
    // Returns false, doing nothing, while busy() with another sheet.
    bool prepare(Worksheet sheet);

    // The bytes of the workbook of `sheet` (as XlsxFileBytes makes them) when it is the sheet
    // prepared, waiting for them if they are still being made. None when another sheet or none
    // was prepared, or when making it failed: the caller makes the workbook itself then.
    std::optional<QByteArray> bytesFor(const Worksheet& sheet);

    // Keeps `bytes`, the workbook just made of `sheet`, as if prepared; not while busy().
    void keep(Worksheet sheet, QByteArray bytes);

  private:
    std::shared_ptr<const Worksheet> sheet_;
    std::future<std::optional<QByteArray>> making_;
    std::optional<QByteArray> made_;
};

}  // namespace output
