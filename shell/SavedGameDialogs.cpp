#include "SavedGameDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace SavedGameDialogs {

namespace {

const char* const kSavedGames = "Fichiers de Sauvegarde (*.sav)";
// "*" rather than "*.*": here a name without a dot is a file like any other.
const char* const kAllFiles = "Tous Fichiers (*)";

QString runDialog(QFileDialog& dialog, bool resizable) {
    // The toolkit's own dialog: it speaks the game's French and looks the same everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setDirectory(startFolder(QCoreApplication::applicationDirPath()));
    dialog.setDefaultSuffix(QStringLiteral("sav"));
    // Wide enough for the names, sizes and dates of the list, and never past the screen.
    QSize size(760, 460);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() - QSize(40, 60));
    if (resizable)
        dialog.resize(size);
    else
        dialog.setFixedSize(size);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString startFolder(const QString& executableFolder) {
    const QFileInfo folder(executableFolder);
    if (folder.isDir() && folder.isWritable())
        return folder.absoluteFilePath();
    return QDir::homePath();
}

QString chooseSaveFile(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromUtf8(kSavedGames));
    return runDialog(dialog, true);
}

QString chooseLoadFile(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({QString::fromUtf8(kSavedGames), QString::fromUtf8(kAllFiles)});
    dialog.setSizeGripEnabled(false);
    return runDialog(dialog, false);
}

} // namespace SavedGameDialogs
