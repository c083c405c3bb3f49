#pragma once

#include <QCursor>

class QWidget;

// The program's own cursors. Identifier n (2..22) carries the program's picture of the
// toolkit's built-in shape -n (21 the hand, 13 the no-drop sign); 0 is the default
// cursor and -22..-2 are the built-in shapes themselves.
namespace CursorRegistry {
// Registers the 21 cursors from the program's resources. Once, before any window.
void loadProgramCursors();
// The cursor for an identifier; an unknown one gives the default arrow.
QCursor cursorFor(int id);
} // namespace CursorRegistry

namespace CursorId {
enum : int {
    Default = 0,
    HandPoint = 21,
    NoDrop = 13,
    BuiltinHandPoint = -21,
    BuiltinNoDrop = -13,
    BuiltinAppStart = -19
};
}

// A control's cursor identifier, kept on the widget so the switch below can find it.
void setCursorId(QWidget* control, int id);
int cursorId(const QWidget* control);

// Every control of the window whose identifier lies in -22..0 takes its negation, so
// controls designed with a built-in shape show the program's own picture of it.
void applyProgramCursors(QWidget* window);
