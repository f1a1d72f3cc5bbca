#pragma once

#include <QString>
#include <string_view>

class QIODevice;

namespace sheets {

// Receives the events of an XML document as expat reports them: element names without their
// namespace, attribute values and text as UTF-8. Returning false stops the reading.
class XmlEventHandler {
  public:
    virtual ~XmlEventHandler() = default;
    // `attributes` holds name and value in turn, ending in a null name.
    virtual bool startElement(std::string_view name, const char** attributes) = 0;
    virtual bool endElement(std::string_view name) = 0;
    virtual bool text(std::string_view utf8) = 0;
};

// The value of the attribute without a namespace named `name`; none when absent.
const char* AttributeValue(const char** attributes, std::string_view name);

// What became of a document read with ReadXmlEvents.
struct XmlReading {
    enum class End { Complete, Stopped, Malformed };
    End end = End::Complete;
    QString error;  // for Malformed: what is wrong and where
};

// Reads the XML of `device` to its end with expat, in pieces as the device gives them, and
// hands every event to `handler`. Much faster than a pull reader over UTF-16 text on the long
// sheets of a statement. A device that fails to read ends the reading as malformed.
XmlReading ReadXmlEvents(QIODevice& device, XmlEventHandler& handler);

}  // namespace sheets
