#include "CursorRegistry.h"
#include "SingleInstanceLock.h"
#include "StartupSequence.h"
#include "TfrmAbout.h"
#include "TfrmCDPlayer.h"
#include "TfrmConfigurer.h"
#include "TfrmMessageBox.h"
#include "TfrmPrincipale.h"
#include "TfrmSplashScreen.h"
#include "ToolkitTranslation.h"

#include <QApplication>

#include <memory>
#include <vector>

int main(int argc, char* argv[]) {
    StartupSequence::preferX11Backend();
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(bramidou_assets);
    loadFrenchToolkitTranslation();

    if (!StartupSequence::displayAccepted())
        return 1;

    SingleInstanceLock lock;
    if (!StartupSequence::takeSingleInstance(lock))
        return 1;

    CursorRegistry::loadProgramCursors();

    auto splash = std::make_unique<TfrmSplashScreen>();
    splash->showAndPaintNow();

    QApplication::setApplicationName(QString::fromUtf8(StartupSequence::applicationTitle));
    QApplication::setApplicationDisplayName(QString::fromUtf8(StartupSequence::applicationTitle));
    // The other windows come and go; only the main window's close ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    std::vector<std::unique_ptr<QWidget>> windows = StartupSequence::createWindows(
        splash, {
                    [] { return std::unique_ptr<QWidget>(std::make_unique<TfrmPrincipale>()); },
                    [] { return std::unique_ptr<QWidget>(std::make_unique<TfrmCDPlayer>()); },
                    [] { return std::unique_ptr<QWidget>(std::make_unique<TfrmConfigurer>()); },
                    [] { return std::unique_ptr<QWidget>(std::make_unique<TfrmAbout>()); },
                    [] { return std::unique_ptr<QWidget>(std::make_unique<TfrmMessageBox>()); },
                });
    if (windows.empty())
        return 1;

    auto* principale = static_cast<TfrmPrincipale*>(windows.front().get());
    for (const std::unique_ptr<QWidget>& window : windows)
        if (auto* cdPlayer = qobject_cast<TfrmCDPlayer*>(window.get()))
            principale->setCdPlayerWindow(cdPlayer);

    StartupSequence::quitWhenClosed(windows.front().get());
    const int result = QApplication::exec();

    while (!windows.empty())
        windows.pop_back();
    lock.release();
    return result;
}
