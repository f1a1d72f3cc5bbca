#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

namespace report {

// The pages of every document in turn, as one PDF document that keeps the first one's
// information (title, creator). Page contents are copied as they are, still compressed.
// Nothing when a document cannot be read or the result cannot be written.
std::optional<QByteArray> JoinPdfDocuments(const std::vector<QByteArray>& documents);

}  // namespace report
