#include "AppSettings.h"
#include "CursorRegistry.h"
#include "FixedDeviceCount.h"
#include "ImageControl.h"
#include "PauseField.h"
#include "SavedGame.h"
#include "SavedGameDialogs.h"
#include "ShellTestSupport.h"
#include "TfrmConfigurer.h"
#include "TfrmMessageBox.h"
#include "TfrmPrincipale.h"
#include "ToolkitTranslation.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <memory>

namespace {

QString withoutMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}

// Every skinned box that opens while it lives is answered OK and its text kept.
class BoxRecorder {
public:
    BoxRecorder() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = openMessageBox();
            if (!box || !box->isVisible() || !box->btnOk->isVisible())
                return;
            texts << box->lblText->text();
            QTest::mouseClick(box->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
        });
        poll_.start(10);
    }
    QStringList texts;

private:
    QTimer poll_;
};

// Notes whether any modal window opened while it lived, and closes it.
class ModalWatcher {
public:
    ModalWatcher() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = true;
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
            }
        });
        poll_.start(10);
    }
    bool opened = false;

private:
    QTimer poll_;
};

QByteArray gameFile(const QByteArray& kinds, const QByteArray& positions, int current) {
    return "[Type]\r\n" + kinds + "[Position]\r\n" + positions +
           "[Joueur]\r\nnum\xE9ro du joueur en cours=" + QByteArray::number(current) + "\r\n";
}

QByteArray kindLines(int j, int v, int b, int r) {
    return "Joueur Jaune=" + QByteArray::number(j) + "\r\nJoueur Vert=" + QByteArray::number(v) +
           "\r\nJoueur Bleu=" + QByteArray::number(b) +
           "\r\nJoueur Rouge=" + QByteArray::number(r) + "\r\n";
}

} // namespace

// The main window's settings, save and load commands, with the real dialogs.
class TestGameFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<TfrmPrincipale> w;
    std::unique_ptr<TfrmConfigurer> settingsDialog;
    QTemporaryDir dir;

    const GameState& state() const { return w->engine().state(); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void keyUp(int key) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(w.get(), &release);
    }
    void setKinds(int j, int v, int b, int r) {
        const int kinds[5] = {0, j, v, b, r};
        for (int c = 1; c <= 4; ++c)
            appSettings().playerKind[c] = kinds[c];
        settingsDialog->MiseAJour();
    }
    // The next file dialog picks this file, keeping what it showed for the test.
    void chooseInFileDialog(const QString& file, bool confirmOverwrite = false) {
        whenBoxOpens([this, file, confirmOverwrite](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            seenTitle = dialog->windowTitle();
            seenFilters = dialog->nameFilters();
            seenFolder = dialog->directory().absolutePath();
            seenSuffix = dialog->defaultSuffix();
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QVERIFY(buttons);
            seenButtons.clear();
            for (QAbstractButton* b : buttons->buttons())
                seenButtons << withoutMnemonic(b->text());
            if (confirmOverwrite)
                whenBoxOpens([this](QWidget* question) {
                    auto* box = qobject_cast<QMessageBox*>(question);
                    QVERIFY(box);
                    seenQuestion = box->text();
                    box->button(QMessageBox::Yes)->click();
                });
            // Typed, as a player does: the dialog's own selection follows its folder
            // listing, which arrives later.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(file);
            static_cast<QDialog*>(dialog)->accept(); // public there
        });
    }
    void cancelFileDialog() {
        whenBoxOpens([](QWidget* modal) {
            QVERIFY(qobject_cast<QFileDialog*>(modal));
            static_cast<QDialog*>(modal)->reject();
        });
    }
    void load(const QByteArray& bytes) {
        writeFile(path("chargee.sav"), bytes);
        chooseInFileDialog(path("chargee.sav"));
        keyUp(Qt::Key_C);
    }
    QList<int> squaresOf(int colour) const {
        QList<int> squares;
        for (int k = 1; k <= 4; ++k)
            squares << state().horseSquare[colour][k];
        return squares;
    }
    QPoint squareCentre(int square) const {
        const BoardPoint p = w->geometry().at(square);
        return QPoint(p.x, p.y);
    }
    void stopGame() {
        whenBoxOpens([](QWidget* modal) {
            auto* box = qobject_cast<TfrmMessageBox*>(modal);
            QVERIFY(box);
            QTest::mouseClick(box->btnYes, Qt::LeftButton, {}, QPoint(5, 5));
        });
        w->BarretClick();
        QVERIFY(!state().gameInProgress);
    }

    QString seenTitle, seenFolder, seenSuffix, seenQuestion;
    QStringList seenFilters, seenButtons;

