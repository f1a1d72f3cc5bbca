#pragma once

#include <QWidget>

namespace ui {

// The help window: a topic list over a read-only viewer of the help texts.
// Created hidden at start-up; lives as long as the main window.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* owner);
};

}  // namespace ui
