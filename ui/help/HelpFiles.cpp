#include "ui/help/HelpFiles.h"

#include "storage/ProgramLocations.h"

namespace ui {

QString HelpFilePath(const QString& programFolder, const QString& fileName) {
    return storage::HelpFolder(storage::ProgramLocations::of(programFolder)) + fileName;
}

}  // namespace ui
