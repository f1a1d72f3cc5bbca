#pragma once

#include <QStringList>
#include <deque>

#include "core/UserDialogs.h"

namespace core {

// Collects every message and question and answers questions from a queue (or with a
// default answer), for the command-line tool and the tests.
class RecordingDialogs : public UserDialogs {
  public:
    explicit RecordingDialogs(DialogButton defaultAnswer = DialogButton::No)
        : defaultAnswer_(defaultAnswer) {}

    void notify(const Notice& notice) override;
    DialogButton ask(const Question& question) override;

    void queueAnswer(DialogButton answer) { answers_.push_back(answer); }
    void setDefaultAnswer(DialogButton answer) { defaultAnswer_ = answer; }

    const QStringList& texts() const { return texts_; }
    const std::vector<Notice>& notices() const { return notices_; }
    const std::vector<Question>& questions() const { return questions_; }
    void clear();

  private:
    DialogButton defaultAnswer_;
    std::deque<DialogButton> answers_;
    QStringList texts_;
    std::vector<Notice> notices_;
    std::vector<Question> questions_;
};

}  // namespace core
