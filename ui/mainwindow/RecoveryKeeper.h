#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

#include "storage/RecoveryCopy.h"

namespace ui {

// Keeps the recovery copy of the main window's unsaved work: after a change, at most once per
// interval, it takes the copy (on this thread, as encoding reads the calculation) and writes
// it through the one safe write on a thread of its own, so a slow disk never holds up typing.
class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    // The copy as it stands now; nothing when there is nothing unsaved to keep.
    using TakeCopy = std::function<std::optional<storage::RecoveryCopy>()>;

    // `file` empty: nothing is ever written.
    RecoveryKeeper(QString file, std::chrono::milliseconds interval, TakeCopy takeCopy,
                   QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    const QString& file() const { return file_; }
    // The work changed: a copy follows within the interval.
    void workChanged();
    // The work was saved or given up: no copy is due, and the one on disk goes.
    void discard();
    // Takes and writes the copy at once (also what the interval ends in).
    void writeNow();
    // Waits until a write under way has ended.
    void finishWriting();
    void setInterval(std::chrono::milliseconds interval) { interval_ = interval; }

  signals:
    // A copy could not be written; `reason` in the system's words.
    void writeFailed(const QString& reason);

  private:
    QString file_;
    std::chrono::milliseconds interval_;
    TakeCopy takeCopy_;
    QTimer timer_;
    QThreadPool writer_;
    QElapsedTimer sinceWrite_;
};

}  // namespace ui
