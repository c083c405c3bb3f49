#include "AppSettings.h"
#include "ArtResource.h"
#include "CursorRegistry.h"
#include "ImageControl.h"
#include "PanelPlacement.h"
#include "ShellTestSupport.h"
#include "TfrmPrincipale.h"
#include "TfrmSplashScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

// Runs on whatever screen the offscreen platform was given; the expected layout follows
// from the screen's width, as the window's own choice must.
class TestMainLayout : public QObject {
    Q_OBJECT

    QSize screen_;
    int size_ = 0;
    int col_ = 0;
    bool windowed_ = false;
    TfrmPrincipale* window_ = nullptr;

private slots:
    void initTestCase() {
        initShellTests();
        screen_ = QGuiApplication::primaryScreen()->geometry().size();
        const int w = screen_.width();
        windowed_ = w != 640 && w != 800 && w != 1024;
        size_ = windowed_ ? 1024 : w;
        col_ = size_ == 640 ? 0 : size_ == 800 ? 1 : 2;
        window_ = new TfrmPrincipale;
        qInfo("screen %dx%d, artwork %d", screen_.width(), screen_.height(), size_);
    }

    void cleanupTestCase() { delete window_; }

    void sizeAndMode() {
        QCOMPARE(window_->artworkSize(), size_);
        QCOMPARE(window_->windowedMode(), windowed_);
        const QSize board = size_ == 640   ? QSize(640, 480)
                            : size_ == 800 ? QSize(800, 600)
                                           : QSize(1024, 768);
        QCOMPARE(window_->size(), board);
        QCOMPARE(window_->ecran->geometry(), QRect(QPoint(0, 0), board));
        QCOMPARE(appSettings().mainWidth, board.width());
        QCOMPARE(appSettings().mainHeight, board.height());
        QVERIFY(window_->isVisible());
        QVERIFY(window_->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window_->windowTitle(), QStringLiteral("Les Bramidou"));
        QCOMPARE(window_->palette().color(QPalette::Window), QColor(189, 125, 96));
    }

    void placement() {
        if (windowed_) {
            // The saved position; with no settings file the default one, centred.
            QCOMPARE(window_->pos(), QPoint(appSettings().mainLeft, appSettings().mainTop));
            QCOMPARE(window_->pos(),
                     QPoint((screen_.width() - 1024) / 2, (screen_.height() - 768) / 2));
        } else {
            // 1024x600 gives a top of (600 - 768) / 2 = -84.
            QCOMPARE(window_->pos(),
                     QPoint((screen_.width() - size_) / 2, (screen_.height() - size_ * 3 / 4) / 2));
        }
    }

