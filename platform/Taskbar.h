#pragma once

class QWidget;

// Hiding the desktop's taskbar while the full-screen game is up. On Linux this asks the
// window manager to keep the game's own window full-screen above the panels (EWMH);
// other programs' windows are never touched. Without a window manager nothing happens.
namespace Taskbar {
void hide(QWidget* mainWindow);
void show(QWidget* mainWindow);
} // namespace Taskbar
