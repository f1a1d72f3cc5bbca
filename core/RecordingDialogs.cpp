#include "core/RecordingDialogs.h"

namespace core {

QString ErrorReportText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
    return message;
}

void RecordingDialogs::notify(const Notice& notice) {
    notices_.push_back(notice);
    texts_.push_back(notice.text);
}

DialogButton RecordingDialogs::ask(const Question& question) {
    questions_.push_back(question);
    texts_.push_back(question.text);
    if (answers_.empty()) return defaultAnswer_;
    const DialogButton answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void RecordingDialogs::clear() {
    texts_.clear();
    notices_.clear();
    questions_.clear();
}

}  // namespace core
