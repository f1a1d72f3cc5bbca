#include "ui/common/TypedCharacter.h"

#include "core/KeyFilters.h"

namespace ui {

std::optional<QChar> TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return core::kEnter;
        case Qt::Key_Backspace:
            return core::kBackspace;
        case Qt::Key_Escape:
            return QChar(27);
        default:
            break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.size() != 1) return std::nullopt;
    const QChar character = text.front();
    if (character.unicode() < 32 || character.unicode() == 127) return std::nullopt;
    return character;
}

bool IsKeypadDecimalKey(const QKeyEvent& event) {
    if (!(event.modifiers() & Qt::KeypadModifier)) return false;
    return event.key() == Qt::Key_Period || event.key() == Qt::Key_Comma;
}

}  // namespace ui
