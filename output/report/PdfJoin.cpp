#include "output/report/PdfJoin.h"

// Use qpdf's own smart pointers throughout, without its transition warnings.
#define POINTERHOLDER_TRANSITION 4
#include <exception>
#include <memory>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace report {

std::optional<QByteArray> JoinPdfDocuments(const std::vector<QByteArray>& documents) {
    if (documents.empty()) return std::nullopt;
    if (documents.size() == 1) return documents.front();
    try {
        // Every source stays open until the result is written: copied pages read their
        // streams from it only then.
        std::vector<std::unique_ptr<QPDF>> sources;
        for (const QByteArray& document : documents) {
            auto source = std::make_unique<QPDF>();
            source->setSuppressWarnings(true);
            source->processMemoryFile("report part", document.constData(),
                                      static_cast<std::size_t>(document.size()));
            sources.push_back(std::move(source));
        }
        QPDFPageDocumentHelper joined(*sources.front());
        for (std::size_t i = 1; i < sources.size(); ++i) {
            for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*sources[i]).getAllPages()) {
                joined.addPage(page, false);
            }
        }
        QPDFWriter writer(*sources.front());
        writer.setOutputMemory();
        // Streams pass through as the painter compressed them: no second round of zlib.
        writer.setDecodeLevel(qpdf_dl_none);
        writer.write();
        const std::shared_ptr<Buffer> bytes = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char*>(bytes->getBuffer()),
                          static_cast<qsizetype>(bytes->getSize()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace report
