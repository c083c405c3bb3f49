#include "TfrmConfigurer.h"

#include "AppSettings.h"
#include "ArtResource.h"
#include "CursorRegistry.h"
#include "GeneralError.h"
#include "HelpSystem.h"
#include "ImageControl.h"
#include "PauseField.h"
#include "SettingsFile.h"
#include "SoundOutput.h"
#include "TfrmMessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>

#include <exception>

namespace {

TfrmConfigurer* g_instance = nullptr;

const QSize kClientSize(320, 260);

QPixmap configArt(const char* name) {
    return ArtResource::pixmap(QStringLiteral(":/art/config/") + QLatin1String(name) +
                               QStringLiteral(".png"));
}

// The lists and the pause field sit in wells of the dark teal face: light fields with
// dark text, teal arrows, in the 8-point sans-serif of the dialog.
void styleControl(QWidget* control) {
    QPalette palette = control->palette();
    const QColor teal(0x1F, 0x4F, 0x57);
    palette.setColor(QPalette::Base, QColor(0xF6, 0xEB, 0xD2));
    palette.setColor(QPalette::AlternateBase, QColor(0xF6, 0xEB, 0xD2));
    palette.setColor(QPalette::Text, QColor(0x2B, 0x20, 0x16));
    palette.setColor(QPalette::Window, teal);
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Button, QColor(0xF6, 0xEB, 0xD2));
    palette.setColor(QPalette::ButtonText, QColor(0x2B, 0x20, 0x16));
    palette.setColor(QPalette::Highlight, teal.lighter(140));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    control->setPalette(palette);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    control->setFont(font);
}

