#include "TfrmPrincipale.h"

#include "AppSettings.h"
#include "ArtResource.h"
#include "CursorRegistry.h"
#include "GameFiles.h"
#include "GeneralError.h"
#include "HelpSystem.h"
#include "ImageControl.h"
#include "IniWriteError.h"
#include "PanelPlacement.h"
#include "SavedGame.h"
#include "SavedGameDialogs.h"
#include "SettingsFile.h"
#include "SoundOutput.h"
#include "Taskbar.h"
#include "TfrmAbout.h"
#include "TfrmConfigurer.h"
#include "TfrmMessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QSessionManager>

#include <chrono>
#include <exception>
#include <thread>

namespace {

int g_startupPauseMs = 2000;

// Index of an artwork size in the tables below.
int sizeIndex(int size) {
    return size == 640 ? 0 : size == 800 ? 1 : 2;
}

QPoint placementOf(const QString& name, int size) {
    const PanelPlacement::Rect r = PanelPlacement::buttonRect(name.toLatin1().constData(), size);
    return {r.left, r.top};
}

// The sizes the artwork is drawn at; used when a picture cannot be loaded, so that the
// layout stays right even then.
QSize nominalButtonSize(const QString& name, int size) {
    const PanelPlacement::Rect r = PanelPlacement::buttonRect(name.toLatin1().constData(), size);
    return {r.width, r.height};
}

QString artPath(const QString& name) {
    return QStringLiteral(":/art/") + name;
}

QPixmap art(const QString& name) {
    return ArtResource::pixmap(artPath(name));
}

QSize sizeOf(const QPixmap& picture) {
    return ArtResource::logicalSize(picture);
}

} // namespace

void TfrmPrincipale::setStartupPauseMs(int ms) {
    g_startupPauseMs = ms < 0 ? 0 : ms;
}

TfrmPrincipale::TfrmPrincipale(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmPrincipale"));
    setWindowTitle(QStringLiteral("Les Bramidou"));
    setWindowIcon(QIcon(art(QStringLiteral("icon.png"))));
    setFocusPolicy(Qt::StrongFocus);

    sound_ = std::make_unique<SoundOutput>();
    TimerSeconde.setHandler([this] { engine_->afterThrow(); });
    TimerChoix.setHandler([this] { engine_->chooseComputerMove(); });
    TimerClignotant.setHandler([this] { engine_->blinkTick(); });
    engine_ = std::make_unique<GameEngine>(
        *this, EngineTimers{&TimerSeconde, &TimerChoix, &TimerClignotant}, die_, appSettings());
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TfrmPrincipale::commitSession,
            Qt::DirectConnection);

    FormCreate();
}

TfrmPrincipale::~TfrmPrincipale() {
    TimerSeconde.stop();
    TimerChoix.stop();
    TimerClignotant.stop();
}

void TfrmPrincipale::FormCreate() {
    Settings& settings = appSettings();
    settings.settingsPath = GameFiles::settingsFile();

    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->geometry().size();
    switch (screen.width()) {
    case 640:
    case 800:
    case 1024:
        artworkSize_ = screen.width();
        windowedMode_ = false;
        break;
    default:
        artworkSize_ = 1024;
        windowedMode_ = true;
        break;
    }

    // Restoring from the taskbar is seen in changeEvent (OnRestore).
    if (!windowedMode_)
        Taskbar::hide(this);

    hide();
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(189, 125, 96));
    setPalette(background);
    setAutoFillBackground(true);
    createComponents();
    ecran->move(0, 0);

    std::this_thread::sleep_for(std::chrono::milliseconds(g_startupPauseMs));

    geometry_ = BoardGeometry(artworkSize_);
    applyLayout(artworkSize_);

    LoadSettings(settings, settings.settingsPath, ScreenSize{screen.width(), screen.height()},
                 *sound_);
    engine_->stopGame();
    die_.seedFromClock();

    if (windowedMode_)
        move(settings.mainLeft, settings.mainTop);
    else
        move((screen.width() - settings.mainWidth) / 2,
             (screen.height() - settings.mainHeight) / 2);

    // Keys act whichever control holds the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    show();
}

