#include "commands/SavedContent.h"

#include "storage/CalculationFile.h"

namespace commands {

void SavedContent::remember(const core::Calculation& calc) {
    QString problem;
    bytes_ = storage::EncodeCalculationFile(calc, &problem);
}

bool SavedContent::differs(const core::Calculation& calc) const {
    QString problem;
    const std::optional<QByteArray> now = storage::EncodeCalculationFile(calc, &problem);
    return !now || !bytes_ || *now != *bytes_;
}

}  // namespace commands
