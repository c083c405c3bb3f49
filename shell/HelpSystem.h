#pragma once

#include <QString>

class HelpViewer;

// The game's help: the one "current help file" and the one viewer that shows it. Every
// window's F1 calls showCurrentHelp(); the main window's help commands set the current
// file first.
class HelpSystem {
public:
    static const char* const gameHelpName;        // the game's manual
    static const char* const associationHelpName; // the association's pages

    // Where a help collection of that name lies: beside the executable, else in the
    // installed data folder.
    static QString helpFilePath(const QString& fileName);
    // Tests keep their collections in a folder of their own.
    static void setHelpFolder(const QString& folder);

    static QString currentHelpFile();
    static void setCurrentHelpFile(const QString& path);

    // Opens the current help file at its contents, in the viewer brought to the front.
    // A file that cannot be read is named in a message and the game goes on.
    static void showCurrentHelp();
    // The Help command (H, F1): the game's help becomes current and opens at its contents.
    static void showGameHelp();
    // The association command (F): its help at its first page; the game's help is then
    // current again, so the next F1 opens the game's help.
    static void showAssociationHelp();

    // The viewer, once a help file has been shown.
    static HelpViewer* viewer();
};