ImageControl* TfrmPrincipale::makeButton(const char* name, const QString& hint,
                                         bool GameState::*flag, bool cursorFollowsFlag,
                                         int colour) {
    auto* button = new ImageControl(this);
    button->setObjectName(QLatin1String(name));
    button->setHint(hint);
    button->setTag(0);
    setCursorId(button, CursorId::BuiltinHandPoint);
    buttons_.push_back({button, LazyPicture(), flag, cursorFollowsFlag, colour});
    connect(button, &ImageControl::mouseMoved, this, [this, button] { buttonMouseMove(button); });
    return button;
}

void TfrmPrincipale::createComponents() {
    ecran = new ImageControl(this);
    ecran->setObjectName(QStringLiteral("ecran"));
    ecran->setAutoSize(true);
    connect(ecran, &ImageControl::mousePressed, this,
            [this](Qt::MouseButton, QPoint pos) { ecranMouseDown(pos); });
    connect(ecran, &ImageControl::mouseMoved, this, &TfrmPrincipale::ecranMouseMove);
    connect(ecran, &ImageControl::mouseReleased, this, [this] { ecranMouseUp(); });

    Des = new ImageControl(this);
    Des->setObjectName(QStringLiteral("Des"));
    connect(Des, &ImageControl::mouseMoved, this, [this] { imgHideImagesMouseMove(); });

    for (int c = 1; c <= 4; ++c) {
        for (int k = 1; k <= 4; ++k) {
            auto* horse = new ImageControl(this);
            horse->setObjectName(
                QStringLiteral("Pion%1%2").arg(QLatin1String(Colour::name(c))).arg(k));
            horse->setTransparent(true);
            horse->setAutoSize(true);
            horses[c][k] = horse;
        }
    }

    Pion = new ImageControl(this);
    Pion->setObjectName(QStringLiteral("Pion"));
    Pion->setTransparent(true);
    Pion->setAutoSize(true);
    Pion->hide();
    for (int k = 1; k <= 4; ++k) {
        auto* marker = new ImageControl(this);
        marker->setObjectName(QStringLiteral("Pion%1").arg(k));
        marker->setTransparent(true);
        setCursorId(marker, CursorId::BuiltinHandPoint);
        connect(marker, &ImageControl::clicked, this, [this, k] { PionClick(k); });
        connect(marker, &ImageControl::pointerEntered, this, [this, k] { PionMouseEnter(k); });
        connect(marker, &ImageControl::pointerLeft, this, [this, k] { PionMouseLeave(k); });
        markers[k] = marker;
    }

    imgLueur = new ImageControl(this);
    imgLueur->setObjectName(QStringLiteral("imgLueur"));
    imgLueur->setAutoSize(true);
    // Only a picture over the board: the pointer acts on whatever lies beneath.
    imgLueur->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgLueur->hide();

    imgHideImages = new ImageControl(this);
    imgHideImages->setObjectName(QStringLiteral("imgHideImages"));
    connect(imgHideImages, &ImageControl::mouseMoved, this, [this] { imgHideImagesMouseMove(); });

    // The highlight set in the order highlights are cleared, then the colour buttons.
    Bminimize =
        makeButton("Bminimize", QStringLiteral("Minimiser le jeu [Touche F7]"), nullptr, false);
    Bconfiguration =
        makeButton("Bconfiguration", QStringLiteral("Accès à la configuration [Touche F4]"),
                   &GameState::allowNewGame);
    Bapropos = makeButton("Bapropos", QStringLiteral("A propos de ...  [Touche F5]"),
                          &GameState::allowAbout);
    Bafas = makeButton("Bafas", QStringLiteral("L'Association Française des Auteurs de Shareware"),
                       &GameState::allowAfas);
    Bcdaudio = makeButton("Bcdaudio", QStringLiteral("Lecteur de CD-Audio [Touche F6]"),
                          &GameState::allowCdAudio);
    Bcharger = makeButton("Bcharger", QStringLiteral("Chargement d'une partie [Touche F2]"),
                          &GameState::allowLoad);
    Bsauver = makeButton("Bsauver", QStringLiteral("Sauvegarde d'une partie  [Touche F3]"),
                         &GameState::awaitingHumanThrow);
    Bnouveau = makeButton("Bnouveau", QStringLiteral("Lancement d'une nouvelle partie"),
                          &GameState::allowNewGameHover);
    Bquitter = makeButton("Bquitter", QStringLiteral("Quitter le jeu [Touche F10]"),
                          &GameState::allowQuitHover);
    Bhelp = makeButton("Bhelp", QStringLiteral("Aide du jeu [Touche F1]"), &GameState::allowHelp,
                       false);
    Barret = makeButton("Barret", QString(), &GameState::gameInProgress);
    BJaune = makeButton("BJaune", QString(), nullptr, true, 1);
    BVert = makeButton("BVert", QString(), nullptr, true, 2);
    BBleu = makeButton("BBleu", QString(), nullptr, true, 3);
    BRouge = makeButton("BRouge", QString(), nullptr, true, 4);

    connect(Bminimize, &ImageControl::clicked, this, &TfrmPrincipale::BminimizeClick);
    connect(Bconfiguration, &ImageControl::clicked, this, &TfrmPrincipale::BconfigurationClick);
    connect(Bapropos, &ImageControl::clicked, this, &TfrmPrincipale::BaproposClick);
    connect(Bafas, &ImageControl::clicked, this, &TfrmPrincipale::BafasClick);
    connect(Bcdaudio, &ImageControl::clicked, this, &TfrmPrincipale::BcdaudioClick);
    connect(Bcharger, &ImageControl::clicked, this, &TfrmPrincipale::BchargerClick);
    connect(Bsauver, &ImageControl::clicked, this, &TfrmPrincipale::BsauverClick);
    connect(Bnouveau, &ImageControl::clicked, this, &TfrmPrincipale::BnouveauClick);
    connect(Bquitter, &ImageControl::clicked, this, &TfrmPrincipale::BquitterClick);
    connect(Bhelp, &ImageControl::clicked, this, &TfrmPrincipale::BhelpClick);
    connect(Barret, &ImageControl::clicked, this, &TfrmPrincipale::BarretClick);
    connect(BJaune, &ImageControl::clicked, this, &TfrmPrincipale::BJauneClick);
    connect(BVert, &ImageControl::clicked, this, &TfrmPrincipale::BVertClick);
    connect(BBleu, &ImageControl::clicked, this, &TfrmPrincipale::BBleuClick);
    connect(BRouge, &ImageControl::clicked, this, &TfrmPrincipale::BRougeClick);

    // Only the minimise box shows before the layout has run.
    for (const HighlightButton& b : buttons_)
        b.control->setVisible(b.control == Bminimize);
}

