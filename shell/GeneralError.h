#pragma once

#include <QString>

class QWidget;

// The application's general error box, for failures the game cannot carry on from (a
// file that cannot be written): an error icon, the application's title as caption and
// the text followed by a full stop.
void showGeneralError(QWidget* parent, const QString& text);