bool isOkKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TfrmConfigurer::TfrmConfigurer(std::unique_ptr<WaveDeviceCounter> devices, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), devices_(std::move(devices)),
      helpHandler_(&HelpSystem::showCurrentHelp) {
    if (!devices_)
        devices_ = std::make_unique<SoundOutput>();
    setObjectName(QStringLiteral("frmConfigurer"));
    setWindowTitle(QStringLiteral("Configuration"));
    setModal(true);
    setSizeGripEnabled(false);

    imgConfiguration = new ImageControl(this);
    imgConfiguration->setObjectName(QStringLiteral("imgConfiguration"));
    imgConfiguration->setGeometry(QRect(QPoint(0, 0), kClientSize));
    imgConfiguration->setAutoSize(true);
    imgConfiguration->setPictureOnFirstShow(QStringLiteral(":/art/config/imgConfiguration.png"));

    OkSEL = configArt("OkSEL");
    CancelSEL = configArt("CancelSEL");
    imgCheckBoxChecked = configArt("imgCheckBoxChecked");
    imgCheckBoxUnchecked = configArt("imgCheckBoxUnchecked");

    btnOk = new ImageControl(this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(224, 168, 80, 35);
    setCursorId(btnOk, CursorId::BuiltinHandPoint);
    btnCancel = new ImageControl(this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(224, 210, 80, 35);
    setCursorId(btnCancel, CursorId::BuiltinHandPoint);

    const QRect soundBox(230, 90, 13, 13);
    soundFocusRing_ = makeFocusRing(soundBox);
    imgCheckBoxSound = new ImageControl(this);
    imgCheckBoxSound->setObjectName(QStringLiteral("imgCheckBoxSound"));
    imgCheckBoxSound->setGeometry(soundBox);
    setCursorId(imgCheckBoxSound, CursorId::BuiltinHandPoint);

    chkSound = new QCheckBox(QStringLiteral("Sound"), this);
    chkSound->setObjectName(QStringLiteral("chkSound"));
    chkSound->setFocusPolicy(Qt::NoFocus);
    chkSound->hide();

    // Below the sound box, on the well the artwork draws beside "Ordinateur fort".
    const QRect strongBox(230, 134, 13, 13);
    strongFocusRing_ = makeFocusRing(strongBox);
    imgCheckBoxStrong = new ImageControl(this);
    imgCheckBoxStrong->setObjectName(QStringLiteral("imgCheckBoxStrong"));
    imgCheckBoxStrong->setGeometry(strongBox);
    setCursorId(imgCheckBoxStrong, CursorId::BuiltinHandPoint);

    chkStrong = new QCheckBox(QStringLiteral("Strong"), this);
    chkStrong->setObjectName(QStringLiteral("chkStrong"));
    chkStrong->setFocusPolicy(Qt::NoFocus);
    chkStrong->hide();

    spinTempo = new PauseField(this);
    spinTempo->setObjectName(QStringLiteral("spinTempo"));
    spinTempo->setGeometry(170, 48, 35, 22);
    styleControl(spinTempo);

    cbYellowPlayerType = makePlayerList("cbYellowPlayerType", 88);
    cbGreenPlayerType = makePlayerList("cbGreenPlayerType", 130);
    cbBluePlayerType = makePlayerList("cbBluePlayerType", 173);
    cbRedPlayerType = makePlayerList("cbRedPlayerType", 216);

    // Beyond the order the lists keep, the sound box and the strong computer's box come
    // last so the keyboard can reach them too.
    imgCheckBoxSound->setFocusPolicy(Qt::TabFocus);
    imgCheckBoxStrong->setFocusPolicy(Qt::TabFocus);
    setTabOrder(spinTempo, cbYellowPlayerType);
    setTabOrder(cbYellowPlayerType, cbGreenPlayerType);
    setTabOrder(cbGreenPlayerType, cbBluePlayerType);
    setTabOrder(cbBluePlayerType, cbRedPlayerType);
    setTabOrder(cbRedPlayerType, imgCheckBoxSound);
    setTabOrder(imgCheckBoxSound, imgCheckBoxStrong);

    connect(btnOk, &ImageControl::clicked, this, &TfrmConfigurer::btnOkClick);
    connect(btnCancel, &ImageControl::clicked, this, &TfrmConfigurer::btnCancelClick);
    connect(btnOk, &ImageControl::mouseMoved, this, &TfrmConfigurer::btnOkMouseMove);
    connect(btnCancel, &ImageControl::mouseMoved, this, &TfrmConfigurer::btnCancelMouseMove);
    connect(imgCheckBoxSound, &ImageControl::clicked, this, &TfrmConfigurer::imgCheckBoxSoundClick);
    connect(imgCheckBoxStrong, &ImageControl::clicked, this,
            &TfrmConfigurer::imgCheckBoxStrongClick);
    connect(imgConfiguration, &ImageControl::mousePressed, this,
            [this](Qt::MouseButton, QPoint pos) { imgConfigurationMouseDown(pos); });
    connect(imgConfiguration, &ImageControl::mouseMoved, this,
            &TfrmConfigurer::imgConfigurationMouseMove);
    connect(imgConfiguration, &ImageControl::mouseReleased, this,
            [this](Qt::MouseButton, QPoint) { imgConfigurationMouseUp(); });

    // Keys act whichever control holds the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    FormCreate();
    if (!g_instance)
        g_instance = this;
}

TfrmConfigurer::~TfrmConfigurer() {
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmConfigurer* TfrmConfigurer::instance() {
    return g_instance;
}

// Shows where the keyboard is when a pictured box holds it (Space ticks it).
QWidget* TfrmConfigurer::makeFocusRing(const QRect& box) {
    auto* ring = new QFrame(this);
    ring->setGeometry(box.adjusted(-3, -3, 3, 3));
    ring->setStyleSheet(QStringLiteral("background: transparent; border: 1px dotted white;"));
    ring->setAttribute(Qt::WA_TransparentForMouseEvents);
    ring->hide();
    return ring;
}

QComboBox* TfrmConfigurer::makePlayerList(const char* name, int top) {
    auto* list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->addItems(
        {QStringLiteral("Humain"), QStringLiteral("Ordinateur"), QString::fromUtf8("Désactivé")});
    list->setGeometry(88, top, 117, 21);
    list->setFocusPolicy(Qt::StrongFocus);
    styleControl(list);
    return list;
}

QComboBox* TfrmConfigurer::playerList(int colour) const {
    switch (colour) {
    case 1:
        return cbYellowPlayerType;
    case 2:
        return cbGreenPlayerType;
    case 3:
        return cbBluePlayerType;
    case 4:
        return cbRedPlayerType;
    default:
        return nullptr;
    }
}

void TfrmConfigurer::FormCreate() {
    fitToFace();
    MiseAJour();
}

// The face is read at the first showing; until then the window has the size it is drawn at.
void TfrmConfigurer::fitToFace() {
    const QPixmap& background = imgConfiguration->picture();
    setFixedSize(background.isNull() ? kClientSize : ArtResource::logicalSize(background));
}

void TfrmConfigurer::MiseAJour() {
    const Settings& settings = appSettings();
    for (int colour = 1; colour <= 4; ++colour) {
        const int kind = settings.playerKind[colour];
        // A kind the lists do not offer shows no item, as the game does not know it.
        playerList(colour)->setCurrentIndex(kind >= 1 && kind <= 3 ? kind - 1 : -1);
    }
    chkSound->setChecked(settings.soundAvailable && settings.soundOn);
    imgCheckBoxSound->setEnabled(settings.soundAvailable);
    setCursorId(imgCheckBoxSound,
                settings.soundAvailable ? CursorId::HandPoint : CursorId::Default);
    showSoundBox();
    chkStrong->setChecked(settings.computerLevel == ComputerLevel::Strong);
    showStrongBox();
    spinTempo->setValue(settings.choiceDelaySeconds); // the field keeps it within 1..30
}

void TfrmConfigurer::showSoundBox() {
    imgCheckBoxSound->setPicture(chkSound->isChecked() ? imgCheckBoxChecked : imgCheckBoxUnchecked);
}

void TfrmConfigurer::imgCheckBoxSoundClick() {
    if (!imgCheckBoxSound->isEnabled())
        return;
    chkSound->setChecked(!chkSound->isChecked());
    showSoundBox();
}

void TfrmConfigurer::showStrongBox() {
    imgCheckBoxStrong->setPicture(chkStrong->isChecked() ? imgCheckBoxChecked
                                                         : imgCheckBoxUnchecked);
}

void TfrmConfigurer::imgCheckBoxStrongClick() {
    chkStrong->setChecked(!chkStrong->isChecked());
    showStrongBox();
}

void TfrmConfigurer::clearHighlights() {
    btnOk->setPicture(QPixmap());
    btnCancel->setPicture(QPixmap());
    okHighlighted_ = false;
    cancelHighlighted_ = false;
}

void TfrmConfigurer::btnOkClick() {
    clearHighlights();
    Settings& settings = appSettings();
    bool allDisabled = true;
    for (int colour = 1; colour <= 4; ++colour) {
        settings.playerKind[colour] = playerList(colour)->currentIndex() + 1;
        allDisabled = allDisabled && settings.playerKind[colour] == PlayerKind::Disabled;
    }
    spinTempo->takeTypedValue();
    settings.choiceDelaySeconds = spinTempo->value();
    settings.soundOn = chkSound->isChecked();
    settings.computerLevel =
        chkStrong->isChecked() ? ComputerLevel::Strong : ComputerLevel::Standard;
    if (allDisabled) {
        TfrmMessageBox::showMessage(
            "Attention !",
            "Vous avez désactivé tous les joueurs.\r\n\r\nVous ne pouvez pas jouer dans cette "
            "configuration.\r\n\r\nVeuillez changer la configuration.",
            0);
        return;
    }
    settings.choiceDelayMs = settings.choiceDelaySeconds * 1000;
    try {
        SaveSettings(settings, settings.settingsPath);
    } catch (const std::exception& error) {
        showGeneralError(this, QString::fromStdString(error.what()));
        return;
    }
    QDialog::accept();
}

void TfrmConfigurer::btnCancelClick() {
    clearHighlights();
    Settings& settings = appSettings();
    QSize screen(1024, 768);
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screen = primary->geometry().size();
    LoadSettings(settings, settings.settingsPath, ScreenSize{screen.width(), screen.height()},
                 *devices_);
    MiseAJour();
    QDialog::reject();
}

void TfrmConfigurer::reject() {
    btnCancelClick();
}

void TfrmConfigurer::FormKeyUp(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::AltModifier)
        return;
    if (key == Qt::Key_F1) {
        if (helpHandler_)
            helpHandler_();
    } else if (isOkKey(key)) {
        btnOkClick();
    } else if (key == Qt::Key_Escape) {
        btnCancelClick();
    }
}

void TfrmConfigurer::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape act on their release (eventFilter); the dialog's own press
    // handling would close it at once.
    if (isOkKey(event->key()) || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrmConfigurer::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const bool in = event->type() == QEvent::FocusIn;
        if (widget == imgCheckBoxSound)
            soundFocusRing_->setVisible(in);
        else if (widget == imgCheckBoxStrong)
            strongFocusRing_->setVisible(in);
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, event);
    // A list's drop-down is a window of its own; its keys are its own business.
    if (!widget || widget->window() != this)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool dialogKey =
        isOkKey(key->key()) || key->key() == Qt::Key_Escape || key->key() == Qt::Key_F1;
    if (event->type() == QEvent::KeyPress) {
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
            if (widget == imgCheckBoxSound) {
                imgCheckBoxSoundClick();
                return true;
            }
            if (widget == imgCheckBoxStrong) {
                imgCheckBoxStrongClick();
                return true;
            }
        }
        if (!dialogKey)
            return QDialog::eventFilter(watched, event);
        if (!key->isAutoRepeat())
            pressedKey_ = key->key();
        return true;
    }
    if (!dialogKey || key->isAutoRepeat())
        return dialogKey || QDialog::eventFilter(watched, event);
    const bool pressedHere = pressedKey_ == key->key();
    pressedKey_ = 0;
    if (pressedHere)
        FormKeyUp(key->key(), key->modifiers());
    return true;
}

