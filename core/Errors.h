#pragma once

#include <QString>
#include <stdexcept>

namespace core {

// Ends the current command and every command that called it without a further message
// (the message, if any, was shown before it was thrown).
struct SilentStop {};

// A failure that ends the command; the boundary shows its text as the default error report.
class CalcError : public std::runtime_error {
  public:
    explicit CalcError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

}  // namespace core