void TfrmPrincipale::applyLayout(int size) {
    const int i = sizeIndex(size);
    static const char* const kBoards[3] = {"img640x480.png", "img800x600.png", "img1024x768.png"};
    const int horseSide = PanelPlacement::pieceSize(size);
    const PanelPlacement::Rect die = PanelPlacement::dieRect(size);

    imgHideImages->raise();
    for (ImageControl* b : {Bminimize, Bconfiguration, Bapropos, Bafas, Bcdaudio, Bcharger, Bsauver,
                            Bnouveau, Bquitter, BJaune, BVert, BBleu, BRouge, Bhelp, Barret})
        b->raise();

    const QPixmap board = art(QLatin1String(kBoards[i]));
    ecran->setPicture(board);
    const QSize boardSize = board.isNull() ? QSize(size, size * 3 / 4) : sizeOf(board);
    ecran->resize(boardSize);
    setFixedSize(boardSize);

    const QPixmap marker = art(QStringLiteral("Pion%1.png").arg(size));
    Pion->setPicture(marker);
    Pion->resize(marker.isNull() ? QSize(horseSide, horseSide) : sizeOf(marker));
    for (int k = 1; k <= 4; ++k)
        markers[k]->resize(Pion->size());

    imgLueur->setPicture(art(QStringLiteral("Lueur%1.png").arg(size)));

    for (int c = 1; c <= 4; ++c) {
        const QPixmap horse =
            art(QStringLiteral("Pion%1%2.png").arg(QLatin1String(Colour::name(c))).arg(size));
        for (int k = 1; k <= 4; ++k) {
            horses[c][k]->setPicture(horse);
            if (horse.isNull())
                horses[c][k]->resize(horseSide, horseSide);
        }
    }

    // The highlights and die faces are read at their first showing: a player may never
    // point at most buttons. Their sizes come from the pictures' headers.
    for (HighlightButton& b : buttons_) {
        const QString name = b.control->objectName();
        b.sel = LazyPicture(artPath(QStringLiteral("%1SEL%2.png").arg(name).arg(size)));
        const QSize selSize = b.sel.logicalSize();
        b.control->move(placementOf(name, size));
        b.control->resize(selSize.isEmpty() ? nominalButtonSize(name, size) : selSize);
    }

    Des->move(die.left, die.top);
    for (int face = 1; face <= 6; ++face)
        dieFaces_[face] = LazyPicture(artPath(QStringLiteral("Des%1_%2.png").arg(face).arg(size)));
    const QSize faceSize = dieFaces_[1].logicalSize();
    Des->resize(faceSize.isEmpty() ? QSize(die.width, die.height) : faceSize);

    Settings& settings = appSettings();
    settings.mainHeight = height();
    settings.mainWidth = width();

    const int stripWidth =
        boardSize.width() - placementOf(QStringLiteral("Bconfiguration"), size).x() + 10;
    imgHideImages->setGeometry(boardSize.width() - stripWidth, 0, stripWidth, boardSize.height());

    for (const HighlightButton& b : buttons_)
        b.control->setVisible(true);
    Des->hide();

    // Everything that moves starts out of sight.
    Pion->move(geometry_.at(Square::OffBoard).x, geometry_.at(Square::OffBoard).y);
    for (int k = 1; k <= 4; ++k)
        moveImageToSquare(ImageRef::marker(k), Square::OffBoard);
    for (int c = 1; c <= 4; ++c)
        for (int k = 1; k <= 4; ++k)
            moveImageToSquare(ImageRef::horse(c, k), Square::OffBoard);
}

