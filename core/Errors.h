#pragma once

#include <QString>
#include <stdexcept>

namespace core {

// Ends the current command and every command that called it without a further message
// (the message, if any, was shown before it was thrown).
struct SilentStop {};

// A failure that ends the command; the boundary shows its text as the default error report.
class CommandFailure : public std::runtime_error {
  public:
    explicit CommandFailure(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

// A computed value that is no finite number (an overflow, a division by almost nothing) would
// be written "INF" and read back as 0 by the next row: it ends the command as a conversion
// error does, naming where it arose (`where` is called only then).
template <typename Where>
double RequireFinite(double value, Where&& where) {
    if (value - value != 0) {  // infinite or NaN
        throw CommandFailure(QStringLiteral("Geçersiz kayan nokta işlemi: ") + where() +
                             QStringLiteral(" sonlu bir sayı değil"));
    }
    return value;
}

}  // namespace core
