#include "AppSettings.h"
#include "CursorRegistry.h"
#include "HelpSystem.h"
#include "HelpViewer.h"
#include "ImageControl.h"
#include "InMemoryDisc.h"
#include "ShellTestSupport.h"
#include "TfrmCDPlayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>

namespace {

std::unique_ptr<InMemoryBackend> discOfThree(InMemoryBackend** keep) {
    auto backend = std::make_unique<InMemoryBackend>();
    backend->add({{"/dev/sr0", "sr0"}, {200, 185, 241}, true});
    *keep = backend.get();
    return backend;
}

QSize screenSize() {
    return QGuiApplication::primaryScreen()->geometry().size();
}

} // namespace

class TestCdPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initShellTests(); }

    // F1 over the window opens the game's help, the one built into the run folder; the
    // player stays as it was.
    void f1OpensTheGameHelp() {
        HelpSystem::setHelpFolder(qEnvironmentVariable("BRAMIDOU_RUN_DIR"));
        TfrmCDPlayer player(std::make_unique<InMemoryBackend>());
        player.show();
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(&player, &release);
        HelpViewer* viewer = HelpSystem::viewer();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(QFileInfo(viewer->collectionFile()).fileName(), QStringLiteral("bramidou.qhc"));
        QVERIFY(player.isVisible());
        delete viewer;
    }

    void componentsAndWindow() {
        TfrmCDPlayer player(std::make_unique<InMemoryBackend>());
        QCOMPARE(player.size(), QSize(150, 220));
        QCOMPARE(player.windowTitle(), QStringLiteral("Fenetre CD"));
        QVERIFY(player.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(player.windowFlags() & Qt::FramelessWindowHint);
        // Rounded corners: the corner pixels are cut, the edges' middles are not.
        const QRegion region = player.mask();
        QVERIFY(!region.contains(QPoint(0, 0)));
        QVERIFY(!region.contains(QPoint(149, 219)));
        QVERIFY(region.contains(QPoint(75, 0)));
        QVERIFY(region.contains(QPoint(0, 110)));
        QVERIFY(region.contains(QPoint(10, 10)));
        player.show();
        QVERIFY(!player.imgBackground->picture().isNull());
        QCOMPARE(player.imgBackground->picture().size(), QSize(150, 220));

        struct Button {
            ImageControl* control;
            QRect geometry;
            const char* hint;
        };
        const Button buttons[] = {
            {player.imgRewind, {6, 109, 45, 30}, "Retour rapide"},
            {player.imgPlay, {53, 109, 45, 30}, "Lecture"},
            {player.imgFastForward, {98, 109, 45, 30}, "Avance rapide"},
            {player.imgAvant, {6, 144, 45, 30}, "Piste précédente"},
            {player.imgStop, {53, 144, 45, 30}, "Arrêter"},
            {player.imgApres, {98, 144, 45, 30}, "Piste suivante"},
            {player.imgEject, {6, 180, 45, 30}, "Ejecter"},
            {player.imgPause, {53, 180, 45, 30}, "Pause"},
            {player.imgExit, {98, 180, 45, 30}, "Fermer"},
        };
        for (const Button& b : buttons) {
            QCOMPARE(b.control->geometry(), b.geometry);
            QCOMPARE(b.control->hint(), QString::fromUtf8(b.hint));
            QVERIFY(!b.control->hasPicture());
        }
        applyProgramCursors(&player);
        for (const Button& b : buttons)
            QCOMPARE(cursorId(b.control), int(CursorId::HandPoint));

        struct Label {
            QLabel* label;
            QRect geometry;
            const char* text;
            bool right;
        };
        const Label labels[] = {
            {player.lblTracks, {10, 16, 95, 16}, "Nombre de pistes:", false},
            {player.lblTracksValue, {104, 16, 35, 16}, "", true},
            {player.lblCurrentTrack, {10, 32, 95, 16}, "Piste courante:", false},
            {player.lblCurrentTrackValue, {104, 32, 35, 16}, "", true},
            {player.lblTrackTime, {18, 48, 47, 16}, "Durée:", false},
            {player.lblTrackTimeValue, {64, 48, 75, 16}, "", true},
            {player.lblTrackTimeElapsed, {18, 64, 47, 16}, "Ecoulé:", false},
            {player.lblTrackTimeElapsedValue, {64, 64, 75, 16}, "", true},
            {player.lblCDPlayerStatus, {10, 80, 99, 17}, "", false},
            {player.lblCDDrive, {109, 80, 30, 17}, "Vide", true},
        };
        for (const Label& l : labels) {
            QCOMPARE(l.label->geometry(), l.geometry);
            QCOMPARE(l.label->text(), QString::fromUtf8(l.text));
            QCOMPARE(bool(l.label->alignment() & Qt::AlignRight), l.right);
            // Every text fits its label on one line.
            QVERIFY2(l.label->fontMetrics().horizontalAdvance(l.label->text()) <=
                         l.geometry.width(),
                     qPrintable(l.label->objectName()));
        }
        QVERIFY(player.lblCDPlayerStatus->font().bold());
        QVERIFY(!player.timUpdateInfo.isActive());
    }

    void theLongestTextsFitTheirLabels() {
        TfrmCDPlayer player(std::make_unique<InMemoryBackend>());
        player.lblCDPlayerStatus->setText(QStringLiteral("Enregistrement"));
        player.lblTrackTimeValue->setText(QStringLiteral("74 mn 59 s "));
        player.lblTracksValue->setText(QStringLiteral("99 "));
        player.lblCDDrive->setText(QStringLiteral("sr0 "));
        for (QLabel* l : {player.lblCDPlayerStatus, player.lblTrackTimeValue, player.lblTracksValue,
                          player.lblCDDrive})
            QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(),
                     qPrintable(l->objectName()));
    }

    void showingCorrectsAnUnusablePositionAndKeepsIt() {
        const QSize screen = screenSize();
        struct Case {
            int left, top, x, y;
        };
        const Case cases[] = {
            {0, 0, 0, 0},
            {-10, 50, (screen.width() - 150) / 2, 50},
            {screen.width() - 150, 20, (screen.width() - 150) / 2, 20},
            {30, screen.height(), 30, (screen.height() - 220) / 2},
        };
        for (const Case& c : cases) {
            TfrmCDPlayer player(std::make_unique<InMemoryBackend>());
            appSettings().cdLeft = c.left;
            appSettings().cdTop = c.top;
            player.show();
            QCOMPARE(player.pos(), QPoint(c.x, c.y));
            QCOMPARE(appSettings().cdLeft, c.x);
            QCOMPARE(appSettings().cdTop, c.y);
        }
    }

    void theRefreshFollowsTheModeAndEveryButtonHurriesIt() {
        InMemoryBackend* backend = nullptr;
        TfrmCDPlayer player(discOfThree(&backend));
        QVERIFY(!player.noDisc());
        QCOMPARE(player.lblCDDrive->text(), QStringLiteral("sr0 "));
        player.FormActivate();
        QVERIFY(player.timUpdateInfo.isActive());
        QCOMPARE(player.timUpdateInfo.interval(), 100);
        player.timUpdateInfoTimer();
        QCOMPARE(player.timUpdateInfo.interval(), 5000);
        QCOMPARE(player.lblCDPlayerStatus->text(), QStringLiteral("Arrêté"));
        QCOMPARE(player.lblTracksValue->text(), QStringLiteral("3 "));
        QCOMPARE(player.lblTrackTimeValue->text(), QStringLiteral("3 mn 20 s "));

        QTest::mouseClick(player.imgPlay, Qt::LeftButton);
        QCOMPARE(player.timUpdateInfo.interval(), 100);
        backend->advance(61000);
        player.timUpdateInfoTimer();
        QCOMPARE(player.timUpdateInfo.interval(), 100);
        QCOMPARE(player.lblCDPlayerStatus->text(), QStringLiteral("Exécution"));
        QCOMPARE(player.lblTrackTimeElapsedValue->text(), QStringLiteral("1 mn 1 s "));

        QTest::mouseClick(player.imgApres, Qt::LeftButton);
        player.timUpdateInfoTimer();
        QCOMPARE(player.lblCurrentTrackValue->text(), QStringLiteral("2 "));
        QTest::mouseClick(player.imgPause, Qt::LeftButton);
        QCOMPARE(player.timUpdateInfo.interval(), 100);
        player.timUpdateInfoTimer();
        QCOMPARE(player.lblCDPlayerStatus->text(), QStringLiteral("Pause"));
        QCOMPARE(player.timUpdateInfo.interval(), 5000);
        QTest::mouseClick(player.imgStop, Qt::LeftButton);
        player.timUpdateInfoTimer();
        QCOMPARE(player.lblCurrentTrackValue->text(), QStringLiteral("1 "));
        QCOMPARE(player.lblTrackTimeElapsedValue->text(), QStringLiteral("0 mn 0 s "));
    }

    void closingHidesTheWindowAndTheDiscPlaysOn() {
        InMemoryBackend* backend = nullptr;
        TfrmCDPlayer player(discOfThree(&backend));
        appSettings().cdLeft = 0;
        appSettings().cdTop = 0;
        player.show();
        player.move(30, 40);
        QTest::mouseClick(player.imgPlay, Qt::LeftButton);
        QTest::mouseClick(player.imgExit, Qt::LeftButton);
        QVERIFY(!player.isVisible());
        QVERIFY(!player.timUpdateInfo.isActive());
        QCOMPARE(player.timUpdateInfo.interval(), 0);
        QCOMPARE(appSettings().cdLeft, 30);
        QCOMPARE(appSettings().cdTop, 40);
        QCOMPARE(player.mediaCDPlayer().QueryMode(), 2);
        player.show();
        QCOMPARE(player.pos(), QPoint(30, 40));
    }

    void aDragMovesOnlyWhenBothCoordinatesChange() {
        TfrmCDPlayer player(std::make_unique<InMemoryBackend>());
        appSettings().cdLeft = 100;
        appSettings().cdTop = 100;
        player.show();
        sendPress(player.imgBackground, QPoint(10, 10));
        QVERIFY(player.isDragging());
        sendMove(player.imgBackground, QPoint(25, 10));
        QCOMPARE(player.pos(), QPoint(100, 100));
        sendMove(player.imgBackground, QPoint(10, 30));
        QCOMPARE(player.pos(), QPoint(100, 100));
        sendMove(player.imgBackground, QPoint(20, 25));
        QCOMPARE(player.pos(), QPoint(110, 115));
        sendRelease(player.imgBackground, QPoint(20, 25));
        QVERIFY(!player.isDragging());
        sendMove(player.imgBackground, QPoint(40, 40));
        QCOMPARE(player.pos(), QPoint(110, 115));

        // A caption drags too; the drive label and the buttons do not.
        sendPress(player.lblTracks, QPoint(3, 3));
        QVERIFY(player.isDragging());
        sendRelease(player.lblTracks, QPoint(3, 3));
        for (QWidget* still :
             {static_cast<QWidget*>(player.lblCDDrive), static_cast<QWidget*>(player.imgPlay)}) {
            sendPress(still, QPoint(3, 3));
            QVERIFY2(!player.isDragging(), qPrintable(still->objectName()));
            sendRelease(still, QPoint(3, 3));
        }
    }

    void withoutADriveTheButtonsOnlyHurryTheRefresh() {
        auto owned = std::make_unique<InMemoryBackend>();
        InMemoryBackend* backend = owned.get();
        TfrmCDPlayer player(std::move(owned));
        QVERIFY(player.noDisc());
        for (ImageControl* b :
             {player.imgPlay, player.imgPause, player.imgStop, player.imgAvant, player.imgApres,
              player.imgEject, player.imgRewind, player.imgFastForward}) {
            player.timUpdateInfo.stop();
            player.timUpdateInfo.setInterval(5000);
            QTest::mouseClick(b, Qt::LeftButton);
            QVERIFY(player.timUpdateInfo.isActive());
            QCOMPARE(player.timUpdateInfo.interval(), 100);
        }
        player.timUpdateInfoTimer();
        QCOMPARE(player.lblCDDrive->text(), QStringLiteral("Vide"));
        QVERIFY(player.noDisc());
        QCOMPARE(backend->counts.opens, 0);
    }
};

QTEST_MAIN(TestCdPlayer)
#include "tst_cdplayer.moc"
