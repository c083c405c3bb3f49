#pragma once

#include <QPoint>

#include <functional>

class QWidget;
class TfrmMessageBox;

// Resources, the program's cursors and no start-up pause: what every shell test needs
// before it makes a window.
void initShellTests();

// A pointer move, press or release delivered to one control, at a point inside it.
void sendMove(QWidget* control, QPoint pos = QPoint(2, 2));
void sendPress(QWidget* control, QPoint pos = QPoint(2, 2));
void sendRelease(QWidget* control, QPoint pos = QPoint(2, 2));

// The skinned box that is modal right now, or nullptr.
TfrmMessageBox* openMessageBox();

// Runs `action` on the next modal box to open, from inside its modal loop.
void whenBoxOpens(std::function<void(QWidget*)> action);

// Processes events until `done` holds or the time runs out; returns `done()`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);
