#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "sheets/PreviewGrid.h"
#include "sheets/SheetContent.h"
#include "tests/support/TestFolder.h"

struct lxw_workbook;
struct lxw_worksheet;

namespace testing_sheets {

// A zip archive of the given entries, as bytes.
QByteArray ZipOf(const std::vector<std::pair<QString, QByteArray>>& entries);

// A folder for the workbooks a test writes; removed with the object.
class WorkbookFolder : public testsupport::TestFolder {
  public:
    // An .xlsx written by libxlsxwriter; `fill` writes into the workbook.
    QString xlsx(const QString& name, const std::function<void(lxw_workbook*)>& fill) const;
};

// The preview after reading a workbook.
sheets::PreviewGrid PreviewOf(const QString& path);

// The committed fixtures made with LibreOffice.
QString Fixture(const QString& name);

}  // namespace testing_sheets
