#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QString>

// Where the generator's renderers put what they make. Resource names are relative to the
// resource root (":/art/board..." is "art/board..."); run files go to the run folder.
class ArtSink {
public:
    virtual ~ArtSink() = default;
    virtual void image(const QString& resourceName, const QImage& image) = 0;
    virtual void jpeg(const QString& resourceName, const QImage& image, int quality) = 0;
    virtual void cursor(const QString& cursorName, const QImage& image, QPoint hotSpot) = 0;
    virtual void runFile(const QString& fileName, const QByteArray& bytes) = 0;
};

// The renderers, one per family of pictures.
void renderBoardArt(ArtSink& sink);   // boards, button highlights, die, horses, markers
void renderDialogArt(ArtSink& sink);  // message box, settings dialog, CD player, about
void renderStartupArt(ArtSink& sink); // splash JPEG, window icon
void renderAppIcons(ArtSink& sink);   // the desktop icon at the theme's sizes
void renderCursors(ArtSink& sink);
void renderSounds(ArtSink& sink);
