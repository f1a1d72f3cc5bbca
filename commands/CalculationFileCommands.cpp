#include "commands/CalculationFileCommands.h"

#include "core/TableCommands.h"
#include "files/FileMessages.h"
#include "files/FileNames.h"

namespace commands {

bool SaveToFile(core::Calculation& calc, const QString& path) {
    const storage::SaveResult result = storage::WriteCalculationFile(calc, path);
    if (!result.ok) {
        calc.dialogs().notify(core::Notice{result.message, kErrorCaption, core::DialogIcon::Error});
    }
    return result.ok;
}

QString SaveTarget(const QString& chosenName) {
    if (chosenName.contains(QLatin1String(".fdr"), Qt::CaseSensitive)) return chosenName;
    return chosenName + QStringLiteral(".fdr");
}

bool CalculationFileExists(const QString& path) { return files::IsRegularFile(path); }

SaveOutcome SaveCommand(core::Calculation& calc, const std::optional<QString>& chosenName) {
    if (!chosenName) return SaveOutcome::Cancelled;
    const QString target = SaveTarget(*chosenName);
    if (CalculationFileExists(target)) {
        core::Question question;
        question.text = kOverwriteQuestion;
        question.caption = kConfirmCaption;
        question.buttons = int(core::DialogButton::Yes) | int(core::DialogButton::No);
        question.icon = core::DialogIcon::Question;
        if (calc.dialogs().ask(question) != core::DialogButton::Yes) return SaveOutcome::Declined;
    }
    return SaveToFile(calc, target) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

OpenOutcome OpenCommand(core::Calculation& calc, const std::optional<QString>& chosenPath,
                        storage::LoadFault* fault) {
    if (fault) *fault = storage::LoadFault::None;
    if (!chosenPath) return OpenOutcome::Cancelled;
    if (!CalculationFileExists(*chosenPath)) return OpenOutcome::NotFound;

    // The totals shown belong to the table on screen, even when the file's rows compute none.
    calc.totals() = core::TableTotals{};
    // A file gives the same figures wherever the focus was: its two rates are taken as they
    // stand, as in a freshly started window, not one derived from the other by the rate field
    // last left.
    calc.setRateDirection(core::RateDirection::None);
    const storage::LoadFault loaded = [&] {
        // Whoever shows the table reads it afresh once it is filled; nothing here asks the user.
        const core::TransactionTable::Replacement replacement(calc.table());
        calc.table().clearData();
        return storage::LoadCalculationFile(calc, *chosenPath);
    }();
    if (fault) *fault = loaded;
    if (loaded != storage::LoadFault::None) {
        calc.dialogs().notify(core::Notice{files::CannotReadMessage(*chosenPath), kErrorCaption,
                                           core::DialogIcon::Error});
    }
    calc.inputs().drawingExtraDays.clear();
    calc.inputs().moveDrawingsPastHolidays = false;
    core::RecalculateAll(calc);
    return loaded == storage::LoadFault::None ? OpenOutcome::Opened : OpenOutcome::Refused;
}

storage::LoadFault RestoreContent(core::Calculation& calc, const QByteArray& content) {
    calc.totals() = core::TableTotals{};
    calc.setRateDirection(core::RateDirection::None);
    const storage::LoadFault loaded = [&] {
        const core::TransactionTable::Replacement replacement(calc.table());
        calc.table().clearData();
        return storage::ApplyCalculationFileLines(calc, storage::LinesFromFileBytes(content));
    }();
    core::RecalculateAll(calc);
    return loaded;
}

}  // namespace commands
