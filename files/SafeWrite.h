#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace files {

struct SafeWriteCalls;

// The one way the program writes a file (calculation files, the settings file, workbooks).
//
// The bytes go to a new temporary file beside the target. Every write, the flush to the disk
// (fsync) and the size on disk are checked before the temporary file is renamed over the
// target; on any failure the temporary file is removed and the target is exactly as it was
// (or still absent). A full disk therefore never costs the previous file.
//
// A target that exists but is not a regular file, or has no write permission bit at all, is
// refused, also for root. A replaced file keeps its permission bits; a link to a file is
// followed and the file it names is replaced. Names are taken as FileNames.h describes.
struct SafeWriteResult {
    bool ok = false;
    QString reason;  // when !ok: what failed, in the system's words
};

[[nodiscard]] SafeWriteResult WriteFileSafely(const QString& path, const QByteArray& bytes);

// For files the program makes for itself where a planted link could redirect the write (the
// update's download, copies and script): a link at the target is refused rather than
// followed, and the file is always new, with exactly `mode` (the earlier file at the target
// is replaced, never changed in place).
struct NewFileOptions {
    unsigned mode = 0644;
};

// Writes a file in pieces as they arrive (a download), with the guarantees of
// WriteFileSafely: nothing is at the target until commit() has checked every write, the
// flush and the size; a stream dropped before commit() leaves no trace. Refuses a link at the
// target, as NewFileOptions says.
class SafeWriteStream {
  public:
    SafeWriteStream(const QString& path, NewFileOptions options);
    ~SafeWriteStream();
    SafeWriteStream(const SafeWriteStream&) = delete;
    SafeWriteStream& operator=(const SafeWriteStream&) = delete;

    // False once anything failed; problem() then says what.
    bool ok() const { return problem_.isEmpty(); }
    const QString& problem() const { return problem_; }
    qint64 written() const { return written_; }

    void append(const QByteArray& bytes);
    [[nodiscard]] SafeWriteResult commit();

  private:
    friend SafeWriteResult WriteFileSafely(const QString&, const QByteArray&,
                                           const SafeWriteCalls&);
    // The one way both kinds of write go: a new temporary file beside `target`, which gets
    // `mode` (nothing: the mode it was created with) and replaces the target on commit().
    // `refuseLinks`: a link at the target is refused, checked again before the rename.
    SafeWriteStream(QByteArray target, std::optional<unsigned> mode, bool refuseLinks,
                    const SafeWriteCalls& calls);
    void fail(const QString& problem);

    QByteArray target_;
    QByteArray temporary_;
    std::optional<unsigned> mode_;
    bool refuseLinks_ = true;
    const SafeWriteCalls* calls_ = nullptr;
    int fd_ = -1;
    qint64 written_ = 0;
    QString problem_;
};

[[nodiscard]] SafeWriteResult WriteNewFileSafely(const QString& path, const QByteArray& bytes,
                                                 NewFileOptions options);

}  // namespace files