private slots:
    void initTestCase() {
        initShellTests();
        QVERIFY(loadFrenchToolkitTranslation());
        new TfrmMessageBox;
        applyProgramCursors(TfrmMessageBox::instance());
    }

    void init() {
        w = std::make_unique<TfrmPrincipale>();
        applyProgramCursors(w.get());
        // The window points the record at the file beside the executable; not here.
        appSettings().settingsPath = path("bramidou.ini").toStdString();
        QFile::remove(path("bramidou.ini"));
        appSettings().soundOn = false;
        appSettings().choiceDelaySeconds = 1;
        appSettings().choiceDelayMs = 1000;
        settingsDialog = std::make_unique<TfrmConfigurer>(std::make_unique<FixedDeviceCount>(0));
        applyProgramCursors(settingsDialog.get());
        setKinds(1, 1, 1, 1);
    }

    void cleanup() {
        settingsDialog.reset();
        w.reset();
    }

    // --- Settings command ----------------------------------------------------------

    // O stores the window's place, writes the file, shows the dialog modally; the pause
    // accepted there is the choice timer's interval afterwards.
    void settingsCommand() {
        w->move(41, 17);
        QByteArray writtenBefore;
        bool modal = false;
        whenBoxOpens([&](QWidget* opened) {
            QCOMPARE(opened, static_cast<QWidget*>(settingsDialog.get()));
            modal = settingsDialog->isModal();
            writtenBefore = readFile(path("bramidou.ini"));
            settingsDialog->spinTempo->setValue(5);
            settingsDialog->btnOkClick();
        });
        keyUp(Qt::Key_O);
        QVERIFY(modal);
        QVERIFY2(writtenBefore.contains("PositionXPrincipale=41\r\nPositionYPrincipale=17\r\n"),
                 writtenBefore.constData());
        QVERIFY(!settingsDialog->isVisible());
        QCOMPARE(appSettings().choiceDelayMs, 5000);
        QCOMPARE(w->TimerChoix.interval(), 5000);
        QVERIFY(readFile(path("bramidou.ini")).contains("Temporisation=5\r\n"));
    }

    void settingsCommandRefusedDuringAGame() {
        w->BnouveauClick();
        QVERIFY(state().gameInProgress);
        ModalWatcher watcher;
        keyUp(Qt::Key_O);
        keyUp(Qt::Key_F4);
        QVERIFY(!watcher.opened);
        stopGame();
    }

    // A settings file that cannot be written is reported and the dialog stays shut.
    void settingsCommandCannotWrite() {
        writeFile(path("plain-file"), "x");
        const QString blocked = path("plain-file/bramidou.ini");
        appSettings().settingsPath = blocked.toStdString();
        QString text;
        bool errorBox = false;
        whenBoxOpens([&](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                errorBox = true;
                text = box->text();
                box->accept();
            }
        });
        keyUp(Qt::Key_O);
        QVERIFY(errorBox);
        QCOMPARE(text, QStringLiteral("Impossible d'écrire dans %1.").arg(blocked));
        QVERIFY(!settingsDialog->isVisible());
    }

    // --- Saving --------------------------------------------------------------------

    void saveRefusedOutsideAHumanTurn_data() {
        QTest::addColumn<int>("situation");
        QTest::newRow("no game") << 0;
        QTest::newRow("a computer's turn") << 1;
        QTest::newRow("after the human's throw") << 2;
    }
    void saveRefusedOutsideAHumanTurn() {
        QFETCH(int, situation);
        if (situation == 1)
            setKinds(2, 2, 2, 2);
        if (situation != 0)
            w->BnouveauClick();
        if (situation == 2)
            w->BJauneClick();
        QVERIFY(!state().awaitingHumanThrow);
        ModalWatcher watcher;
        keyUp(Qt::Key_S);
        keyUp(Qt::Key_F3);
        QTest::mouseClick(w->Bsauver, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(!watcher.opened);
        QVERIFY(!QFile::exists(path("refusee.sav")));
        if (situation != 0)
            stopGame();
    }

    // The save dialog: French, the saved-game filter, ".sav" added, the executable's
    // folder; the file holds the game as it stands and the game waits on.
    void saveWritesTheGame() {
        load(gameFile(kindLines(1, 2, 3, 2),
                      "Joueur Jaune 1=9\r\nJoueur Vert 1=20\r\nJoueur Rouge 1=47\r\n"
                      "Joueur Rouge 2=401\r\n",
                      1));
        QVERIFY(state().awaitingHumanThrow);
        chooseInFileDialog(path("dimanche"));
        keyUp(Qt::Key_S);
        QCOMPARE(seenTitle, QStringLiteral("Enregistrer sous"));
        QVERIFY2(seenButtons.contains(QStringLiteral("Enregistrer")),
                 qPrintable(seenButtons.join(QLatin1Char('|'))));
        QVERIFY(seenButtons.contains(QStringLiteral("Annuler")));
        QCOMPARE(seenFilters, QStringList{QStringLiteral("Fichiers de Sauvegarde (*.sav)")});
        QCOMPARE(seenSuffix, QStringLiteral("sav"));
        QCOMPARE(seenFolder, QDir(QCoreApplication::applicationDirPath()).absolutePath());

        const SavedGame game = readSavedGame(path("dimanche.sav").toStdString());
        const int kinds[5] = {0, 1, 2, 3, 2};
        for (int c = 1; c <= 4; ++c) {
            QCOMPARE(game.playerKind[c], kinds[c]);
            for (int k = 1; k <= 4; ++k)
                QCOMPARE(game.horseSquare[c][k], state().horseSquare[c][k]);
        }
        QCOMPARE(game.currentColour, 1);
        QVERIFY(state().awaitingHumanThrow);
        QVERIFY(state().throwArmed[1]);
    }

    // Saved, then the game goes on elsewhere; loading the file gives back the same board
    // and the same colour, before its throw.
    void saveThenLoadRestoresTheBoard() {
        setKinds(2, 2, 1, 2);
        load(gameFile(kindLines(2, 1, 1, 2),
                      "Joueur Jaune 1=12\r\nJoueur Jaune 2=105\r\nJoueur Vert 1=33\r\n"
                      "Joueur Bleu 1=301\r\nJoueur Bleu 2=55\r\nJoueur Rouge 1=409\r\n",
                      3));
        QVERIFY(state().awaitingHumanThrow);
        int before[5][5];
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= 4; ++k)
                before[c][k] = state().horseSquare[c][k];
        chooseInFileDialog(path("reprise.sav"));
        keyUp(Qt::Key_F3);
        QVERIFY(QFile::exists(path("reprise.sav")));

        stopGame();
        setKinds(1, 2, 2, 2);
        w->BnouveauClick();
        chooseInFileDialog(path("reprise.sav"));
        keyUp(Qt::Key_F2);
        for (int c = 1; c <= 4; ++c)
            for (int k = 1; k <= 4; ++k) {
                QCOMPARE(state().horseSquare[c][k], before[c][k]);
                if (before[c][k] >= 1 && before[c][k] <= 56)
                    QCOMPARE(
                        w->horses[c][k]->geometry().center(),
                        QRect(squareCentre(before[c][k]) - QPoint(w->horses[c][k]->width() / 2,
                                                                  w->horses[c][k]->height() / 2),
                              w->horses[c][k]->size())
                            .center());
            }
        QCOMPARE(state().currentColour, 3);
        QVERIFY(state().awaitingHumanThrow);
        QVERIFY(state().throwArmed[3]);
        QVERIFY(!w->Des->isVisible());
        QCOMPARE(appSettings().playerKind[1], 2);
        stopGame();
    }

    // Saving over a file asks first, then replaces the game's keys and keeps the rest.
    void saveOverKeepsForeignLines() {
        writeFile(path("ancienne.sav"),
                  "; partie du dimanche\r\n[Type]\r\nJoueur Jaune=2\r\nCommentaire=rapide\r\n");
        w->BnouveauClick();
        chooseInFileDialog(path("ancienne.sav"), true);
        w->BsauverClick();
        QVERIFY2(seenQuestion.contains(QStringLiteral("ancienne.sav")), qPrintable(seenQuestion));
        const QByteArray bytes = readFile(path("ancienne.sav"));
        QVERIFY2(bytes.startsWith("; partie du dimanche\r\n[Type]\r\nJoueur Jaune=1\r\n"
                                  "Commentaire=rapide\r\nJoueur Vert=1\r\n"),
                 bytes.constData());
        QVERIFY(bytes.contains("[Position]\r\nJoueur Jaune 1=0\r\n"));
        stopGame();
    }

    // A save that cannot be written says so in the game's box; the game waits on.
    void saveCannotWrite() {
        writeFile(path("lecture-seule.sav"), "[Type]\r\n");
        ::chmod(QFile::encodeName(path("lecture-seule.sav")).constData(), 0444);
        w->BnouveauClick();
        chooseInFileDialog(path("lecture-seule.sav"), true);
        BoxRecorder boxes;
        w->BsauverClick();
        QCOMPARE(
            boxes.texts,
            QStringList{
                QStringLiteral("Impossible d'écrire dans %1.").arg(path("lecture-seule.sav"))});
        QCOMPARE(readFile(path("lecture-seule.sav")), QByteArray("[Type]\r\n"));
        QVERIFY(state().awaitingHumanThrow);
        QVERIFY(state().throwArmed[1]);
        stopGame();
    }

    // --- Loading -------------------------------------------------------------------

    void loadDialog() {
        chooseInFileDialog(path("absente.sav"));
        writeFile(path("absente.sav"), "[Type]\r\n");
        keyUp(Qt::Key_C);
        QCOMPARE(seenTitle, QStringLiteral("Ouvrir"));
        QVERIFY2(seenButtons.contains(QStringLiteral("Ouvrir")),
                 qPrintable(seenButtons.join(QLatin1Char('|'))));
        QCOMPARE(seenFilters, (QStringList{QStringLiteral("Fichiers de Sauvegarde (*.sav)"),
                                           QStringLiteral("Tous Fichiers (*)")}));
        QCOMPARE(seenFolder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
        QVERIFY(state().gameInProgress);
        stopGame();
    }

    // A cancelled open dialog leaves a running game exactly as it was.
    void loadCancelled() {
        w->BnouveauClick();
        cancelFileDialog();
        keyUp(Qt::Key_C);
        QVERIFY(state().gameInProgress);
        QVERIFY(state().throwArmed[1]);
        QCOMPARE(squaresOf(1), (QList<int>{0, 0, 0, 0}));
        stopGame();
    }

    void loadedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("kinds");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("green");
        QTest::newRow("colour 2 on 30, 0, 17, 0 is renumbered")
            << gameFile(kindLines(1, 1, 2, 2),
                        "Joueur Vert 1=30\r\nJoueur Vert 2=0\r\nJoueur Vert 3=17\r\n"
                        "Joueur Vert 4=0\r\n",
                        2)
            << QList<int>{1, 1, 2, 2} << 2 << QList<int>{17, 30, 0, 0};
        QTest::newRow("only [Type]")
            << QByteArray("[Type]\r\nJoueur Jaune=2\r\nJoueur Vert=1\r\nJoueur Bleu=3\r\n"
                          "Joueur Rouge=1\r\n")
            << QList<int>{2, 1, 3, 1} << 1 << QList<int>{0, 0, 0, 0};
        QTest::newRow("Disabled colour to play plays as a person")
            << gameFile(kindLines(2, 2, 3, 2), "Joueur Bleu 1=14\r\n", 3) << QList<int>{2, 2, 1, 2}
            << 3 << QList<int>{0, 0, 0, 0};
        QTest::newRow("not a saved game at all")
            << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << QList<int>{1, 2, 2, 2} << 1
            << QList<int>{0, 0, 0, 0};
    }
    void loadedFiles() {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, kinds);
        QFETCH(int, current);
        QFETCH(QList<int>, green);
        load(file);
        for (int c = 1; c <= 4; ++c) {
            QCOMPARE(appSettings().playerKind[c], kinds[c - 1]);
            // The settings dialog shows the loaded players the next time it opens.
            QCOMPARE(settingsDialog->playerList(c)->currentIndex(), kinds[c - 1] - 1);
        }
        QCOMPARE(state().currentColour, current);
        QCOMPARE(squaresOf(2), green);
        if (green[0] != 0)
            QCOMPARE(w->horses[2][1]->geometry().center(),
                     QRect(squareCentre(green[0]) -
                               QPoint(w->horses[2][1]->width() / 2, w->horses[2][1]->height() / 2),
                           w->horses[2][1]->size())
                         .center());
        // The turn begins from its throw: a person's button is armed, a computer throws.
        if (kinds[current - 1] == PlayerKind::Human) {
            QVERIFY(state().awaitingHumanThrow);
            QVERIFY(state().throwArmed[current]);
        } else {
            QVERIFY(!state().awaitingHumanThrow);
            QVERIFY(w->Des->isVisible());
        }
        stopGame();
    }

    // The set-up follows the file's players, not those in force before: a colour the
    // file disables takes no turn and shows no horse; one it brings in is on the board.
    void setUpFollowsTheLoadedPlayers() {
        setKinds(1, 2, 3, 2);
        w->BnouveauClick(); // green's horses on the board, blue's hidden
        load(gameFile(kindLines(1, 3, 2, 2), "Joueur Jaune 1=5\r\nJoueur Bleu 1=40\r\n", 1));
        QVERIFY(state().colourFinished[2]);
        QVERIFY(!state().colourFinished[3]);
        for (int k = 1; k <= 4; ++k) {
            QVERIFY(!w->horses[2][k]->isVisible());
            QVERIFY(w->horses[3][k]->isVisible());
        }
        // Yellow, with a horse out, moves whatever the die; the next turn skips green.
        w->BJauneClick();
        QVERIFY(waitUntil([&] { return !state().moveSettled; }, 3000));
        const int k = state().moveTarget[1] != 0 ? 1 : 2;
        const bool again = state().dieValue == 6;
        w->PionClick(k);
        QCOMPARE(state().currentColour, again ? 1 : 3);
        stopGame();
        QCOMPARE(appSettings().playerKind[2], int(PlayerKind::Disabled));
    }

    // All four yellow horses home: the arrival is announced once, not once per rebuild.
    void arrivalAnnouncedOnce() {
        BoxRecorder boxes;
        load(gameFile(kindLines(1, 1, 2, 2),
                      "Joueur Jaune 1=107\r\nJoueur Jaune 2=108\r\nJoueur Jaune 3=109\r\n"
                      "Joueur Jaune 4=110\r\n",
                      2));
        QCOMPARE(boxes.texts,
                 QStringList{QString::fromUtf8("Le Cheval Jaune est arrivé à l'écurie.")});
        QCOMPARE(state().currentColour, 2);
        QVERIFY(state().throwArmed[2]);
        stopGame();
    }

    // The loaded players reach the settings file at its next write.
    void loadedPlayersAreWrittenNextTime() {
        load(gameFile(kindLines(2, 1, 3, 1), "", 2));
        stopGame();
        whenBoxOpens([this](QWidget*) { settingsDialog->btnCancelClick(); });
        keyUp(Qt::Key_O);
        const QByteArray bytes = readFile(path("bramidou.ini"));
        QVERIFY2(bytes.contains(kindLines(2, 1, 3, 1)), bytes.constData());
        QCOMPARE(appSettings().playerKind[3], int(PlayerKind::Disabled));
    }

    // A file that cannot be read is reported; the running game goes on untouched.
    void unreadableFileLeavesTheGame() {
        const QString fifo = path("tube.sav");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        setKinds(1, 2, 2, 2);
        w->BnouveauClick();
        chooseInFileDialog(fifo);
        BoxRecorder boxes;
        keyUp(Qt::Key_C);
        QCOMPARE(boxes.texts, QStringList{QStringLiteral("Impossible de lire %1.").arg(fifo)});
        QVERIFY(state().gameInProgress);
        QVERIFY(state().throwArmed[1]);
        QCOMPARE(appSettings().playerKind[2], int(PlayerKind::Computer));
        stopGame();
    }

    void startFolder() {
        QCOMPARE(SavedGameDialogs::startFolder(dir.path()), QDir(dir.path()).absolutePath());
        QCOMPARE(SavedGameDialogs::startFolder(path("nowhere")), QDir::homePath());
        writeFile(path("a-file"), "x");
        QCOMPARE(SavedGameDialogs::startFolder(path("a-file")), QDir::homePath());
    }
};

QTEST_MAIN(TestGameFiles)
#include "tst_gamefiles.moc"
