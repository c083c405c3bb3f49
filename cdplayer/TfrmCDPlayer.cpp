#include "TfrmCDPlayer.h"

#include "AppSettings.h"
#include "CdDisplay.h"
#include "CdioBackend.h"
#include "CursorRegistry.h"
#include "HelpSystem.h"
#include "ImageControl.h"

#include <QBitmap>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kWidth = 150;
constexpr int kHeight = 220;

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

TfrmCDPlayer::TfrmCDPlayer(std::unique_ptr<CdBackend> backend, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      backend_(std::move(backend)) {
    if (!backend_)
        backend_ = std::make_unique<CdioBackend>(appSettings().cdImages);
    FormCreate();
}

TfrmCDPlayer::~TfrmCDPlayer() = default;

void TfrmCDPlayer::FormCreate() {
    setObjectName(QStringLiteral("TfrmCDPlayer"));
    setWindowTitle(QStringLiteral("Fenetre CD"));
    setFixedSize(kWidth, kHeight);

    imgBackground = new ImageControl(this);
    imgBackground->setObjectName(QStringLiteral("imgBackground"));
    imgBackground->setGeometry(0, 0, kWidth, kHeight);
    imgBackground->setPictureOnFirstShow(QStringLiteral(":/art/cdplayer/imgBackground.png"));

    imgRewind = makeButton("imgRewind", 6, 109, QStringLiteral("Retour rapide"));
    imgPlay = makeButton("imgPlay", 53, 109, QStringLiteral("Lecture"));
    imgFastForward = makeButton("imgFastForward", 98, 109, QStringLiteral("Avance rapide"));
    imgAvant = makeButton("imgAvant", 6, 144, QStringLiteral("Piste précédente"));
    imgStop = makeButton("imgStop", 53, 144, QStringLiteral("Arrêter"));
    imgApres = makeButton("imgApres", 98, 144, QStringLiteral("Piste suivante"));
    imgEject = makeButton("imgEject", 6, 180, QStringLiteral("Ejecter"));
    imgPause = makeButton("imgPause", 53, 180, QStringLiteral("Pause"));
    imgExit = makeButton("imgExit", 98, 180, QStringLiteral("Fermer"));
    connect(imgRewind, &ImageControl::clicked, this, &TfrmCDPlayer::imgRewindClick);
    connect(imgPlay, &ImageControl::clicked, this, &TfrmCDPlayer::imgPlayClick);
    connect(imgFastForward, &ImageControl::clicked, this, &TfrmCDPlayer::imgFastForwardClick);
    connect(imgAvant, &ImageControl::clicked, this, &TfrmCDPlayer::imgAvantClick);
    connect(imgStop, &ImageControl::clicked, this, &TfrmCDPlayer::imgStopClick);
    connect(imgApres, &ImageControl::clicked, this, &TfrmCDPlayer::imgApresClick);
    connect(imgEject, &ImageControl::clicked, this, &TfrmCDPlayer::imgEjectClick);
    connect(imgPause, &ImageControl::clicked, this, &TfrmCDPlayer::imgPauseClick);
    connect(imgExit, &ImageControl::clicked, this, &TfrmCDPlayer::imgExitClick);

    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    lblTracks = makeLabel("lblTracks", 10, 16, 95, 16, QStringLiteral("Nombre de pistes:"), left);
    lblTracksValue = makeLabel("lblTracksValue", 104, 16, 35, 16, QString(), right);
    lblCurrentTrack =
        makeLabel("lblCurrentTrack", 10, 32, 95, 16, QStringLiteral("Piste courante:"), left);
    lblCurrentTrackValue = makeLabel("lblCurrentTrackValue", 104, 32, 35, 16, QString(), right);
    lblTrackTime = makeLabel("lblTrackTime", 18, 48, 47, 16, QStringLiteral("Durée:"), left);
    lblTrackTimeValue = makeLabel("lblTrackTimeValue", 64, 48, 75, 16, QString(), right);
    lblTrackTimeElapsed =
        makeLabel("lblTrackTimeElapsed", 18, 64, 47, 16, QStringLiteral("Ecoulé:"), left);
    lblTrackTimeElapsedValue =
        makeLabel("lblTrackTimeElapsedValue", 64, 64, 75, 16, QString(), right);
    lblCDPlayerStatus = makeLabel("lblCDPlayerStatus", 10, 80, 99, 17, QString(), left, true);
    lblCDDrive = makeLabel("lblCDDrive", 109, 80, 30, 17, QString(), right);

    // The window, its background and its captions drag it; the buttons and the drive
    // label do not.
    installEventFilter(this);
    for (QWidget* surface : std::initializer_list<QWidget*>{
             imgBackground, lblTracks, lblTracksValue, lblCurrentTrack, lblCurrentTrackValue,
             lblTrackTime, lblTrackTimeValue, lblTrackTimeElapsed, lblTrackTimeElapsedValue,
             lblCDPlayerStatus})
        surface->installEventFilter(this);
    lblCDDrive->installEventFilter(this);

    timUpdateInfo.stop();
    timUpdateInfo.setInterval(CdDisplay::fastRefreshMs);
    timUpdateInfo.setHandler([this] { timUpdateInfoTimer(); });

    control_ = std::make_unique<CdPlayerControl>(*backend_);
    showPanel();

    QBitmap region(kWidth, kHeight);
    region.clear();
    {
        QPainter painter(&region);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::color1);
        painter.drawRoundedRect(QRect(0, 0, kWidth, kHeight), 10, 10);
    }
    setMask(region);
}

