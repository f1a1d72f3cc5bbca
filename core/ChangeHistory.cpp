#include "core/ChangeHistory.h"

namespace core {

ChangeHistory::ChangeHistory(std::size_t byteLimit, int stepLimit)
    : byteLimit_(byteLimit), stepLimit_(stepLimit < 1 ? 1 : stepLimit) {}

void ChangeHistory::record(QString label, CalculationSnapshot before, const Calculation& after) {
    before.compact(after);
    if (before.matches(after)) return;
    for (const Step& step : redo_) bytes_ -= step.state.bytes();
    redo_.clear();
    bytes_ += before.bytes();
    undo_.push_back({std::move(label), std::move(before)});
    trim();
}

bool ChangeHistory::move(std::deque<Step>& from, std::deque<Step>& to, Calculation& calc,
                         std::size_t& bytes) {
    if (from.empty()) return false;
    Step step = std::move(from.back());
    from.pop_back();
    CalculationSnapshot now = step.state.sameExtentNow(calc);
    step.state.restore(calc);
    now.compact(calc);
    bytes -= step.state.bytes();
    bytes += now.bytes();
    to.push_back({std::move(step.label), std::move(now)});
    return true;
}

bool ChangeHistory::undo(Calculation& calc) {
    const bool done = move(undo_, redo_, calc, bytes_);
    trim();
    return done;
}

bool ChangeHistory::redo(Calculation& calc) {
    const bool done = move(redo_, undo_, calc, bytes_);
    trim();
    return done;
}

void ChangeHistory::clear() {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
}

// Drops the steps farthest from the present first: the oldest undo steps, then the last
// redo steps; the step nearest to the present on either side stays.
void ChangeHistory::trim() {
    const auto over = [&] { return bytes_ > byteLimit_ || undoCount() + redoCount() > stepLimit_; };
    while (over() && undo_.size() > 1) {
        bytes_ -= undo_.front().state.bytes();
        undo_.pop_front();
    }
    while (over() && redo_.size() > 1) {
        bytes_ -= redo_.front().state.bytes();
        redo_.pop_front();
    }
}

}  // namespace core