ImageControl* TfrmPrincipale::throwButton(int colour) const {
    switch (colour) {
    case 1:
        return BJaune;
    case 2:
        return BVert;
    case 3:
        return BBleu;
    case 4:
        return BRouge;
    default:
        return nullptr;
    }
}

ImageControl* TfrmPrincipale::imageFor(ImageRef image) const {
    switch (image.kind) {
    case ImageRef::Horse:
        if (image.colour >= 1 && image.colour <= 4 && image.number >= 1 && image.number <= 4)
            return horses[image.colour][image.number];
        return nullptr;
    case ImageRef::Marker:
        return image.number >= 1 && image.number <= 4 ? markers[image.number] : nullptr;
    case ImageRef::Die:
        return Des;
    }
    return nullptr;
}

const TfrmPrincipale::HighlightButton*
TfrmPrincipale::findButton(const ImageControl* control) const {
    for (const HighlightButton& b : buttons_)
        if (b.control == control)
            return &b;
    return nullptr;
}

const LazyPicture& TfrmPrincipale::highlightOf(const ImageControl* button) const {
    static const LazyPicture none;
    const HighlightButton* b = findButton(button);
    return b ? b->sel : none;
}

const LazyPicture& TfrmPrincipale::dieFace(int face) const {
    return dieFaces_[face >= 1 && face <= 6 ? face : 0];
}

bool TfrmPrincipale::isHighlighted(const ImageControl* button) const {
    return button && button->tag() == 1;
}

// --- BoardView -------------------------------------------------------------------------

void TfrmPrincipale::repaintMoved(ImageControl* image, const QRect& before) {
    // The old place must be cleaned at once too: during a walk no event is handled.
    QRegion dirty =
        QRegion(before.intersected(rect())) + QRegion(image->geometry().intersected(rect()));
    if (!dirty.isEmpty())
        repaint(dirty);
}

void TfrmPrincipale::moveImageToSquare(ImageRef ref, int square) {
    ImageControl* image = imageFor(ref);
    if (!image)
        return;
    const BoardPoint p = geometry_.at(square);
    const QRect before = image->geometry();
    image->move(p.x - image->width() / 2, p.y - image->height() / 2);
    repaintMoved(image, before);
    if (ref.kind == ImageRef::Marker)
        showHorseGlow();
}

void TfrmPrincipale::moveMarkersAside() {
    for (int k = 1; k <= 4; ++k) {
        const QRect before = markers[k]->geometry();
        markers[k]->move(-100, markers[k]->y());
        repaintMoved(markers[k], before);
    }
    showHorseGlow();
}