ImageControl* TfrmCDPlayer::makeButton(const char* name, int left, int top, const QString& hint) {
    auto* button = new ImageControl(this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(left, top, 45, 30);
    button->setHint(hint);
    setCursorId(button, CursorId::BuiltinHandPoint);
    return button;
}

QLabel* TfrmCDPlayer::makeLabel(const char* name, int left, int top, int width, int height,
                                const QString& caption, Qt::Alignment alignment, bool bold) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(left, top, width, height);
    label->setAlignment(alignment);
    // "MS Sans Serif" 8 point; DejaVu Sans stands in for it, a size that fits the labels.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setWordWrap(false);
    return label;
}

void TfrmCDPlayer::showPanel() {
    const CdPanel& panel = control_->panel;
    lblTracksValue->setText(text(panel.tracks));
    lblCurrentTrackValue->setText(text(panel.currentTrack));
    lblTrackTimeValue->setText(text(panel.trackTime));
    lblTrackTimeElapsedValue->setText(text(panel.elapsed));
    lblCDPlayerStatus->setText(text(panel.status));
    lblCDDrive->setText(text(panel.drive));
}

// --- Showing and the refresh ------------------------------------------------------------

void TfrmCDPlayer::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TfrmCDPlayer::FormShow() {
    setFixedSize(kWidth, kHeight);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(kWidth, kHeight);
    Settings& settings = appSettings();
    settings.cdLeft = CdDisplay::correctedCoordinate(settings.cdLeft, screenSize.width(), width());
    settings.cdTop = CdDisplay::correctedCoordinate(settings.cdTop, screenSize.height(), height());
    move(settings.cdLeft, settings.cdTop);
}

bool TfrmCDPlayer::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TfrmCDPlayer::FormActivate() {
    timUpdateInfo.start();
    timUpdateInfo.setInterval(CdDisplay::fastRefreshMs);
}

void TfrmCDPlayer::timUpdateInfoTimer() {
    const int interval = control_->refresh();
    timUpdateInfo.stop();
    timUpdateInfo.setInterval(interval);
    timUpdateInfo.start();
    showPanel();
}

void TfrmCDPlayer::armFastRefresh() {
    timUpdateInfo.start();
    timUpdateInfo.setInterval(CdDisplay::fastRefreshMs);
}

// --- Buttons -----------------------------------------------------------------------------

void TfrmCDPlayer::imgPlayClick() {
    armFastRefresh();
    control_->play();
}

void TfrmCDPlayer::imgPauseClick() {
    armFastRefresh();
    control_->togglePause();
}

void TfrmCDPlayer::imgStopClick() {
    armFastRefresh();
    control_->stop();
}

void TfrmCDPlayer::imgAvantClick() {
    armFastRefresh();
    control_->previousTrack();
}

void TfrmCDPlayer::imgApresClick() {
    armFastRefresh();
    control_->nextTrack();
}

void TfrmCDPlayer::imgEjectClick() {
    armFastRefresh();
    control_->eject();
}

void TfrmCDPlayer::imgRewindClick() {
    armFastRefresh();
    control_->step(-5000);
}

void TfrmCDPlayer::imgFastForwardClick() {
    armFastRefresh();
    control_->step(5000);
}

void TfrmCDPlayer::imgExitClick() {
    Settings& settings = appSettings();
    settings.cdLeft = x();
    settings.cdTop = y();
    timUpdateInfo.stop();
    timUpdateInfo.setInterval(0);
    hide();
}

// --- Keys and dragging -------------------------------------------------------------------

// F1 opens the game's help; every other key is ignored.
void TfrmCDPlayer::FormKeyUp(int key) {
    if (key == Qt::Key_F1)
        HelpSystem::showGameHelp();
}

void TfrmCDPlayer::FormMouseDown(QPoint pos) {
    dragOrigin = pos;
    dragging_ = true;
}

void TfrmCDPlayer::FormMouseMove(QPoint pos) {
    // A move along one axis only leaves the window where it is.
    if (!dragging_ || pos.x() == dragOrigin.x() || pos.y() == dragOrigin.y())
        return;
    move(x() + pos.x() - dragOrigin.x(), y() + pos.y() - dragOrigin.y());
}

void TfrmCDPlayer::FormMouseUp() {
    dragging_ = false;
}

bool TfrmCDPlayer::eventFilter(QObject* watched, QEvent* event) {
    // Mouse events are taken here, so a label does not pass them on to the window as a
    // second press in other coordinates; the drive label takes them without dragging.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (watched != lblCDDrive)
            FormMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseMove:
        if (watched != lblCDDrive)
            FormMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        if (watched != lblCDDrive)
            FormMouseUp();
        return true;
    case QEvent::KeyRelease:
        if (watched == this && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            FormKeyUp(static_cast<QKeyEvent*>(event)->key());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
