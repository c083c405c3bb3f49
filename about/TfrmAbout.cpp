#include "TfrmAbout.h"

#include "ArtResource.h"
#include "CursorRegistry.h"
#include "DesktopOpener.h"
#include "ImageControl.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include <algorithm>
#include <utility>

const char* const TfrmAbout::associationUrl = "http://www.example.org/rizi/";
const char* const TfrmAbout::mailSubject = "Les Bramidou";

namespace {

TfrmAbout* g_instance = nullptr;

// The maker's contacts. Fictional, under the reserved example domains.
const char* const kEmail1 = "bramidou@example.com";
const char* const kEmail2 = "vurmont.soft@example.com";
const char* const kWebAddress = "http://vurmont.example.com";
const char* const kPostal = "Vurmont Soft\r\nService Les Bramidou\r\n"
                            "12, rue des Écuries\r\n99000 Vurmont";

const char* const kMailHint = "Envoyer un message";
const char* const kWebHint = "Se connecter au site de Vurmont Soft";
const char* const kAssociationHint = "Se connecter au site de l'R.I.Z.I.";

QFont labelFont(bool underline) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setUnderline(underline);
    return font;
}

QLabel* makeLink(QWidget* parent, QPoint at, const char* hint) {
    auto* label = new QLabel(parent);
    label->move(at);
    label->setFont(labelFont(true));
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setStyleSheet(QStringLiteral("color: aqua; background: transparent;"));
    label->setToolTip(QString::fromUtf8(hint));
    label->setMouseTracking(true);
    setCursorId(label, CursorId::BuiltinHandPoint);
    return label;
}

ImageControl* makeImage(QWidget* parent, const QRect& geometry) {
    auto* image = new ImageControl(parent);
    image->setGeometry(geometry);
    return image;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("A propos de Les Bramidou"));
    setModal(true);
    setSizeGripEnabled(false);
    setMouseTracking(true);

    imgBackground = makeImage(this, QRect(0, 0, 440, 260));
    imgBackground->setAutoSize(true);
    imgBackground->setPictureOnFirstShow(QStringLiteral(":/art/about/imgBackground.png"));

    lblEmail1 = makeLink(this, QPoint(248, 116), kMailHint);
    lblEmail2 = makeLink(this, QPoint(248, 136), kMailHint);
    lblUrlAddress = makeLink(this, QPoint(248, 188), kWebHint);

    lblPostalAddress = new QLabel(this);
    lblPostalAddress->setGeometry(16, 128, 161, 81);
    lblPostalAddress->setFont(labelFont(false));
    lblPostalAddress->setTextFormat(Qt::PlainText);
    lblPostalAddress->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPostalAddress->setAttribute(Qt::WA_TranslucentBackground);
    lblPostalAddress->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    lblPostalAddress->setMouseTracking(true);

    imgCopyright = makeImage(this, QRect(208, 220, 137, 26));
    setCursorId(imgCopyright, CursorId::BuiltinHandPoint);

    imgAfas = makeImage(this, QRect(10, 212, 123, 38));
    imgAfas->setPictureOnFirstShow(QStringLiteral(":/art/about/imgAfas.png"));
    setCursorId(imgAfas, CursorId::BuiltinHandPoint);

    OkSEL = ArtResource::pixmap(QStringLiteral(":/art/about/OkSEL.png"));
    btnOk = makeImage(this, QRect(352, 216, 80, 36));
    setCursorId(btnOk, CursorId::BuiltinHandPoint);

    connect(imgBackground, &ImageControl::mousePressed, this,
            [this](Qt::MouseButton, QPoint pos) { FormMouseDown(pos); });
    connect(imgBackground, &ImageControl::mouseMoved, this, &TfrmAbout::FormMouseMove);
    connect(imgBackground, &ImageControl::mouseReleased, this,
            [this](Qt::MouseButton, QPoint) { FormMouseUp(); });
    connect(imgCopyright, &ImageControl::mouseMoved, this, &TfrmAbout::FormMouseMove);
    connect(imgCopyright, &ImageControl::clicked, this, [this] { UrlTo(imgCopyright); });
    connect(imgAfas, &ImageControl::clicked, this, [this] { UrlTo(imgAfas); });
    connect(btnOk, &ImageControl::clicked, this, &TfrmAbout::btnOkClick);
    connect(btnOk, &ImageControl::mouseMoved, this, &TfrmAbout::btnOkMouseMove);
    for (QLabel* label : {lblEmail1, lblEmail2, lblUrlAddress, lblPostalAddress})
        label->installEventFilter(this);
    const std::pair<QWidget*, const char*> names[] = {{imgBackground, "imgBackground"},
                                                      {lblEmail1, "lblEmail1"},
                                                      {lblEmail2, "lblEmail2"},
                                                      {lblUrlAddress, "lblUrlAddress"},
                                                      {lblPostalAddress, "lblPostalAddress"},
                                                      {imgCopyright, "imgCopyright"},
                                                      {imgAfas, "imgAfas"},
                                                      {btnOk, "btnOk"}};
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));

    FormCreate();
    resize(440, 260);
    if (!g_instance)
        g_instance = this;
}

