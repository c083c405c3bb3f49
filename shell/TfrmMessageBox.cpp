#include "TfrmMessageBox.h"

#include "ArtResource.h"
#include "BoardView.h"
#include "CursorRegistry.h"
#include "ImageControl.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace {

TfrmMessageBox* g_instance = nullptr;

QPixmap boxArt(const char* name) {
    return ArtResource::pixmap(QStringLiteral(":/art/msgbox/") + QLatin1String(name) +
                               QStringLiteral(".png"));
}

QLabel* makeLabel(QWidget* parent, const QRect& geometry, int pixelSize, bool bold) {
    auto* label = new QLabel(parent);
    label->setGeometry(geometry);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->setMouseTracking(true);
    return label;
}

ImageControl* makeButton(QWidget* parent, const QRect& geometry) {
    auto* button = new ImageControl(parent);
    button->setGeometry(geometry);
    setCursorId(button, CursorId::BuiltinHandPoint);
    return button;
}

} // namespace

TfrmMessageBox::TfrmMessageBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Les Bramidou"));
    setModal(true);
    setSizeGripEnabled(false);

    imgBackground = new ImageControl(this);
    imgBackground->setGeometry(0, 0, 440, 260);
    imgBackground->setAutoSize(true);
    imgBackground->setPictureOnFirstShow(QStringLiteral(":/art/msgbox/imgBackground.png"));

    lblCaption = makeLabel(this, QRect(16, 8, 409, 25), 19, true);
    lblCaption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblText = makeLabel(this, QRect(16, 40, 409, 161), 16, false);
    lblText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblText->setWordWrap(true);

    btnYes = makeButton(this, QRect(133, 212, 80, 35));
    btnOk = makeButton(this, QRect(181, 212, 80, 35));
    btnNo = makeButton(this, QRect(229, 212, 80, 35));

    btnOkUnselected = boxArt("btnOkUnselected");
    btnOkSelected = boxArt("btnOkSelected");
    btnYesUnselected = boxArt("btnYesUnselected");
    btnYesSelected = boxArt("btnYesSelected");
    btnNoUnselected = boxArt("btnNoUnselected");
    btnNoSelected = boxArt("btnNoSelected");

    connect(btnOk, &ImageControl::clicked, this, &TfrmMessageBox::btnOkClick);
    connect(btnYes, &ImageControl::clicked, this, &TfrmMessageBox::btnYesClick);
    connect(btnNo, &ImageControl::clicked, this, &TfrmMessageBox::btnNoClick);
    connect(btnOk, &ImageControl::mouseMoved, this, &TfrmMessageBox::btnOkMouseMove);
    connect(btnYes, &ImageControl::mouseMoved, this, &TfrmMessageBox::btnYesMouseMove);
    connect(btnNo, &ImageControl::mouseMoved, this, &TfrmMessageBox::btnNoMouseMove);
    connect(imgBackground, &ImageControl::mousePressed, this,
            [this](Qt::MouseButton, QPoint pos) { imgBackgroundMouseDown(pos); });
    connect(imgBackground, &ImageControl::mouseMoved, this,
            &TfrmMessageBox::imgBackgroundMouseMove);
    connect(imgBackground, &ImageControl::mouseReleased, this,
            [this](Qt::MouseButton, QPoint) { imgBackgroundMouseUp(); });
    lblCaption->installEventFilter(this);
    lblText->installEventFilter(this);

    resize(440, 260);
    if (!g_instance)
        g_instance = this;
}

