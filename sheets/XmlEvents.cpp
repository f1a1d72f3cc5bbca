#include "sheets/XmlEvents.h"

#include <expat.h>

#include <QIODevice>
#include <memory>

namespace sheets {
namespace {

// Names come as "namespace-uri\x01local-name" for names in a namespace.
constexpr char kNamespaceSeparator = '\x01';

std::string_view localName(const char* name) {
    const std::string_view whole(name);
    const std::size_t separator = whole.rfind(kNamespaceSeparator);
    return separator == std::string_view::npos ? whole : whole.substr(separator + 1);
}

struct Reading {
    XML_Parser parser;
    XmlEventHandler& handler;
    bool stopped = false;

    void stopUnless(bool go) {
        if (go || stopped) return;
        stopped = true;
        XML_StopParser(parser, XML_FALSE);
    }
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* reading = static_cast<Reading*>(data);
    reading->stopUnless(reading->handler.startElement(localName(name), attributes));
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    auto* reading = static_cast<Reading*>(data);
    reading->stopUnless(reading->handler.endElement(localName(name)));
}

void XMLCALL onText(void* data, const XML_Char* text, int length) {
    auto* reading = static_cast<Reading*>(data);
    reading->stopUnless(
        reading->handler.text(std::string_view(text, static_cast<std::size_t>(length))));
}

struct ParserFree {
    void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

}  // namespace

const char* AttributeValue(const char** attributes, std::string_view name) {
    for (const char** a = attributes; a[0]; a += 2) {
        if (name == a[0]) return a[1];
    }
    return nullptr;
}

XmlReading ReadXmlEvents(QIODevice& device, XmlEventHandler& handler) {
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(
        XML_ParserCreateNS(nullptr, kNamespaceSeparator));
    if (!parser) return {XmlReading::End::Malformed, QStringLiteral("out of memory")};
    Reading reading{parser.get(), handler};
    XML_SetUserData(parser.get(), &reading);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    constexpr int kPiece = 1 << 16;
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), kPiece);
        if (!buffer) return {XmlReading::End::Malformed, QStringLiteral("out of memory")};
        const qint64 n = device.read(static_cast<char*>(buffer), kPiece);
        if (n < 0) {
            return {XmlReading::End::Malformed, device.errorString()};
        }
        const bool last = n == 0;
        if (XML_ParseBuffer(parser.get(), static_cast<int>(n), last) == XML_STATUS_ERROR) {
            if (reading.stopped) return {XmlReading::End::Stopped, {}};
            return {XmlReading::End::Malformed,
                    QStringLiteral("%1 (satır %2)")
                        .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser.get()))))
                        .arg(XML_GetCurrentLineNumber(parser.get()))};
        }
        if (reading.stopped) return {XmlReading::End::Stopped, {}};
        if (last) return {};
    }
}

}  // namespace sheets