TfrmAbout::~TfrmAbout() {
    if (g_instance == this)
        g_instance = nullptr;
}

TfrmAbout* TfrmAbout::instance() {
    return g_instance;
}

void TfrmAbout::showModal() {
    if (!g_instance) {
        auto* about = new TfrmAbout;
        applyProgramCursors(about);
    }
    g_instance->exec();
}

void TfrmAbout::FormCreate() {
    lblEmail1->setText(QString::fromUtf8(kEmail1));
    lblEmail2->setText(QString::fromUtf8(kEmail2));
    lblUrlAddress->setText(QString::fromUtf8(kWebAddress));
    for (QLabel* link : {lblEmail1, lblEmail2, lblUrlAddress})
        link->adjustSize();
    imgCopyright->setHint(QString::fromUtf8(kWebHint));
    lblPostalAddress->setText(
        QString::fromUtf8(kPostal).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    imgAfas->setHint(QString::fromUtf8(kAssociationHint));
    okHighlighted_ = false;
    btnOk->setPicture(QPixmap());
}

void TfrmAbout::showEvent(QShowEvent* event) {
    FormShow();
    if (!shownBefore_) {
        shownBefore_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.x() + std::max(0, (area.width() - width()) / 2),
                 area.y() + std::max(0, (area.height() - height()) / 2));
        }
    }
    QDialog::showEvent(event);
}

void TfrmAbout::FormShow() {
    btnOk->setPicture(QPixmap());
    // The button shows plain at every showing, so the flag follows it: the highlight then
    // comes back as soon as the pointer is over the button again.
    okHighlighted_ = false;
    dragging_ = false;
    const QPixmap& background = imgBackground->picture();
    resize(background.isNull() ? QSize(440, 260) : ArtResource::logicalSize(background));
}

void TfrmAbout::FormMouseDown(QPoint pos) {
    dragOrigin_ = pos;
    dragging_ = true;
}

void TfrmAbout::FormMouseMove(QPoint pos) {
    if (dragging_)
        move(x() + pos.x() - dragOrigin_.x(), y() + pos.y() - dragOrigin_.y());
    if (okHighlighted_) {
        btnOk->setPicture(QPixmap());
        okHighlighted_ = false;
    }
}

void TfrmAbout::FormMouseUp() {
    dragging_ = false;
}

void TfrmAbout::UrlTo(QObject* sender) {
    if (sender == imgAfas)
        DesktopOpener::open(QString::fromUtf8(associationUrl));
    else
        DesktopOpener::open(lblUrlAddress->text());
}

void TfrmAbout::Mailto(QLabel* sender) {
    DesktopOpener::open(QStringLiteral("mailto:") + sender->text() + QStringLiteral("?subject=") +
                        QString::fromUtf8(mailSubject));
}

void TfrmAbout::btnOkClick() {
    accept();
}

void TfrmAbout::btnOkMouseMove() {
    if (okHighlighted_)
        return;
    okHighlighted_ = true;
    btnOk->setPicture(OkSEL);
}

void TfrmAbout::mousePressEvent(QMouseEvent* event) {
    FormMouseDown(event->position().toPoint());
}

void TfrmAbout::mouseMoveEvent(QMouseEvent* event) {
    FormMouseMove(event->position().toPoint());
}

void TfrmAbout::mouseReleaseEvent(QMouseEvent*) {
    FormMouseUp();
}

// Escape would close the window behind the player's back; only OK closes it.
void TfrmAbout::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label)
        return QDialog::eventFilter(watched, event);
    const bool isLink = label != lblPostalAddress;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A press on a link is the start of a click, never of a drag.
        if (!isLink)
            FormMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseMove:
        FormMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!isLink) {
            FormMouseUp();
        } else if (mouse->button() == Qt::LeftButton &&
                   label->rect().contains(mouse->position().toPoint())) {
            if (label == lblUrlAddress)
                UrlTo(label);
            else
                Mailto(label);
        }
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}