    void buttonsAndDie_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("r640");
        QTest::addColumn<QRect>("r800");
        QTest::addColumn<QRect>("r1024");
        // The art generator paints the panel from the same table.
        auto rect = [](const PanelPlacement::Rect& r) {
            return QRect(r.left, r.top, r.width, r.height);
        };
        for (const PanelPlacement::Button& b : PanelPlacement::buttons()) {
            QTest::newRow(b.name) << QString::fromLatin1(b.name)
                                  << rect(PanelPlacement::buttonRect(b.name, 640))
                                  << rect(PanelPlacement::buttonRect(b.name, 800))
                                  << rect(PanelPlacement::buttonRect(b.name, 1024));
        }
        QTest::newRow("Des") << "Des" << rect(PanelPlacement::dieRect(640))
                             << rect(PanelPlacement::dieRect(800))
                             << rect(PanelPlacement::dieRect(1024));
        QTest::newRow("imgHideImages") << "imgHideImages" << QRect(496, 0, 144, 480)
                                       << QRect(623, 0, 177, 600) << QRect(799, 0, 225, 768);
    }

    void buttonsAndDie() {
        QFETCH(QString, name);
        QFETCH(QRect, r640);
        QFETCH(QRect, r800);
        QFETCH(QRect, r1024);
        auto* control = window_->findChild<ImageControl*>(name);
        QVERIFY(control);
        const QRect expected[3] = {r640, r800, r1024};
        QCOMPARE(control->geometry(), expected[col_]);
        // The die waits for the first throw; the buttons show no picture until hovered.
        QCOMPARE(control->isVisible(), name != QLatin1String("Des"));
        if (name != QLatin1String("Des") && name != QLatin1String("imgHideImages")) {
            QVERIFY(!control->hasPicture());
            QCOMPARE(ArtResource::logicalSize(window_->highlightOf(control).picture()),
                     expected[col_].size());
        }
    }

    // The strip lies above the board and the die and below every button, in their order.
    void stackingOrder() {
        QList<QWidget*> order;
        for (QObject* child : window_->children())
            if (auto* w = qobject_cast<QWidget*>(child))
                order << w;
        const int strip = order.indexOf(window_->imgHideImages);
        QVERIFY(order.indexOf(window_->ecran) < strip);
        QVERIFY(order.indexOf(window_->Des) < strip);
        QVERIFY(order.indexOf(window_->horses[4][4]) < strip);
        QWidget* const buttons[] = {window_->Bminimize, window_->Bconfiguration, window_->Bapropos,
                                    window_->Bafas,     window_->Bcdaudio,       window_->Bcharger,
                                    window_->Bsauver,   window_->Bnouveau,       window_->Bquitter,
                                    window_->BJaune,    window_->BVert,          window_->BBleu,
                                    window_->BRouge,    window_->Bhelp,          window_->Barret};
        int previous = strip;
        for (QWidget* button : buttons) {
            QVERIFY2(order.indexOf(button) > previous, qPrintable(button->objectName()));
            previous = order.indexOf(button);
        }
        // With the 640 artwork the die lies under the strip: hovering there clears highlights.
        QVERIFY(window_->imgHideImages->geometry().contains(window_->Des->geometry()));
    }

    // On a high-density screen every picture is its twin, twice the pixels at the same
    // logical size, and the window shows the board's pixels one for one, not a normal
    // picture stretched; on a normal screen the picture itself.
    void picturesForTheScreen() {
        const double dpr = qApp->devicePixelRatio();
        const int ratio = dpr > 1.0 ? 2 : 1;
        QCOMPARE(ArtResource::ratio(), ratio);
        for (ImageControl* c :
             {window_->ecran, window_->horses[2][3], window_->Pion, window_->imgLueur}) {
            QVERIFY2(c->hasPicture(), qPrintable(c->objectName()));
            QCOMPARE(c->picture().devicePixelRatio(), double(ratio));
            QCOMPARE(c->picture().size(), c->size() * ratio);
        }
        QCOMPARE(window_->highlightOf(window_->Bnouveau).picture().size(),
                 window_->Bnouveau->size() * ratio);
        const QCursor hand = CursorRegistry::cursorFor(CursorId::HandPoint);
        QCOMPARE(hand.pixmap().size(), QSize(32, 32) * ratio);
        QCOMPARE(hand.hotSpot(), QPoint(10, 1));
        // A picture drawn without a twin (the desktop icons) still loads, at its own size.
        const QPixmap single =
            ArtResource::pixmap(QStringLiteral(":/icons/hicolor/16x16/apps/bramidou.png"));
        QCOMPARE(ArtResource::logicalSize(single), QSize(16, 16));
        QCOMPARE(single.devicePixelRatio(), 1.0);
        const TfrmSplashScreen splash;
        QCOMPARE(splash.picture().size(), splash.size() * ratio);
        QCOMPARE(splash.picture().devicePixelRatio(), double(ratio));

        if (dpr != ratio)
            return; // a fractional scale: Qt scales the twin down, pixels cannot match
        const QImage shown = window_->grab(QRect(0, 0, 400, 300)).toImage();
        const QImage board =
            window_->ecran->picture().toImage().copy(0, 0, 400 * ratio, 300 * ratio);
        QCOMPARE(shown.size(), board.size());
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 board.convertToFormat(QImage::Format_RGB32));
    }

    // Horses and markers start out of sight, sized to their artwork.
    void movingImagesParked() {
        const int side = size_ == 640 ? 28 : size_ == 800 ? 35 : 45;
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= 4; ++k) {
                ImageControl* horse = window_->horses[c][k];
                QCOMPARE(horse->size(), QSize(side, side));
                QVERIFY(!horse->isVisible());
                QVERIFY(!window_->rect().intersects(horse->geometry()));
            }
        for (int k = 1; k <= 4; ++k) {
            QCOMPARE(window_->markers[k]->size(), QSize(side, side));
            QVERIFY(!window_->rect().intersects(window_->markers[k]->geometry()));
        }
    }

    // Dragging the board moves the window only when it floats.
    void dragging() {
        const QPoint start = window_->pos();
        sendPress(window_->ecran, QPoint(100, 100));
        QVERIFY(window_->isDragging());
        sendMove(window_->ecran, QPoint(130, 80));
        const QPoint expected = windowed_ ? start + QPoint(30, -20) : start;
        QCOMPARE(window_->pos(), expected);
        sendRelease(window_->ecran, QPoint(130, 80));
        QVERIFY(!window_->isDragging());
        sendMove(window_->ecran, QPoint(200, 200));
        QCOMPARE(window_->pos(), expected);
        window_->move(start);
    }

    // Centring truncates halves; the see-through key colour comes from the bottom-left
    // pixel, so the board shows round the horse.
    void horseOnItsSquare() {
        const ImageRef ref = ImageRef::horse(3, 2);
        ImageControl* horse = window_->horses[3][2];
        window_->moveImageToSquare(ref, 322);
        const BoardPoint p = window_->geometry().at(322);
        QCOMPARE(horse->pos(), QPoint(p.x - horse->width() / 2, p.y - horse->height() / 2));

        QPixmap canvas(horse->size());
        canvas.fill(Qt::blue);
        horse->render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
        const QImage seen = canvas.toImage();
        QCOMPARE(seen.pixelColor(0, horse->height() - 1), QColor(Qt::blue));
        QVERIFY(seen.pixelColor(horse->width() / 2, horse->height() / 2) != QColor(Qt::blue));
        window_->moveImageToSquare(ref, 500);
    }
};

QTEST_MAIN(TestMainLayout)
#include "tst_mainlayout.moc"
