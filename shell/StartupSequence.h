#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;
class SingleInstanceLock;
class TfrmSplashScreen;

// The steps that turn a start of the executable into a running game, in the order they
// must happen: screen check, single copy, cursors, splash, windows, event loop.
namespace StartupSequence {

extern const char* const applicationTitle;
extern const char* const lockName;

// Before the application object exists: on a Wayland session that also offers an X
// server, the X11 backend, where the game can place and move its own windows. A choice
// the user made for the toolkit is left alone.
void preferX11Backend();

// The display check and its refusal box; false means the program must end.
bool displayAccepted();

// The single-copy check and its refusal box; false means another copy runs. A lock that
// cannot be taken at all lets the program run unprotected.
bool takeSingleInstance(SingleInstanceLock& lock);

using WindowFactory = std::function<std::unique_ptr<QWidget>()>;

// Creates the windows in order, switching each one's controls to the program's cursors
// right after its creation. The splash is destroyed in every case; a creation that fails
// (throws or gives nothing) stops the sequence, the windows made so far are destroyed,
// and the result is empty. The first window is the main window: from then on every
// window shown modally is kept above it (ModalWindows).
std::vector<std::unique_ptr<QWidget>> createWindows(std::unique_ptr<TfrmSplashScreen>& splash,
                                                    const std::vector<WindowFactory>& factories);

// Ends the event loop when the main window is closed (or destroyed), and only then: other
// windows may come and go freely, and a minimised main window is still running.
void quitWhenClosed(QWidget* mainWindow);

} // namespace StartupSequence
