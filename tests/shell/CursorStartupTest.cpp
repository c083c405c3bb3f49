// Start-up as the user meets it: the cursors the main window's images carry once the
// program's own cursors are switched on, the splash picture whatever state its JPEG is
// in, the order and failure rules of window creation, and which close ends the program.
#include "CursorRegistry.h"
#include "GameState.h"
#include "ImageControl.h"
#include "StartupSequence.h"
#include "TfrmPrincipale.h"
#include "TfrmSplashScreen.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

namespace {

QByteArray encodeJpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

// A window that refuses to close, as the main window does while a game runs.
class StubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// Runs the application's event loop until something quits it, or gives up; true when it
// was quit.
bool loopQuitsWithin(int ms) {
    bool timedOut = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(0);
    });
    guard.start(ms);
    QCoreApplication::exec();
    return !timedOut;
}

void hover(QWidget* control) {
    const QPoint centre = control->rect().center();
    QMouseEvent move(QEvent::MouseMove, centre, control->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

} // namespace

class CursorStartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        Q_INIT_RESOURCE(bramidou_assets);
        CursorRegistry::loadProgramCursors();
        TfrmPrincipale::setStartupPauseMs(0);
    }

    void clickableImagesCarryTheProgramHand() {
        TfrmPrincipale window;
        applyProgramCursors(&window);
        const QList<ImageControl*> clickable = {
            window.Bminimize,  window.Bconfiguration, window.Bapropos,  window.Bafas,
            window.Bcdaudio,   window.Bcharger,       window.Bsauver,   window.Bnouveau,
            window.Bquitter,   window.Bhelp,          window.Barret,    window.BJaune,
            window.BVert,      window.BBleu,          window.BRouge,    window.markers[1],
            window.markers[2], window.markers[3],     window.markers[4]};
        for (ImageControl* image : clickable) {
            QVERIFY(image != nullptr);
            QCOMPARE(cursorId(image), int(CursorId::HandPoint));
            QCOMPARE(image->cursor().shape(), Qt::BitmapCursor);
        }
        // A second switch must not turn the program's cursors back into built-in ones.
        applyProgramCursors(&window);
        QCOMPARE(cursorId(window.Bnouveau), int(CursorId::HandPoint));
    }

    void idleButtonsShowNoDropOnlyWhereUnavailable_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("cursor");
        const int hand = CursorId::HandPoint;
        const int noDrop = CursorId::NoDrop;
        const struct {
            const char* name;
            int cursor;
        } rows[] = {
            {"Bminimize", hand}, {"Bconfiguration", hand}, {"Bapropos", hand},  {"Bafas", hand},
            {"Bcdaudio", hand},  {"Bcharger", hand},       {"Bsauver", noDrop}, {"Bnouveau", hand},
            {"Bquitter", hand},  {"Bhelp", hand},          {"Barret", noDrop},  {"BJaune", noDrop},
            {"BVert", noDrop},   {"BBleu", noDrop},        {"BRouge", noDrop},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.cursor;
    }

    void idleButtonsShowNoDropOnlyWhereUnavailable() {
        QFETCH(QString, button);
        QFETCH(int, cursor);
        TfrmPrincipale window;
        applyProgramCursors(&window);
        auto* control = window.findChild<ImageControl*>(button);
        QVERIFY(control != nullptr);
        hover(control);
        QCOMPARE(cursorId(control), cursor);
        const QCursor expected = CursorRegistry::cursorFor(cursor);
        QCOMPARE(control->cursor().pixmap().toImage(), expected.pixmap().toImage());
    }

    void splashHasItsSizeTitleCursorAndPicture() {
        TfrmSplashScreen splash;
        QCOMPARE(splash.size(), QSize(466, 331));
        QVERIFY(splash.windowTitle() != QStringLiteral("Les Bramidou"));
        QCOMPARE(cursorId(&splash), int(CursorId::BuiltinAppStart));
        QVERIFY(splash.hasPicture());
        auto* image = splash.findChild<QWidget*>(QStringLiteral("imgMain"));
        QVERIFY(image != nullptr);
        QCOMPARE(image->geometry(), QRect(0, 0, 466, 331));
        splash.showAndPaintNow();
        QVERIFY(splash.isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(splash.frameGeometry().center(), screen.center());
    }

    void splashWithoutItsPictureStillShows() {
        TfrmSplashScreen splash(QStringLiteral(":/art/no-such-picture.jpg"));
        QVERIFY(!splash.hasPicture());
        splash.showAndPaintNow();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.size(), QSize(466, 331));
    }

    void damagedJpegsAreRejectedWithoutCrashing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("decodes");
        QImage picture(466, 331, QImage::Format_RGB32);
        picture.fill(QColor(30, 120, 200));
        const QByteArray good = encodeJpeg(picture);
        QVERIFY(good.size() > 200);

        QByteArray hugeHeader = good;
        // The frame header's height and width follow the SOF0 marker: ask for 65000 x 65000.
        const int sof = hugeHeader.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        hugeHeader[sof + 5] = char(0xFD);
        hugeHeader[sof + 6] = char(0xE8);
        hugeHeader[sof + 7] = char(0xFD);
        hugeHeader[sof + 8] = char(0xE8);
        QByteArray badMarker = good;
        badMarker[sof + 9] = 7; // seven colour components cannot be turned into RGB

        QTest::newRow("intact") << good << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not a JPEG") << QByteArray("GIF89a, or anything else") << false;
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2) << false;
        QTest::newRow("header cut") << good.left(sof + 4) << false;
        QTest::newRow("absurd size") << hugeHeader << false;
        QTest::newRow("bad components") << badMarker << false;
        // libjpeg fills a picture cut in its data with grey and warns; that is a picture.
        QTest::newRow("data cut") << good.left(good.size() / 2) << true;
    }

    void damagedJpegsAreRejectedWithoutCrashing() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, decodes);
        const QImage image = TfrmSplashScreen::decodeJpeg(bytes);
        QCOMPARE(!image.isNull(), decodes);
        if (decodes) {
            QCOMPARE(image.size(), QSize(466, 331));
            const QColor corner = image.pixelColor(2, 2);
            QVERIFY(qAbs(corner.red() - 30) < 8 && qAbs(corner.blue() - 200) < 8);
        }
    }

    void windowsAreCreatedInOrderWithProgramCursors() {
        auto splash = std::make_unique<TfrmSplashScreen>();
        QPointer<TfrmSplashScreen> watched = splash.get();
        QStringList order;
        auto make = [&order](const QString& name) {
            return [&order, name]() {
                order << name;
                auto window = std::make_unique<QWidget>();
                window->setObjectName(name);
                auto* control = new QWidget(window.get());
                setCursorId(control, CursorId::BuiltinHandPoint);
                return window;
            };
        };
        auto windows = StartupSequence::createWindows(
            splash, {make(QStringLiteral("principale")), make(QStringLiteral("message"))});
        QCOMPARE(order, QStringList({QStringLiteral("principale"), QStringLiteral("message")}));
        QCOMPARE(int(windows.size()), 2);
        QCOMPARE(windows[0]->objectName(), QStringLiteral("principale"));
        for (const auto& window : windows) {
            auto* control = window->findChild<QWidget*>();
            QCOMPARE(cursorId(control), int(CursorId::HandPoint));
        }
        QVERIFY(!splash);
        QVERIFY(watched.isNull());
    }

    void failedCreationStillRemovesTheSplashAndStops_data() {
        QTest::addColumn<bool>("throws");
        QTest::newRow("exception") << true;
        QTest::newRow("no window") << false;
    }

    void failedCreationStillRemovesTheSplashAndStops() {
        QFETCH(bool, throws);
        auto splash = std::make_unique<TfrmSplashScreen>();
        QPointer<TfrmSplashScreen> watched = splash.get();
        QPointer<QWidget> first;
        bool lastCalled = false;
        auto windows =
            StartupSequence::createWindows(splash, {[&first]() {
                                                        auto window = std::make_unique<QWidget>();
                                                        first = window.get();
                                                        return window;
                                                    },
                                                    [throws]() -> std::unique_ptr<QWidget> {
                                                        if (throws)
                                                            throw std::runtime_error("no artwork");
                                                        return nullptr;
                                                    },
                                                    [&lastCalled]() {
                                                        lastCalled = true;
                                                        return std::make_unique<QWidget>();
                                                    }});
        QVERIFY(windows.empty());
        QVERIFY(watched.isNull());
        QVERIFY(first.isNull());
        QVERIFY(!lastCalled);
    }

    void onlyTheMainWindowsCloseEndsTheLoop() {
        QApplication::setQuitOnLastWindowClosed(false);
        QWidget main;
        QWidget other;
        StubbornWindow stubborn;
        main.show();
        other.show();
        stubborn.show();
        StartupSequence::quitWhenClosed(&main);
        StartupSequence::quitWhenClosed(&stubborn);

        QTimer::singleShot(0, &other, &QWidget::close);
        QVERIFY(!loopQuitsWithin(300));

        QTimer::singleShot(0, &stubborn, &QWidget::close);
        QVERIFY(!loopQuitsWithin(300));
        QVERIFY(stubborn.isVisible());

        QTimer::singleShot(0, &main, &QWidget::close);
        QVERIFY(loopQuitsWithin(3000));
    }

    // Only a Wayland session that also offers an X server switches to X11, and a choice
    // already made for the toolkit always stands.
    void backendChoiceFollowsTheSession_data() {
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("x11");
        QTest::addColumn<QByteArray>("chosen");
        QTest::newRow("wayland with X")
            << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("xcb");
        QTest::newRow("wayland only")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray();
        QTest::newRow("X only") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray();
        QTest::newRow("user's choice") << QByteArray("wayland") << QByteArray("wayland-0")
                                       << QByteArray(":0") << QByteArray("wayland");
    }

    void backendChoiceFollowsTheSession() {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, x11);
        QFETCH(QByteArray, chosen);
        const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                    qgetenv("DISPLAY")};
        const char* names[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"};
        const QByteArray wanted[] = {platform, wayland, x11};
        for (int i = 0; i < 3; ++i) {
            if (wanted[i].isEmpty())
                qunsetenv(names[i]);
            else
                qputenv(names[i], wanted[i]);
        }
        StartupSequence::preferX11Backend();
        const QByteArray result = qgetenv("QT_QPA_PLATFORM");
        for (int i = 0; i < 3; ++i) {
            if (saved[i].isEmpty())
                qunsetenv(names[i]);
            else
                qputenv(names[i], saved[i]);
        }
        QCOMPARE(result, chosen);
    }

    void destroyedMainWindowEndsTheLoop() {
        auto* main = new QWidget;
        main->show();
        StartupSequence::quitWhenClosed(main);
        QTimer::singleShot(0, [main] { delete main; });
        QVERIFY(loopQuitsWithin(3000));
    }
};

QTEST_MAIN(CursorStartupTest)
#include "CursorStartupTest.moc"
