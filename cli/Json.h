#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace cli {

// A small JSON writer that keeps keys in the order they are given (the tool's output has a fixed
// key order) and writes UTF-8.
class JsonWriter {
  public:
    // "text" with quotes, backslashes and control characters escaped.
    static QByteArray quoted(const QString& text);

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(const QString& name);
    void value(const QString& text);
    void value(bool flag);
    void nullValue();
    void optionalValue(const std::optional<QString>& text);
    // An array of strings on one line.
    void inlineStrings(const QStringList& texts);

    QByteArray result() const { return out_ + '\n'; }

  private:
    void beforeValue();
    void newline();

    QByteArray out_;
    struct Level {
        bool isObject;
        int count = 0;
    };
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace cli
