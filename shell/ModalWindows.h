#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Keeps every modal window of the game above the main window. Each window that is shown
// modally (QDialog::exec, or a window given a modality before it is shown) is made
// transient for the main window, or for the modal window already open over it, just
// before it appears: a window manager then stacks it above its owner, in its owner's
// layer, whatever is clicked, and without one it is simply mapped last. Input to the
// main window is blocked by the modality itself.
class ModalWindows : public QObject {
public:
    // Installs the watch on the application, once, for this main window.
    static void keepAbove(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ModalWindows(QWidget* mainWindow);

    QPointer<QWidget> main_;
};