void TfrmPrincipale::setMarkerPictures(bool on) {
    for (int k = 1; k <= 4; ++k)
        markers[k]->setPicture(on ? Pion->picture() : QPixmap());
}

void TfrmPrincipale::showDie(int face) {
    if (face < 1 || face > 6)
        return;
    Des->setPicture(dieFaces_[face].picture());
    Des->show();
}

void TfrmPrincipale::hideDie() {
    Des->hide();
}

void TfrmPrincipale::setHorseVisible(ImageRef image, bool on) {
    if (ImageControl* horse = imageFor(image))
        horse->setVisible(on);
}

void TfrmPrincipale::setThrowButtonLit(int colour, bool on) {
    ImageControl* button = throwButton(colour);
    if (!button)
        return;
    const HighlightButton* b = findButton(button);
    button->setPicture(on && b ? b->sel.picture() : QPixmap());
}

void TfrmPrincipale::prepareMarkersForNewGame() {
    for (int k = 1; k <= 4; ++k) {
        markers[k]->setEnabled(true);
        markers[k]->show();
        markers[k]->move(width() + 1000, height() + 1000);
    }
    showHorseGlow();
}

void TfrmPrincipale::playWaveSync(const std::string& file) {
    const auto start = std::chrono::steady_clock::now();
    if (sound_->playWaveSync(GameFiles::dataFile(file)))
        return;
    // A step whose sound is missing, broken or not heard keeps the pace of a silent one,
    // so the horse still walks instead of jumping.
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    const int rest = GameEngine::stepPauseMs - static_cast<int>(spent.count());
    if (rest > 0)
        sleepMs(rest);
}

