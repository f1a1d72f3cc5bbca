#pragma once

#include <QByteArray>
#include <optional>

namespace output {

// A zip archive put together in memory: each entry deflated as it is added, the directory
// written at the end. Entries carry no timestamps of their own (1 January 1980), so the same
// content always gives the same bytes.
class ZipWriter {
  public:
    // False when the entry could not be compressed (out of memory).
    bool add(const QByteArray& name, const QByteArray& data);
    // The whole archive; the writer is spent afterwards.
    QByteArray finish();

  private:
    QByteArray archive_;
    QByteArray directory_;
    int entries_ = 0;
};

}  // namespace output
