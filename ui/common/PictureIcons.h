#pragma once

#include <QIcon>

namespace ui {

// The pictures of the picture buttons, drawn so the program needs no image files.
QIcon PrinterIcon();
QIcon MailIcon();
QIcon HelpIcon();

}  // namespace ui
