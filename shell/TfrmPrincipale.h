#pragma once

#include "BoardGeometry.h"
#include "BoardView.h"
#include "ColourLayout.h"
#include "DieSource.h"
#include "GameEngine.h"
#include "GameTimer.h"
#include "LazyPicture.h"

#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class ImageControl;
class QSessionManager;
class SoundOutput;

// The game's main window: the board artwork in one of three sizes, the image buttons
// laid over it, the die, the horses and the markers. It owns the engine and shows the
// game for it.
class TfrmPrincipale : public QWidget, public BoardView {
    Q_OBJECT

public:
    explicit TfrmPrincipale(QWidget* parent = nullptr);
    ~TfrmPrincipale() override;

    // The splash stays up during this pause at creation; tests shorten it.
    static void setStartupPauseMs(int ms);

    // The CD player window that the CD command shows; created after this window.
    void setCdPlayerWindow(QWidget* window) { cdPlayer_ = window; }

    int artworkSize() const { return artworkSize_; }
    bool windowedMode() const { return windowedMode_; }
    bool isDragging() const { return dragging_; }
    GameEngine& engine() { return *engine_; }
    const BoardGeometry& geometry() const { return geometry_; }

    // Components, under the names the rest of the program knows them by.
    ImageControl* ecran = nullptr;
    ImageControl* imgHideImages = nullptr;
    ImageControl* Bminimize = nullptr;
    ImageControl* Bconfiguration = nullptr;
    ImageControl* Bapropos = nullptr;
    ImageControl* Bafas = nullptr;
    ImageControl* Bcdaudio = nullptr;
    ImageControl* Bcharger = nullptr;
    ImageControl* Bsauver = nullptr;
    ImageControl* Bnouveau = nullptr;
    ImageControl* Bquitter = nullptr;
    ImageControl* Bhelp = nullptr;
    ImageControl* Barret = nullptr;
    ImageControl* BJaune = nullptr;
    ImageControl* BVert = nullptr;
    ImageControl* BBleu = nullptr;
    ImageControl* BRouge = nullptr;
    ImageControl* Des = nullptr;
    ImageControl* Pion = nullptr;
    ImageControl* imgLueur = nullptr; // the glow under the horse a pointed marker would move
    ImageControl* markers[5] = {};    // Pion1..Pion4
    ImageControl* horses[5][5] = {};  // [colour][k]: PionJaune1..PionRouge4

    GameTimer TimerSeconde;
    GameTimer TimerChoix;
    GameTimer TimerClignotant;

    ImageControl* throwButton(int colour) const;
    ImageControl* imageFor(ImageRef image) const;
    // The highlight artwork a button shows (its ...SEL holder), for the chosen size.
    // Read at the button's first highlight (isRead() tells whether it has been).
    const LazyPicture& highlightOf(const ImageControl* button) const;
    // A face of the die for the chosen size, read at its first showing.
    const LazyPicture& dieFace(int face) const;
    // The button the pointer is over is the only one that may be highlighted.
    bool isHighlighted(const ImageControl* button) const;

    // BoardView.
    void moveImageToSquare(ImageRef image, int square) override;
    void moveMarkersAside() override;
    void setMarkerPictures(bool on) override;
    void showDie(int face) override;
    void hideDie() override;
    void setHorseVisible(ImageRef image, bool on) override;
    void setThrowButtonLit(int colour, bool on) override;
    void prepareMarkersForNewGame() override;
    void playWaveSync(const std::string& file) override;
    void sleepMs(int ms) override;
    int showMessage(const std::string& caption, const std::string& text, int messageKind) override;

    // Commands.
    void BhelpClick();
    void BchargerClick();
    void BsauverClick();
    void BconfigurationClick();
    void BaproposClick();
    void BcdaudioClick();
    void BminimizeClick();
    void BquitterClick();
    void BnouveauClick();
    void BarretClick();
    void BafasClick();
    void SaveGame();
    void LoadGame();
    void BJauneClick() { throwClick(1); }
    void BVertClick() { throwClick(2); }
    void BBleuClick() { throwClick(3); }
    void BRougeClick() { throwClick(4); }
    void PionClick(int k);
    void PionMouseEnter(int k);
    void PionMouseLeave(int k);

    void FormKeyUp(int key, Qt::KeyboardModifiers modifiers);
    bool FormCloseQuery();
    void FormClose();
    // The session's question at log-off or shutdown whether the game may end.
    void commitSession(QSessionManager& manager);
    void OnRestore();

    // Hover.
    void imgHideImagesMouseMove();
    void buttonMouseMove(ImageControl* button);
    void setButtonCursor(ImageControl* button, bool available);
    void ecranMouseDown(QPoint pos);
    void ecranMouseMove(QPoint pos);
    void ecranMouseUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // One image button: its highlight holder (or a colour's lit picture) and the flag that
    // makes it available. Colour buttons have a colour and never highlight on hover.
    struct HighlightButton {
        ImageControl* control = nullptr;
        LazyPicture sel;
        bool GameState::*flag = nullptr;
        bool cursorFollowsFlag = true;
        int colour = 0;
    };

    void FormCreate();
    // Stores the window position and writes the settings file; false after the error box.
    bool storeSettings();
    void applyLayout(int size);
    void createComponents();
    ImageControl* makeButton(const char* name, const QString& hint, bool GameState::*flag,
                             bool cursorFollowsFlag = true, int colour = 0);
    const HighlightButton* findButton(const ImageControl* control) const;
    void throwClick(int colour);
    void repaintMoved(ImageControl* image, const QRect& before);
    void showHorseGlow();

    std::unique_ptr<SoundOutput> sound_;
    RandomDie die_;
    BoardGeometry geometry_;
    std::unique_ptr<GameEngine> engine_;
    std::vector<HighlightButton> buttons_; // the highlight set in clearing order, then colours
    LazyPicture dieFaces_[7];
    int artworkSize_ = 1024;
    bool windowedMode_ = false;
    bool dragging_ = false;
    QPoint dragOrigin_;
    QPointer<QWidget> cdPlayer_;
    int pointedMarker_ = 0; // the marker under the pointer, 0 for none
};
