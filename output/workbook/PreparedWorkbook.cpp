#include "output/workbook/PreparedWorkbook.h"

#include <chrono>
#include <system_error>

#include "output/workbook/XlsxFile.h"

namespace output {
namespace {

std::optional<QByteArray> MakeBytes(const std::shared_ptr<const Worksheet>& sheet) {
    try {
        return XlsxFileBytes(*sheet, QString());
    } catch (const std::exception&) {
        // The export makes it again and reports why it fails, naming its file.
        return std::nullopt;
    }
}

}  // namespace

PreparedWorkbook::~PreparedWorkbook() {
    if (making_.valid()) making_.wait();
}

bool PreparedWorkbook::busy() const {
    return making_.valid() &&
           making_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

bool PreparedWorkbook::prepare(Worksheet sheet) {
    if (sheet_ && sheet_->writtenAlike(sheet)) return true;
    if (busy()) return false;
    auto shared = std::make_shared<const Worksheet>(std::move(sheet));
    try {
        // The thread reads only its own share of the sheet; the texts it shares with the
        // table are never written in place.
        making_ = std::async(std::launch::async, MakeBytes, shared);
    } catch (const std::system_error&) {
        return false;  // no thread to be had: the export makes its workbook itself
    }
    sheet_ = std::move(shared);
    made_.reset();
    return true;
}

void PreparedWorkbook::keep(Worksheet sheet, QByteArray bytes) {
    if (busy()) return;
    making_ = {};
    sheet_ = std::make_shared<const Worksheet>(std::move(sheet));
    made_ = std::move(bytes);
}

std::optional<QByteArray> PreparedWorkbook::bytesFor(const Worksheet& sheet) {
    if (!sheet_ || !sheet_->writtenAlike(sheet)) return std::nullopt;
    if (making_.valid()) made_ = making_.get();
    return made_;
}

}  // namespace output
