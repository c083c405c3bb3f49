#include "StartupSequence.h"

#include "CursorRegistry.h"
#include "DisplayInfo.h"
#include "ModalWindows.h"
#include "SingleInstanceLock.h"
#include "TfrmSplashScreen.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <exception>

namespace StartupSequence {

const char* const applicationTitle = "Les Bramidou";
const char* const lockName = "Les Bramidou - Vurmont Soft";

namespace {

void refuse(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(applicationTitle), text,
                    QMessageBox::Ok);
    box.exec();
}

class CloseWatcher : public QObject {
public:
    explicit CloseWatcher(QWidget* mainWindow) : QObject(mainWindow), window_(mainWindow) {
        mainWindow->installEventFilter(this);
        QObject::connect(
            mainWindow, &QObject::destroyed, qApp, [] { QCoreApplication::exit(0); },
            Qt::QueuedConnection);
    }

protected:
    // A close that the window accepts ends in a hide the program asked for; a minimise
    // gives only a hide from the window system, and a refused close no hide at all.
    // exit() rather than quit(): quit() asks every visible window to close first and gives
    // up if one refuses, which would leave the game running without its main window.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Hide && !event->spontaneous())
            QTimer::singleShot(0, qApp, [w = QPointer<QWidget>(window_)]() {
                if (w.isNull() || !w->isVisible())
                    QCoreApplication::exit(0);
            });
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

void preferX11Backend() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    qputenv("QT_QPA_PLATFORM", "xcb");
}

bool displayAccepted() {
    const DisplayInfo display = DisplayInfo::measure();
    if (display.isGoodEnough())
        return true;
    // No-break spaces keep "640 x 480" on one line when the box wraps the text.
    const char* text = "Ce jeu nécessite un affichage d'au moins 640\u00a0x\u00a0480 pixels "
                       "en 32765 couleurs ou plus.";
    if (display.toolkitCanDraw() || !DisplayInfo::showPlainNotice(applicationTitle, text))
        refuse(QString::fromUtf8(text));
    return false;
}

bool takeSingleInstance(SingleInstanceLock& lock) {
    if (lock.acquire(lockName) != SingleInstanceLock::Result::AlreadyRunning)
        return true;
    refuse(QString::fromUtf8("Ce jeu est déjà chargé !"));
    return false;
}

std::vector<std::unique_ptr<QWidget>> createWindows(std::unique_ptr<TfrmSplashScreen>& splash,
                                                    const std::vector<WindowFactory>& factories) {
    std::vector<std::unique_ptr<QWidget>> windows;
    bool complete = true;
    for (const WindowFactory& create : factories) {
        std::unique_ptr<QWidget> window;
        try {
            window = create();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "bramidou: %s\n", error.what());
        } catch (...) {
            std::fprintf(stderr, "bramidou: a window could not be created\n");
        }
        if (!window) {
            complete = false;
            break;
        }
        applyProgramCursors(window.get());
        windows.push_back(std::move(window));
    }
    splash.reset();
    if (!complete) {
        // Newest first: later windows may refer to the earlier ones.
        while (!windows.empty())
            windows.pop_back();
    }
    if (!windows.empty())
        ModalWindows::keepAbove(windows.front().get());
    return windows;
}

void quitWhenClosed(QWidget* mainWindow) {
    if (mainWindow != nullptr)
        new CloseWatcher(mainWindow);
}

} // namespace StartupSequence