void TfrmPrincipale::sleepMs(int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int TfrmPrincipale::showMessage(const std::string& caption, const std::string& text,
                                int messageKind) {
    return TfrmMessageBox::showMessage(caption, text, messageKind);
}

// --- Hover -----------------------------------------------------------------------------

void TfrmPrincipale::imgHideImagesMouseMove() {
    for (const HighlightButton& b : buttons_) {
        if (b.colour != 0)
            continue;
        b.control->setPicture(QPixmap());
        b.control->setTag(0);
    }
}

void TfrmPrincipale::setButtonCursor(ImageControl* button, bool available) {
    setCursorId(button, available ? CursorId::HandPoint : CursorId::NoDrop);
}

void TfrmPrincipale::buttonMouseMove(ImageControl* button) {
    const HighlightButton* b = findButton(button);
    if (!b)
        return;
    const GameState& state = engine_->state();
    if (b->colour != 0) {
        imgHideImagesMouseMove();
        setButtonCursor(button, state.throwArmed[b->colour]);
        return;
    }
    // Only the arrival on a button changes the picture; moves within it change nothing.
    const bool available = b->flag ? state.*(b->flag) : true;
    if (button->tag() != 1) {
        imgHideImagesMouseMove();
        if (available) {
            button->setPicture(b->sel.picture());
            button->setTag(1);
        }
    }
    if (b->flag && b->cursorFollowsFlag)
        setButtonCursor(button, available);
}

void TfrmPrincipale::ecranMouseDown(QPoint pos) {
    dragOrigin_ = pos;
    dragging_ = true;
}

void TfrmPrincipale::ecranMouseMove(QPoint pos) {
    if (!dragging_) {
        imgHideImagesMouseMove();
        return;
    }
    if (windowedMode_)
        move(x() + pos.x() - dragOrigin_.x(), y() + pos.y() - dragOrigin_.y());
}

void TfrmPrincipale::ecranMouseUp() {
    dragging_ = false;
}

// --- Commands --------------------------------------------------------------------------

void TfrmPrincipale::BhelpClick() {
    if (!engine_->state().allowHelp)
        return;
    HelpSystem::showGameHelp();
}

void TfrmPrincipale::BchargerClick() {
    if (engine_->state().allowLoad)
        LoadGame();
}

void TfrmPrincipale::BsauverClick() {
    if (engine_->state().awaitingHumanThrow)
        SaveGame();
}

void TfrmPrincipale::BconfigurationClick() {
    if (!engine_->state().allowNewGame)
        return;
    // Cancel in the dialog reads the settings back from this very write.
    if (!storeSettings())
        return;
    Settings& settings = appSettings();
    TfrmConfigurer* dialog = TfrmConfigurer::instance();
    if (!dialog) {
        // Start-up makes it; a window built on its own (a test) gets one the same way.
        dialog = new TfrmConfigurer;
        applyProgramCursors(dialog);
    }
    dialog->exec();
    TimerChoix.setInterval(settings.choiceDelayMs);
}

void TfrmPrincipale::SaveGame() {
    if (!engine_->state().awaitingHumanThrow)
        return;
    const QString path = SavedGameDialogs::chooseSaveFile(this);
    if (path.isEmpty())
        return;
    // Only the blink ran behind the dialog: the game still waits for the same throw.
    const GameState& state = engine_->state();
    const Settings& settings = appSettings();
    SavedGame game{};
    for (int c = 1; c <= 4; ++c) {
        game.playerKind[c] = settings.playerKind[c];
        for (int k = 1; k <= 4; ++k)
            game.horseSquare[c][k] = state.horseSquare[c][k];
    }
    game.currentColour = state.currentColour;
    try {
        writeSavedGame(QFile::encodeName(path).toStdString(), game);
    } catch (const std::exception& error) {
        showMessage("Les Bramidou", std::string(error.what()) + ".", MessageKind::Ok);
    }
}

void TfrmPrincipale::LoadGame() {
    if (!engine_->state().allowLoad)
        return;
    const QString path = SavedGameDialogs::chooseLoadFile(this);
    if (path.isEmpty())
        return;
    const std::optional<SavedGame> game = readSavedGameFile(QFile::encodeName(path).toStdString());
    if (!game) {
        // The running game goes on as if the dialog had been cancelled.
        showMessage("Les Bramidou", "Impossible de lire " + path.toStdString() + ".",
                    MessageKind::Ok);
        return;
    }
    // The file's players, in place before the game is set up: they decide who takes part,
    // whose horses show and who plays next, and stay for the next games.
    Settings& settings = appSettings();
    for (int c = 1; c <= 4; ++c)
        settings.playerKind[c] = game->playerKind[c];
    if (TfrmConfigurer* dialog = TfrmConfigurer::instance())
        dialog->MiseAJour();
    engine_->resumeLoadedGame(game->horseSquare, game->currentColour);
}

void TfrmPrincipale::BaproposClick() {
    if (!engine_->state().allowAbout)
        return;
    TfrmAbout::showModal();
}

void TfrmPrincipale::BcdaudioClick() {
    if (!engine_->state().allowCdAudio || cdPlayer_.isNull())
        return;
    // Not modal; a request while it is shown only brings it to the front.
    if (!cdPlayer_->isVisible())
        cdPlayer_->show();
    cdPlayer_->raise();
    cdPlayer_->activateWindow();
}

void TfrmPrincipale::BafasClick() {
    if (!engine_->state().allowAfas)
        return;
    HelpSystem::showAssociationHelp();
}

void TfrmPrincipale::BminimizeClick() {
    showMinimized();
    imgHideImagesMouseMove();
    Taskbar::show(this);
}

void TfrmPrincipale::BquitterClick() {
    close();
}

void TfrmPrincipale::BnouveauClick() {
    if (engine_->state().allowNewGame)
        engine_->startNewGame();
}

void TfrmPrincipale::BarretClick() {
    if (engine_->state().gameInProgress)
        engine_->requestStop();
}

void TfrmPrincipale::throwClick(int colour) {
    if (engine_->state().throwArmed[colour])
        engine_->humanThrow(colour);
}

void TfrmPrincipale::PionClick(int k) {
    // A click queued while a horse walked arrives after the move has settled; the markers
    // it aimed at are gone by then.
    if (engine_->state().moveSettled || !engine_->state().gameInProgress)
        return;
    engine_->applyChosenMove(k);
}

void TfrmPrincipale::PionMouseEnter(int k) {
    pointedMarker_ = k;
    showHorseGlow();
}

void TfrmPrincipale::PionMouseLeave(int k) {
    if (pointedMarker_ == k)
        pointedMarker_ = 0;
    showHorseGlow();
}

// A marker shows where horse k of the colour to play would go, but not which horse that
// is; while the pointer rests on a marker that is on the board for a choice, that horse
// glows. Called whenever the pointer or the markers move.
void TfrmPrincipale::showHorseGlow() {
    const GameState& state = engine_->state();
    const int k = pointedMarker_;
    const int colour = state.currentColour;
    const bool choosing = k >= 1 && k <= 4 && colour >= 1 && colour <= 4 && state.gameInProgress &&
                          !state.moveSettled && state.moveTarget[k] != 0 &&
                          markers[k]->isVisible() && rect().intersects(markers[k]->geometry());
    if (!choosing) {
        if (imgLueur->isVisible()) {
            // At once: the glow goes as a walk starts, and no event is handled during it.
            const QRect was = imgLueur->geometry();
            imgLueur->hide();
            repaint(was);
        }
        return;
    }
    const ImageControl* horse = horses[colour][k];
    const QPoint centre(horse->x() + horse->width() / 2, horse->y() + horse->height() / 2);
    imgLueur->move(centre.x() - imgLueur->width() / 2, centre.y() - imgLueur->height() / 2);
    imgLueur->stackUnder(horses[colour][k]);
    imgLueur->show();
}

void TfrmPrincipale::FormKeyUp(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::AltModifier)
        return;
    switch (key) {
    case Qt::Key_F1:
    case Qt::Key_H:
        BhelpClick();
        break;
    case Qt::Key_A:
    case Qt::Key_F5:
        BaproposClick();
        break;
    case Qt::Key_B:
        BBleuClick();
        break;
    case Qt::Key_C:
    case Qt::Key_F2:
        BchargerClick();
        break;
    case Qt::Key_D:
    case Qt::Key_F6:
        BcdaudioClick();
        break;
    case Qt::Key_F:
        BafasClick();
        break;
    case Qt::Key_J:
        BJauneClick();
        break;
    case Qt::Key_N:
        BnouveauClick();
        break;
    case Qt::Key_O:
    case Qt::Key_F4:
        BconfigurationClick();
        break;
    case Qt::Key_Q:
    case Qt::Key_F10:
        BquitterClick();
        break;
    case Qt::Key_R:
        BRougeClick();
        break;
    case Qt::Key_S:
    case Qt::Key_F3:
        BsauverClick();
        break;
    case Qt::Key_T:
        BarretClick();
        break;
    case Qt::Key_V:
        BVertClick();
        break;
    case Qt::Key_F7:
        BminimizeClick();
        break;
    default:
        break;
    }
}

