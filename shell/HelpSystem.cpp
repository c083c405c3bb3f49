#include "HelpSystem.h"

#include "BoardView.h"
#include "GameFiles.h"
#include "HelpViewer.h"
#include "TfrmMessageBox.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

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

// Brings one file into the cache folder unless the copy there is already the same.
bool refreshCopy(const QString& from, const QString& to) {
    const QFileInfo source(from), copy(to);
    if (copy.exists() && copy.size() == source.size() &&
        copy.lastModified() == source.lastModified())
        return true;
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    QFile file(to);
    // Copies keep read-only permissions; the time marks which build the copy came from.
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(source.lastModified(), QFileDevice::FileModificationTime);
}

// The viewer keeps its search index beside the collection. An installed game's folder is
// not writable, so the collection and its pages (same name, .qch) are read from a copy
// in the user's cache instead; the original is used whenever the copy cannot be made.
QString searchablePath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || QFileInfo(info.absolutePath()).isWritable())
        return path;
    const QDir cache(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                     QStringLiteral("/bramidou/help"));
    if (!QDir().mkpath(cache.path()))
        return path;
    for (const QString& name :
         {info.fileName(), info.completeBaseName() + QStringLiteral(".qch")}) {
        const QString from = QDir(info.absolutePath()).filePath(name);
        if (!QFileInfo::exists(from) || !refreshCopy(from, cache.filePath(name)))
            return path;
    }
    return cache.filePath(info.fileName());
}

bool openIn(HelpViewer* viewer, const QString& path) {
    if (viewer->openCollection(searchablePath(path)))
        return true;
    const std::string text = "Le fichier d'aide suivant est introuvable ou illisible :\r\n" +
                             QDir::toNativeSeparators(path).toStdString() +
                             "\r\n\r\nL'aide ne peut pas s'afficher ; la partie continue.";
    TfrmMessageBox::showMessage("Aide", text, MessageKind::Ok);
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
    if (!g_helpFolder.isEmpty())
        return QDir(g_helpFolder).filePath(fileName);
    return QFile::decodeName(
        QByteArray::fromStdString(GameFiles::dataFile(QFile::encodeName(fileName).toStdString())));
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
