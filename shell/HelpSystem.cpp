#include "HelpSystem.h"

#include "HelpViewer.h"
#include "TfrmMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QPointer>

const char* const HelpSystem::gameHelpName = "bramidou.qhc";
const char* const HelpSystem::associationHelpName = "afas.qhc";

namespace {

QString g_helpFolder;
QString g_currentHelpFile;
QPointer<HelpViewer> g_viewer;

// Opened beside a modal window (the settings dialog), the viewer has to belong to it, or
// the modal window would block it.
void attachToModalWindow(HelpViewer* viewer) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || viewer->parentWidget() == modal)
        return;
    const QRect where = viewer->geometry();
    const bool wasVisible = viewer->isVisible();
    viewer->setParent(modal, Qt::Window);
    if (wasVisible)
        viewer->setGeometry(where);
}

HelpViewer* theViewer() {
    if (!g_viewer) {
        g_viewer = new HelpViewer;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, g_viewer.data(),
                         [] { delete g_viewer.data(); });
    }
    return g_viewer;
}

bool openIn(HelpViewer* viewer, const QString& path) {
    if (viewer->openCollection(path))
        return true;
    const std::string text = "Le fichier d'aide suivant est introuvable ou illisible :\r\n" +
                             QDir::toNativeSeparators(path).toStdString() +
                             "\r\n\r\nL'aide ne peut pas s'afficher ; la partie continue.";
    TfrmMessageBox::showMessage("Aide", text, 0);
    return false;
}

void bringToFront(HelpViewer* viewer) {
    if (viewer->isMinimized())
        viewer->showNormal();
    else
        viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace

QString HelpSystem::helpFilePath(const QString& fileName) {
    const QString folder =
        g_helpFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_helpFolder;
    return QDir(folder).filePath(fileName);
}

void HelpSystem::setHelpFolder(const QString& folder) {
    g_helpFolder = folder;
}

QString HelpSystem::currentHelpFile() {
    if (g_currentHelpFile.isEmpty())
        g_currentHelpFile = helpFilePath(QString::fromUtf8(gameHelpName));
    return g_currentHelpFile;
}

void HelpSystem::setCurrentHelpFile(const QString& path) {
    g_currentHelpFile = path;
}

void HelpSystem::showCurrentHelp() {
    HelpViewer* viewer = theViewer();
    attachToModalWindow(viewer);
    if (!openIn(viewer, currentHelpFile()))
        return;
    viewer->showContents();
    bringToFront(viewer);
}

void HelpSystem::showGameHelp() {
    setCurrentHelpFile(helpFilePath(QString::fromUtf8(gameHelpName)));
    showCurrentHelp();
}

void HelpSystem::showAssociationHelp() {
    setCurrentHelpFile(helpFilePath(QString::fromUtf8(associationHelpName)));
    showCurrentHelp();
    setCurrentHelpFile(helpFilePath(QString::fromUtf8(gameHelpName)));
}

HelpViewer* HelpSystem::viewer() {
    return g_viewer;
}
