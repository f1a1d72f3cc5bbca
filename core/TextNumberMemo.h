#pragma once

#include <QString>

namespace core {

// The number last read from a text, kept while the text is the same, so that a field read at
// every row of a long table is read once. It holds a copy of the text it read: while that
// copy lives the characters cannot change or be freed, so a text on the same characters is
// the same text. A reading that throws keeps nothing, and the next one throws again.
class TextNumberMemo {
  public:
    template <typename Read>
    double valueOf(const QString& text, Read read) {
        if (known_ && text.constData() == text_.constData() && text.size() == text_.size()) {
            return value_;
        }
        const double value = read(text);
        text_ = text;
        value_ = value;
        known_ = true;
        return value;
    }

  private:
    QString text_;
    double value_ = 0;
    bool known_ = false;
};

}  // namespace core
