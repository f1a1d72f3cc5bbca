#pragma once

#include <QString>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

namespace ui {

// The desktop's default application for each MIME type or URL scheme handler, as xdg-mime
// names it, kept once asked. A query takes xdg-mime a fifth of a second of a processor's
// time, several times what writing a long workbook takes, so the answers are asked in the
// background and a command uses the one kept, asking again after it for the next command. At
// most one query per type runs at any time, each on a thread of its own, cut short and
// joined when this object goes.
class DesktopDefaults {
  public:
    // An application's desktop entry; empty when the desktop names none or could not be
    // asked. `kept` tells an answer kept from an earlier query from one asked for the caller.
    struct Answer {
        QString application;
        bool kept = false;
    };

    // How long after a command its kept answer is asked again: the command, and the program
    // it started, have the processors to themselves meanwhile.
    static constexpr std::chrono::milliseconds kAskAgainAfter{1000};

    DesktopDefaults();
    ~DesktopDefaults();
    DesktopDefaults(const DesktopDefaults&) = delete;
    DesktopDefaults& operator=(const DesktopDefaults&) = delete;

    // Asks for `type` in the background, `after` from now, unless a query for it runs already.
    void askInBackground(const QString& type, std::chrono::milliseconds after = {});
    // The kept answer at once, asked again in the background; without one, the answer of the
    // query for `type` that runs, else asked now.
    Answer applicationFor(const QString& type);
    // Never a kept answer: the running query's (started now when it waits for its time), else
    // asked now.
    QString currentApplicationFor(const QString& type);
    // Whether a query for `type` runs or waits for its time.
    bool isAsking(const QString& type) const;

  private:
    struct Entry {
        std::optional<QString> kept;
        bool asking = false;
        bool startNow = false;  // a caller waits for the query that waits for its time
        std::thread query;      // the last background query, joined before the next starts
    };

    void askOnThread(Entry& entry, const QString& type, std::chrono::milliseconds after);
    // The answer of the query that runs, waited for, or of one asked now on this thread.
    QString freshAnswer(std::unique_lock<std::mutex>& lock, Entry& entry, const QString& type);
    void keep(Entry& entry, const QString& answer);

    mutable std::mutex mutex_;
    std::condition_variable answered_;
    std::condition_variable startNow_;
    std::map<QString, Entry> entries_;
    bool ending_ = false;
    // Becomes readable when this object goes: running queries kill xdg-mime and end.
    int cancel_ = -1;
};

}  // namespace ui
