#pragma once

class QString;

// Hands a web address or a "mailto:" text to the desktop, which opens it with the user's
// browser or mail program. The outcome is not looked at: with no such program nothing
// happens and the game goes on.
namespace DesktopOpener {
void open(const QString& text);
} // namespace DesktopOpener
