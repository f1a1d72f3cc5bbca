#pragma once

#include <QString>
#include <cstddef>
#include <deque>
#include <utility>

#include "core/CalculationSnapshot.h"

namespace core {

// The undo and redo steps of one calculation. Each step keeps the state before it (undo)
// or after it (redo) in the extent the change could touch, so a cell edit costs a row and
// only whole-table commands keep a whole table. The oldest steps go once the kept steps
// together exceed the byte limit or the step limit; the newest step always stays.
class ChangeHistory {
  public:
    // A whole-table step of a 6500-row statement keeps about 0.7 MiB (its rows packed), so
    // 256 MiB holds some 380 of them beside any number of cell edits; 1000 steps is far
    // more than anyone walks back.
    static constexpr std::size_t kDefaultByteLimit = std::size_t(256) << 20;
    static constexpr int kDefaultStepLimit = 1000;

    explicit ChangeHistory(std::size_t byteLimit = kDefaultByteLimit,
                           int stepLimit = kDefaultStepLimit);

    // A change named `label` took the calculation from `before` to what it holds now. A
    // change that left everything as it was is not kept. Clears the redo steps otherwise.
    void record(QString label, CalculationSnapshot before, const Calculation& after);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The name of the step an undo, respectively a redo, would take back or do again.
    QString undoLabel() const { return canUndo() ? undo_.back().label : QString(); }
    QString redoLabel() const { return canRedo() ? redo_.back().label : QString(); }

    // Puts the calculation back as it was before the last step; false when there is none.
    bool undo(Calculation& calc);
    // Does the last undone step again; false when there is none.
    bool redo(Calculation& calc);

    void clear();
    int undoCount() const { return static_cast<int>(undo_.size()); }
    int redoCount() const { return static_cast<int>(redo_.size()); }
    std::size_t bytes() const { return bytes_; }

  private:
    struct Step {
        QString label;
        CalculationSnapshot state;
    };
    static bool move(std::deque<Step>& from, std::deque<Step>& to, Calculation& calc,
                     std::size_t& bytes);
    void trim();

    std::size_t byteLimit_;
    int stepLimit_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    std::size_t bytes_ = 0;
};

// Runs `change` on the calculation and records it as one step named `label`, also when it
// ends in a stop or an error (whatever it changed until then is undone as one).
template <typename Change>
void RecordedChange(ChangeHistory& history, Calculation& calc, const QString& label,
                    CalculationSnapshot before, Change change) {
    try {
        change();
    } catch (...) {
        history.record(label, std::move(before), calc);
        throw;
    }
    history.record(label, std::move(before), calc);
}

}  // namespace core