TfrmMessageBox::~TfrmMessageBox() {
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmMessageBox* TfrmMessageBox::instance() {
    return g_instance;
}

int TfrmMessageBox::showMessage(const std::string& caption, const std::string& text,
                                int messageKind) {
    if (!g_instance) {
        auto* box = new TfrmMessageBox;
        applyProgramCursors(box);
    }
    const QString qCaption = QString::fromStdString(caption);
    const QString qText = QString::fromStdString(text);
    if (!g_instance->busy_)
        return g_instance->ask(qCaption, qText, messageKind);

    // A timer may bring a notice while a question is still open (the game ends under the
    // stop question). The open box keeps its answer; the notice gets a box of its own,
    // opened where the first one stands.
    TfrmMessageBox nested;
    applyProgramCursors(&nested);
    nested.move(g_instance->pos());
    nested.shownBefore_ = true;
    return nested.ask(qCaption, qText, messageKind);
}

int TfrmMessageBox::ask(const QString& caption, const QString& text, int messageKind) {
    messageKind_ = messageKind;
    lblCaption->setText(caption);
    // The game's texts break lines with CR LF; a lone CR would show as a glyph.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblText->setText(shown);
    busy_ = true;
    const int result = exec();
    busy_ = false;
    return result;
}

void TfrmMessageBox::showEvent(QShowEvent* event) {
    FormShow();
    if (!shownBefore_) {
        shownBefore_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    }
    QDialog::showEvent(event);
}

void TfrmMessageBox::FormShow() {
    const QPixmap& background = imgBackground->picture();
    resize(background.isNull() ? QSize(440, 260) : ArtResource::logicalSize(background));
    closeAllowed_ = false;
    okHighlighted_ = yesHighlighted_ = noHighlighted_ = false;
    dragging_ = false;
    const bool question = messageKind_ == MessageKind::YesNo;
    btnOk->setVisible(!question);
    btnOk->setEnabled(!question);
    btnYes->setVisible(question);
    btnYes->setEnabled(question);
    btnNo->setVisible(question);
    btnNo->setEnabled(question);
    btnOk->setPicture(btnOkUnselected);
    btnYes->setPicture(btnYesUnselected);
    btnNo->setPicture(btnNoUnselected);
    QApplication::beep();
}

void TfrmMessageBox::answer(int result) {
    closeAllowed_ = true;
    done(result);
}

void TfrmMessageBox::btnOkClick() {
    answer(MessageResult::Ok);
}
void TfrmMessageBox::btnYesClick() {
    answer(MessageResult::Yes);
}
void TfrmMessageBox::btnNoClick() {
    answer(MessageResult::No);
}

bool TfrmMessageBox::FormCloseQuery() {
    const bool allowed = closeAllowed_;
    closeAllowed_ = false;
    return allowed;
}

void TfrmMessageBox::done(int result) {
    if (!FormCloseQuery())
        return;
    QDialog::done(result);
}

// Escape and the system's close arrive here; neither answers the box.
void TfrmMessageBox::reject() {}

void TfrmMessageBox::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void TfrmMessageBox::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void TfrmMessageBox::btnOkMouseMove() {
    if (okHighlighted_)
        return;
    okHighlighted_ = true;
    btnOk->setPicture(btnOkSelected);
}

void TfrmMessageBox::btnYesMouseMove() {
    if (yesHighlighted_)
        return;
    yesHighlighted_ = true;
    noHighlighted_ = false;
    btnYes->setPicture(btnYesSelected);
    btnNo->setPicture(btnNoUnselected);
}

void TfrmMessageBox::btnNoMouseMove() {
    if (noHighlighted_)
        return;
    yesHighlighted_ = false;
    noHighlighted_ = true;
    btnYes->setPicture(btnYesUnselected);
    btnNo->setPicture(btnNoSelected);
}

void TfrmMessageBox::imgBackgroundMouseDown(QPoint pos) {
    dragOrigin_ = pos;
    dragging_ = true;
}

void TfrmMessageBox::imgBackgroundMouseMove(QPoint pos) {
    if (dragging_) {
        move(x() + pos.x() - dragOrigin_.x(), y() + pos.y() - dragOrigin_.y());
        return;
    }
    if (btnOk->isEnabled() && okHighlighted_) {
        okHighlighted_ = false;
        btnOk->setPicture(btnOkUnselected);
    }
    if ((btnYes->isEnabled() && yesHighlighted_) || (btnNo->isEnabled() && noHighlighted_)) {
        yesHighlighted_ = noHighlighted_ = false;
        btnYes->setPicture(btnYesUnselected);
        btnNo->setPicture(btnNoUnselected);
    }
}

void TfrmMessageBox::imgBackgroundMouseUp() {
    dragging_ = false;
}

bool TfrmMessageBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblCaption || watched == lblText) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            imgBackgroundMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseMove:
            imgBackgroundMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        case QEvent::MouseButtonRelease:
            imgBackgroundMouseUp();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