void TfrmConfigurer::showEvent(QShowEvent* event) {
    fitToFace();
    clearHighlights();
    dragging_ = false;
    pressedKey_ = 0;
    if (!shownBefore_) {
        shownBefore_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    }
    spinTempo->setFocus(Qt::OtherFocusReason);
    spinTempo->selectAll();
    QDialog::showEvent(event);
}

void TfrmConfigurer::btnOkMouseMove() {
    if (!okHighlighted_) {
        okHighlighted_ = true;
        btnOk->setPicture(OkSEL);
    }
    if (cancelHighlighted_) {
        cancelHighlighted_ = false;
        btnCancel->setPicture(QPixmap());
    }
}

void TfrmConfigurer::btnCancelMouseMove() {
    if (!cancelHighlighted_) {
        cancelHighlighted_ = true;
        btnCancel->setPicture(CancelSEL);
    }
    if (okHighlighted_) {
        okHighlighted_ = false;
        btnOk->setPicture(QPixmap());
    }
}

void TfrmConfigurer::imgConfigurationMouseDown(QPoint pos) {
    dragOrigin_ = pos;
    dragging_ = true;
}

void TfrmConfigurer::imgConfigurationMouseMove(QPoint pos) {
    if (dragging_) {
        move(x() + pos.x() - dragOrigin_.x(), y() + pos.y() - dragOrigin_.y());
        return;
    }
    if (okHighlighted_ || cancelHighlighted_)
        clearHighlights();
}

void TfrmConfigurer::imgConfigurationMouseUp() {
    dragging_ = false;
}