bool TfrmPrincipale::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease &&
        (watched == this ||
         (watched->isWidgetType() && isAncestorOf(static_cast<QWidget*>(watched))))) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            FormKeyUp(key->key(), key->modifiers());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TfrmPrincipale::FormCloseQuery() {
    if (!engine_->state().allowQuitHover)
        return false;
    if (storeSettings())
        return true;
    // A settings file that can never be written (read-only, a folder, a full disk) must not
    // keep the player from leaving.
    return showMessage("Attention !", "Quitter sans enregistrer les paramètres ?",
                       MessageKind::YesNo) == MessageResult::Yes;
}

bool TfrmPrincipale::storeSettings() {
    Settings& settings = appSettings();
    settings.mainLeft = x();
    settings.mainTop = y();
    try {
        SaveSettings(settings, settings.settingsPath);
    } catch (const std::exception& error) {
        showGeneralError(this, QString::fromStdString(error.what()));
        return false;
    }
    return true;
}

void TfrmPrincipale::FormClose() {
    // The start-up sequence ends the event loop once this close has gone through.
    Taskbar::show(this);
}

void TfrmPrincipale::commitSession(QSessionManager& manager) {
    if (!manager.allowsInteraction()) {
        // No box may be shown now: keep what can be kept and let the session end.
        if (engine_->state().allowQuitHover) {
            Settings& settings = appSettings();
            settings.mainLeft = x();
            settings.mainTop = y();
            try {
                SaveSettings(settings, settings.settingsPath);
            } catch (const std::exception&) {
            }
        }
        return;
    }
    const bool allowed = FormCloseQuery();
    manager.release();
    if (!allowed)
        manager.cancel();
}

void TfrmPrincipale::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TfrmPrincipale::OnRestore() {
    if (!windowedMode_)
        Taskbar::hide(this);
    activateWindow();
    setFocus();
}

void TfrmPrincipale::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
            OnRestore();
    }
    QWidget::changeEvent(event);
}
