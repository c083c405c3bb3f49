#include "AppSettings.h"
#include "CursorRegistry.h"
#include "ImageControl.h"
#include "ShellTestSupport.h"
#include "TfrmMessageBox.h"
#include "TfrmPrincipale.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <set>
#include <sys/stat.h>

namespace {

void setAllPlayers(int kind) {
    for (int c = 1; c <= 4; ++c)
        appSettings().playerKind[c] = kind;
}

// Answers the next skinned question or notice with the button of that result.
void answerNextBox(int result) {
    whenBoxOpens([result](QWidget* modal) {
        auto* box = qobject_cast<TfrmMessageBox*>(modal);
        QVERIFY(box);
        ImageControl* button = result == 6 ? box->btnYes : result == 7 ? box->btnNo : box->btnOk;
        QVERIFY(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    });
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    TfrmPrincipale* w = nullptr;
    QTemporaryDir dir;

    const GameState& state() const { return w->engine().state(); }
    int highlightedCount() const {
        int n = 0;
        for (auto* b : w->findChildren<ImageControl*>())
            if (b->tag() == 1)
                ++n;
        return n;
    }
    void keyUp(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget* to = nullptr) {
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(to ? to : w, &release);
    }
    void startHumanGame() {
        setAllPlayers(PlayerKind::Human);
        w->BnouveauClick();
        QVERIFY(state().gameInProgress);
        QVERIFY(state().throwArmed[1]);
    }
    void stopGame() {
        answerNextBox(6);
        w->BarretClick();
        QVERIFY(!state().gameInProgress);
    }

private slots:
    void initTestCase() {
        initShellTests();
        new TfrmMessageBox; // as start-up makes it, and it lives as long
        applyProgramCursors(TfrmMessageBox::instance());
    }

    void init() {
        w = new TfrmPrincipale;
        applyProgramCursors(w);
        appSettings().settingsPath = dir.filePath(QStringLiteral("bramidou.ini")).toStdString();
        QFile::remove(dir.filePath(QStringLiteral("bramidou.ini")));
        appSettings().soundOn = false;
        appSettings().choiceDelaySeconds = 1;
        appSettings().choiceDelayMs = 1000;
    }

    void cleanup() {
        delete w;
        w = nullptr;
    }

    // Controls designed with the built-in hand show the program's own after start-up.
    void programCursors() {
        for (ImageControl* b : {w->Bminimize, w->Bnouveau, w->Barret, w->BJaune, w->Bhelp})
            QCOMPARE(cursorId(b), int(CursorId::HandPoint));
        QCOMPARE(cursorId(w->markers[1]), int(CursorId::HandPoint));
        QCOMPARE(cursorId(w->ecran), 0);
    }

    void hints() {
        QCOMPARE(w->Bminimize->hint(), QStringLiteral("Minimiser le jeu [Touche F7]"));
        QCOMPARE(w->Bconfiguration->hint(), QStringLiteral("Accès à la configuration [Touche F4]"));
        QCOMPARE(w->Bapropos->hint(), QStringLiteral("A propos de ...  [Touche F5]"));
        QCOMPARE(w->Bafas->hint(),
                 QStringLiteral("L'Association Française des Auteurs de Shareware"));
        QCOMPARE(w->Bcdaudio->hint(), QStringLiteral("Lecteur de CD-Audio [Touche F6]"));
        QCOMPARE(w->Bcharger->hint(), QStringLiteral("Chargement d'une partie [Touche F2]"));
        QCOMPARE(w->Bsauver->hint(), QStringLiteral("Sauvegarde d'une partie  [Touche F3]"));
        QCOMPARE(w->Bnouveau->hint(), QStringLiteral("Lancement d'une nouvelle partie"));
        QCOMPARE(w->Bquitter->hint(), QStringLiteral("Quitter le jeu [Touche F10]"));
        QCOMPARE(w->Bhelp->hint(), QStringLiteral("Aide du jeu [Touche F1]"));
        QVERIFY(w->Barret->hint().isEmpty());
        QVERIFY(w->BJaune->hint().isEmpty());
    }

    void chargerStraightOntoSauver_data() {
        QTest::addColumn<bool>("saving");
        QTest::newRow("idle, no saving") << false;
        QTest::newRow("human to throw, saving") << true;
    }

    void chargerStraightOntoSauver() {
        QFETCH(bool, saving);
        if (saving)
            startHumanGame();
        QCOMPARE(state().awaitingHumanThrow, saving);
        sendMove(w->Bcharger);
        QVERIFY(w->isHighlighted(w->Bcharger));
        QCOMPARE(w->Bcharger->picture().cacheKey(),
                 w->highlightOf(w->Bcharger).picture().cacheKey());
        sendMove(w->Bsauver);
        QVERIFY(!w->isHighlighted(w->Bcharger));
        QVERIFY(!w->Bcharger->hasPicture());
        QCOMPARE(w->isHighlighted(w->Bsauver), saving);
        QCOMPARE(w->Bsauver->hasPicture(), saving);
        QCOMPARE(cursorId(w->Bsauver), saving ? int(CursorId::HandPoint) : int(CursorId::NoDrop));
        QCOMPARE(highlightedCount(), saving ? 1 : 0);
        if (saving)
            stopGame();
    }

    // Which buttons highlight, and which cursor they show, idle and during a game.
    void availabilityOnHover() {
        struct Row {
            ImageControl* button;
            bool idle;    // highlights when idle
            bool playing; // highlights during a game
            bool cursorFollows;
        };
        const Row rows[] = {
            {w->Bconfiguration, true, false, true}, {w->Bapropos, true, true, true},
            {w->Bafas, true, true, true},           {w->Bcdaudio, true, true, true},
            {w->Bcharger, true, true, true},        {w->Bsauver, false, true, true},
            {w->Bnouveau, true, false, true},       {w->Bquitter, true, false, true},
            {w->Bhelp, true, true, false},          {w->Barret, false, true, true},
            {w->Bminimize, true, true, false},
        };
        for (bool playing : {false, true}) {
            if (playing)
                startHumanGame();
            for (const Row& r : rows) {
                const bool expected = playing ? r.playing : r.idle;
                sendMove(r.button);
                QVERIFY2(w->isHighlighted(r.button) == expected,
                         qPrintable(r.button->objectName()));
                QCOMPARE(r.button->hasPicture(), expected);
                QCOMPARE(cursorId(r.button), (!r.cursorFollows || expected)
                                                 ? int(CursorId::HandPoint)
                                                 : int(CursorId::NoDrop));
                QVERIFY(highlightedCount() <= 1);
            }
        }
        stopGame();
    }

    // Only the arrival on a button changes its picture; the cursor follows every move.
    void highlightChangesOnTransitionOnly() {
        setAllPlayers(PlayerKind::Human);
        sendMove(w->Bnouveau);
        QVERIFY(w->isHighlighted(w->Bnouveau));
        keyUp(Qt::Key_N);
        QVERIFY(state().gameInProgress);
        sendMove(w->Bnouveau, QPoint(5, 5));
        QVERIFY(w->isHighlighted(w->Bnouveau));
        QCOMPARE(cursorId(w->Bnouveau), int(CursorId::NoDrop));
        for (ImageControl* surround : {w->imgHideImages, w->Des, w->ecran}) {
            sendMove(w->Barret);
            QVERIFY(w->isHighlighted(w->Barret));
            sendMove(surround, QPoint(3, 3));
            QCOMPARE(highlightedCount(), 0);
            QVERIFY(!w->Barret->hasPicture());
        }
        stopGame();
    }

    // A colour button's cursor tells whether it may throw; hovering never lights it.
    void colourButtons() {
        startHumanGame();
        sendMove(w->Bcharger);
        sendMove(w->BJaune);
        QCOMPARE(highlightedCount(), 0);
        QCOMPARE(cursorId(w->BJaune), int(CursorId::HandPoint));
        sendMove(w->BVert);
        QCOMPARE(cursorId(w->BVert), int(CursorId::NoDrop));
        QCOMPARE(w->BVert->hasPicture(), false);
        // V is not armed: nothing; J throws.
        keyUp(Qt::Key_V);
        QVERIFY(!w->Des->isVisible());
        keyUp(Qt::Key_J);
        QVERIFY(w->Des->isVisible());
        QVERIFY(!state().throwArmed[1]);
        QVERIFY(state().dieValue >= 1 && state().dieValue <= 6);
        sendMove(w->BJaune);
        QCOMPARE(cursorId(w->BJaune), int(CursorId::NoDrop));
        stopGame();
    }

    // Exactly Alt is ignored; any other state of the modifiers lets the key act.
    void quitKeysAndModifiers_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("q") << int(Qt::Key_Q) << 0 << true;
        QTest::newRow("Shift+Q") << int(Qt::Key_Q) << int(Qt::ShiftModifier) << true;
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << true;
        QTest::newRow("Alt+Q") << int(Qt::Key_Q) << int(Qt::AltModifier) << false;
        QTest::newRow("Alt+Shift+Q")
            << int(Qt::Key_Q) << int(Qt::AltModifier | Qt::ShiftModifier) << true;
        QTest::newRow("Alt+Ctrl+Q")
            << int(Qt::Key_Q) << int(Qt::AltModifier | Qt::ControlModifier) << true;
        QTest::newRow("F10") << int(Qt::Key_F10) << 0 << true;
        QTest::newRow("Alt+F10") << int(Qt::Key_F10) << int(Qt::AltModifier) << false;
        QTest::newRow("F8") << int(Qt::Key_F8) << 0 << false;
        QTest::newRow("F9") << int(Qt::Key_F9) << 0 << false;
        QTest::newRow("F11") << int(Qt::Key_F11) << 0 << false;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0 << false;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << false;
        QTest::newRow("E") << int(Qt::Key_E) << 0 << false;
    }

    void quitKeysAndModifiers() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        keyUp(key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w->isVisible(), !closes);
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("bramidou.ini"))), closes);
        QVERIFY(!state().gameInProgress);
    }

    // Keys act whichever control has the focus, once per press.
    void keysReachTheWindowFromAnyControl() {
        setAllPlayers(PlayerKind::Human);
        QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_N, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(w->Bhelp, &repeat);
        QVERIFY(!state().gameInProgress);
        keyUp(Qt::Key_N, Qt::NoModifier, w->ecran);
        QVERIFY(state().gameInProgress);
        stopGame();
    }

    // During a game every way of closing is refused silently; a stop answered No changes
    // nothing; after a stop answered Yes the close writes the window's position.
    void closeCheck() {
        startHumanGame();
        w->move(37, 21);
        for (int key : {int(Qt::Key_Q), int(Qt::Key_F10)}) {
            keyUp(key);
            QVERIFY(w->isVisible());
        }
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QVERIFY(!openMessageBox());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("bramidou.ini"))));

        answerNextBox(7);
        keyUp(Qt::Key_T);
        QVERIFY(state().gameInProgress);
        QVERIFY(state().throwArmed[1]);

        answerNextBox(6);
        keyUp(Qt::Key_T);
        QVERIFY(!state().gameInProgress);
        keyUp(Qt::Key_T); // no game: no question
        QTest::mouseClick(w->Bquitter, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!w->isVisible());
        QFile file(dir.filePath(QStringLiteral("bramidou.ini")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("PositionXPrincipale=37\r\n"), text.constData());
        QVERIFY2(text.contains("PositionYPrincipale=21\r\n"), text.constData());
    }

    // A settings file that cannot be written is reported, then the player is asked
    // whether to leave without saving: Non keeps the window open, Oui closes it.
    void failedWriteAsksToLeaveWithoutSaving_data() {
        QTest::addColumn<QString>("blocker");
        QTest::addColumn<int>("answer");
        QTest::newRow("inside a file, Non") << QStringLiteral("file") << 7;
        QTest::newRow("a folder, Oui") << QStringLiteral("folder") << 6;
        QTest::newRow("a FIFO, Non") << QStringLiteral("fifo") << 7;
        QTest::newRow("a read-only file, Oui") << QStringLiteral("read-only") << 6;
    }

    void failedWriteAsksToLeaveWithoutSaving() {
        QFETCH(QString, blocker);
        QFETCH(int, answer);
        QString path = dir.filePath(QStringLiteral("bramidou.ini"));
        if (blocker == QLatin1String("file")) {
            QFile file(dir.filePath(QStringLiteral("not-a-folder")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            path = dir.filePath(QStringLiteral("not-a-folder/bramidou.ini"));
        } else if (blocker == QLatin1String("folder")) {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("bramidou.ini")));
        } else if (blocker == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(path.toLocal8Bit().constData(), 0666) == 0);
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Configuration]\r\nSon=1\r\n");
            file.close();
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        }
        appSettings().settingsPath = path.toStdString();

        QString title, text, question, caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenBoxOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            whenBoxOpens([&](QWidget* next) {
                auto* skinned = qobject_cast<TfrmMessageBox*>(next);
                QVERIFY(skinned);
                QCOMPARE(skinned->messageKind(), 4);
                caption = skinned->lblCaption->text();
                question = skinned->lblText->text();
                ImageControl* button = answer == 6 ? skinned->btnYes : skinned->btnNo;
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
            });
            box->accept();
        });
        keyUp(Qt::Key_Q);
        QCOMPARE(title, QStringLiteral("Les Bramidou"));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(text, QStringLiteral("Impossible d'écrire dans %1.").arg(path));
        QCOMPARE(caption, QStringLiteral("Attention !"));
        QCOMPARE(question, QStringLiteral("Quitter sans enregistrer les paramètres ?"));
        QCOMPARE(w->isVisible(), answer == 7);

        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(path);
        QDir(dir.path()).rmdir(QStringLiteral("bramidou.ini"));
        QFile::remove(dir.filePath(QStringLiteral("not-a-folder")));
    }

    void minimiseClearsHighlights() {
        sendMove(w->Bapropos);
        QVERIFY(w->isHighlighted(w->Bapropos));
        keyUp(Qt::Key_F7);
        QVERIFY(w->isMinimized());
        QCOMPARE(highlightedCount(), 0);
        w->showNormal();
        QVERIFY(!w->isMinimized());
        QCOMPARE(highlightedCount(), 0);
    }

    // The commands whose windows live elsewhere do nothing to the game, keyed or not. (Load
    // and save open their dialogs, help and about their windows; their own tests drive them.)
    void otherCommandsLeaveTheGameAlone() {
        startHumanGame();
        for (int key : {Qt::Key_O, Qt::Key_F4, Qt::Key_D, Qt::Key_F6, Qt::Key_N})
            keyUp(key);
        QVERIFY(state().gameInProgress);
        QVERIFY(state().throwArmed[1]);
        QVERIFY(!openMessageBox());
        stopGame();
    }

    // A marker click that arrives once the move has settled does nothing.
    void lateMarkerClickIsHarmless() {
        startHumanGame();
        QPoint before[5][5];
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= 4; ++k)
                before[c][k] = w->horses[c][k]->pos();
        for (int k = 1; k <= 4; ++k)
            w->PionClick(k);
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= 4; ++k)
                QCOMPARE(w->horses[c][k]->pos(), before[c][k]);
        QVERIFY(state().throwArmed[1]);
        stopGame();
    }

    // Pointing at a marker lights the horse of the colour to play that would move there,
    // that one only, until the pointer leaves or the markers go.
    void markerLightsItsHorse() {
        setAllPlayers(PlayerKind::Human);
        int squares[5][5] = {};
        squares[1][1] = 5;
        squares[1][2] = 20;
        // Two horses home already, so only two markers come, whatever the throw.
        squares[1][3] = 107;
        squares[1][4] = 108;
        w->engine().resumeLoadedGame(squares, 1);
        QVERIFY(state().throwArmed[1]);
        w->BJauneClick();
        QVERIFY(waitUntil([&] { return !state().moveSettled; }, 5000));
        QVERIFY(state().moveTarget[1] != 0 && state().moveTarget[2] != 0);
        QCOMPARE(state().moveTarget[3], 0);
        QVERIFY(!w->imgLueur->isVisible());

        const auto enter = [](QWidget* control) {
            QEnterEvent event(QPointF(3, 3), QPointF(3, 3), control->mapToGlobal(QPointF(3, 3)));
            QApplication::sendEvent(control, &event);
        };
        const auto leave = [](QWidget* control) {
            QEvent event(QEvent::Leave);
            QApplication::sendEvent(control, &event);
        };
        const auto glowsOn = [&](ImageControl* horse) {
            const QList<QObject*> order = w->children();
            return w->imgLueur->isVisible() &&
                   w->imgLueur->geometry().center() == horse->geometry().center() &&
                   order.indexOf(w->imgLueur) == order.indexOf(horse) - 1;
        };
        for (int k : {1, 2}) {
            enter(w->markers[k]);
            QVERIFY(glowsOn(w->horses[1][k]));
            leave(w->markers[k]);
            QVERIFY(!w->imgLueur->isVisible());
        }
        // A marker without a target lies off the board and lights nothing.
        enter(w->markers[3]);
        QVERIFY(!w->imgLueur->isVisible());
        leave(w->markers[3]);

        // Choosing moves the markers away: the glow goes with them, pointer or not.
        enter(w->markers[2]);
        QVERIFY(glowsOn(w->horses[1][2]));
        w->PionClick(2);
        QVERIFY(state().moveSettled);
        QVERIFY(!w->imgLueur->isVisible());
        enter(w->markers[2]);
        QVERIFY(!w->imgLueur->isVisible());
        stopGame();
    }

    // Four computers with the real timers: the die changes and horses leave their stables
    // and walk, until the game is stopped.
    void computersPlayByThemselves() {
        setAllPlayers(PlayerKind::Computer);
        QTest::mouseClick(w->Bnouveau, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(state().gameInProgress);
        QVERIFY(w->Des->isVisible());

        std::set<qint64> faces;
        std::set<int> squaresSeen;
        auto progressed = [&] {
            faces.insert(w->Des->picture().cacheKey());
            for (int c = 1; c <= 4; ++c)
                for (int k = 1; k <= 4; ++k) {
                    const int square = state().horseSquare[c][k];
                    if (square >= 1 && square <= 56)
                        squaresSeen.insert(square);
                }
            return faces.size() >= 3 && squaresSeen.size() >= 4;
        };
        QVERIFY2(
            waitUntil(progressed, 120000),
            qPrintable(
                QStringLiteral("%1 faces, %2 squares").arg(faces.size()).arg(squaresSeen.size())));
        // Every horse on the track is drawn on its square.
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= 4; ++k) {
                const int square = state().horseSquare[c][k];
                if (square < 1 || square > 56)
                    continue;
                const BoardPoint p = w->geometry().at(square);
                QVERIFY(w->horses[c][k]->isVisible());
                QCOMPARE(w->horses[c][k]->geometry().center(),
                         QRect(p.x - w->horses[c][k]->width() / 2,
                               p.y - w->horses[c][k]->height() / 2, w->horses[c][k]->width(),
                               w->horses[c][k]->height())
                             .center());
            }
        QVERIFY(!w->close());
        stopGame();
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= 4; ++k)
                QVERIFY(!w->horses[c][k]->isVisible());
        QVERIFY(!w->Des->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
