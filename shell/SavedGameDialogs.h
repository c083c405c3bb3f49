#pragma once

#include <QString>

class QWidget;

// The save and open dialogs of the saved games, in the toolkit's own (translated) look.
namespace SavedGameDialogs {

// Where both dialogs open: the executable's folder, or the user's home folder when the
// game cannot write there (an installed copy), so that a first save never fails.
QString startFolder(const QString& executableFolder);

// The file to write, or an empty string when the player cancels. Asks before an
// existing file is replaced; a name typed without extension gets ".sav".
QString chooseSaveFile(QWidget* parent);

// An existing file to read, or an empty string when the player cancels.
QString chooseLoadFile(QWidget* parent);

} // namespace SavedGameDialogs
