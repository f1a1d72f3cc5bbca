#include "ui/desktop/DesktopDefaults.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QStringList>
#include <cstdint>
#include <system_error>

#include "ui/desktop/SpawnedProgram.h"

namespace ui {
namespace {

constexpr int kQueryTimeoutMs = 10000;

// What xdg-mime names for `type`; empty when it names nothing, fails, or is missing.
QString AskDesktop(const QString& type, int cancel) {
    const std::optional<QByteArray> answer = OutputOf(
        QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type},
        kQueryTimeoutMs, cancel);
    return answer ? QString::fromLocal8Bit(*answer).trimmed() : QString();
}

// A copy with characters of its own: texts cross between the threads only so, and no
// thread ever releases characters another one holds.
QString OwnCopy(const QString& text) { return QString(text.constData(), text.size()); }

}  // namespace

// Without an eventfd a running query cannot be cut short: the destructor then waits for it,
// at most its timeout.
DesktopDefaults::DesktopDefaults() : cancel_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

DesktopDefaults::~DesktopDefaults() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    startNow_.notify_all();
    if (cancel_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(cancel_, &one, sizeof one);
    }
    // The queries touch only this object, never the window; nothing else adds entries now.
    for (auto& [type, entry] : entries_) {
        if (entry.query.joinable()) entry.query.join();
    }
    if (cancel_ >= 0) close(cancel_);
}

void DesktopDefaults::askInBackground(const QString& type, std::chrono::milliseconds after) {
    std::lock_guard lock(mutex_);
    Entry& entry = entries_[type];
    if (entry.asking || ending_) return;
    // The previous query has given its answer and is at most returning.
    if (entry.query.joinable()) entry.query.join();
    entry.asking = true;
    try {
        entry.query = std::thread(
            [this, &entry, type = OwnCopy(type), after] { askOnThread(entry, type, after); });
    } catch (const std::system_error&) {
        entry.asking = false;  // no thread to be had: the next command asks itself
    }
}

void DesktopDefaults::askOnThread(Entry& entry, const QString& type,
                                  std::chrono::milliseconds after) {
    std::unique_lock lock(mutex_);
    startNow_.wait_for(lock, after, [&] { return entry.startNow || ending_; });
    entry.startNow = false;
    if (!ending_) {
        lock.unlock();
        const QString answer = AskDesktop(type, cancel_);
        lock.lock();
        keep(entry, answer);
    } else {
        entry.asking = false;
        answered_.notify_all();
    }
}

DesktopDefaults::Answer DesktopDefaults::applicationFor(const QString& type) {
    std::unique_lock lock(mutex_);
    Entry& entry = entries_[type];
    if (!entry.kept) return {freshAnswer(lock, entry, type), false};
    const QString kept = OwnCopy(*entry.kept);
    lock.unlock();
    // The user may choose another program at any time: the next command sees the change.
    askInBackground(type, kAskAgainAfter);
    return {kept, true};
}

QString DesktopDefaults::currentApplicationFor(const QString& type) {
    std::unique_lock lock(mutex_);
    return freshAnswer(lock, entries_[type], type);
}

bool DesktopDefaults::isAsking(const QString& type) const {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(type);
    return found != entries_.end() && found->second.asking;
}

QString DesktopDefaults::freshAnswer(std::unique_lock<std::mutex>& lock, Entry& entry,
                                     const QString& type) {
    if (entry.asking) {
        entry.startNow = true;
        startNow_.notify_all();
        answered_.wait(lock, [&entry] { return !entry.asking; });
        return OwnCopy(entry.kept.value_or(QString()));
    }
    entry.asking = true;
    lock.unlock();
    const QString answer = AskDesktop(type, -1);
    lock.lock();
    keep(entry, answer);
    return answer;
}

// With the lock held.
void DesktopDefaults::keep(Entry& entry, const QString& answer) {
    entry.kept = OwnCopy(answer);
    entry.asking = false;
    answered_.notify_all();
}

}  // namespace ui
