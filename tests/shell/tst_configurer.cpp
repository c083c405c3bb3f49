#include "AppSettings.h"
#include "CursorRegistry.h"
#include "FixedDeviceCount.h"
#include "HelpSystem.h"
#include "HelpViewer.h"
#include "ImageControl.h"
#include "PauseField.h"
#include "SettingsFile.h"
#include "ShellTestSupport.h"
#include "TfrmConfigurer.h"
#include "TfrmMessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const char* const kAllDisabledText =
    "Vous avez désactivé tous les joueurs.\n\nVous ne pouvez pas jouer dans cette "
    "configuration.\n\nVeuillez changer la configuration.";

QByteArray settingsFileWith(const QByteArray& kinds, int seconds, bool sound) {
    return "[Configuration]\r\n" + kinds + "Temporisation=" + QByteArray::number(seconds) +
           "\r\nSon=" + (sound ? "1" : "0") + "\r\n";
}

} // namespace

// The settings dialog on its own, over a settings file of the test's.
class TestConfigurer : public QObject {
    Q_OBJECT

    std::unique_ptr<TfrmConfigurer> dialog;
    QTemporaryDir dir;
    QString iniPath;

    void makeDialog(int soundDevices) {
        dialog = std::make_unique<TfrmConfigurer>(std::make_unique<FixedDeviceCount>(soundDevices));
        applyProgramCursors(dialog.get());
    }
    // The file and the record as the settings command leaves them when the dialog opens.
    void startFrom(const QByteArray& bytes, int soundDevices) {
        QFile file(iniPath);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        FixedDeviceCount devices(soundDevices);
        LoadSettings(appSettings(), iniPath.toStdString(), ScreenSize{1024, 768}, devices);
        makeDialog(soundDevices);
        dialog->show();
        QVERIFY(dialog->isVisible());
    }
    QByteArray fileBytes() const {
        QFile file(iniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QList<int> shownKinds() const {
        QList<int> kinds;
        for (int c = 1; c <= 4; ++c)
            kinds << dialog->playerList(c)->currentIndex() + 1;
        return kinds;
    }
    void choose(int colour, int kind) { dialog->playerList(colour)->setCurrentIndex(kind - 1); }
    void typePause(const QString& text) {
        QLineEdit* edit = dialog->spinTempo->findChild<QLineEdit*>();
        QVERIFY(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    // A key pressed and released on one control of the dialog, as the keyboard sends it.
    void key(QWidget* to, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(to, &release);
    }

private slots:
    void initTestCase() {
        initShellTests();
        new TfrmMessageBox;
        applyProgramCursors(TfrmMessageBox::instance());
        iniPath = dir.filePath(QStringLiteral("bramidou.ini"));
        appSettings().settingsPath = iniPath.toStdString();
        // F1 opens the help built into the run folder.
        HelpSystem::setHelpFolder(qEnvironmentVariable("BRAMIDOU_RUN_DIR"));
    }

    void cleanup() { dialog.reset(); }

    void layoutAndCursors() {
        startFrom(settingsFileWith("", 3, false), 1);
        QCOMPARE(dialog->size(), QSize(320, 260));
        QVERIFY(dialog->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(cursorId(dialog->btnOk), 21);
        QCOMPARE(cursorId(dialog->btnCancel), 21);
        QCOMPARE(cursorId(dialog->imgCheckBoxSound), 21);
        QCOMPARE(cursorId(dialog->imgCheckBoxStrong), 21);
        QVERIFY(!dialog->chkSound->isVisible());
        QVERIFY(!dialog->chkStrong->isVisible());
        QCOMPARE(dialog->cbYellowPlayerType->count(), 3);
        QCOMPARE(dialog->cbYellowPlayerType->itemText(2), QString::fromUtf8("Désactivé"));
        // The pause field holds the focus, then the lists follow in colour order.
        QWidget* focus = dialog->focusWidget();
        QVERIFY(focus == dialog->spinTempo || focus->parentWidget() == dialog->spinTempo);
        QWidget* next = dialog->spinTempo->nextInFocusChain();
        while (next && next->parentWidget() == dialog->spinTempo)
            next = next->nextInFocusChain();
        QCOMPARE(next, dialog->cbYellowPlayerType);
        QCOMPARE(next->nextInFocusChain(), dialog->cbGreenPlayerType);
    }

    // All four disabled: the warning, nothing written, the dialog open; Cancel then brings
    // back what the file holds.
    void allDisabledThenCancel() {
        const QByteArray bytes = settingsFileWith(
            "Joueur Jaune=1\r\nJoueur Vert=2\r\nJoueur Bleu=2\r\nJoueur Rouge=3\r\n", 4, false);
        startFrom(bytes, 1);
        QCOMPARE(shownKinds(), (QList<int>{1, 2, 2, 3}));
        for (int c = 1; c <= 4; ++c)
            choose(c, PlayerKind::Disabled);
        QString caption, text;
        bool single = false;
        whenBoxOpens([&](QWidget* modal) {
            auto* box = qobject_cast<TfrmMessageBox*>(modal);
            QVERIFY(box);
            caption = box->lblCaption->text();
            text = box->lblText->text();
            single = box->btnOk->isVisible() && !box->btnYes->isVisible();
        });
        dialog->btnOkClick();
        QCOMPARE(caption, QStringLiteral("Attention !"));
        QCOMPARE(text, QString::fromUtf8(kAllDisabledText));
        QVERIFY(single);
        QVERIFY(dialog->isVisible());
        QCOMPARE(shownKinds(), (QList<int>{3, 3, 3, 3}));
        QCOMPARE(fileBytes(), bytes);

        dialog->btnCancelClick();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(shownKinds(), (QList<int>{1, 2, 2, 3}));
        QCOMPARE(appSettings().playerKind[4], int(PlayerKind::Disabled));
        QCOMPARE(appSettings().playerKind[1], int(PlayerKind::Human));
    }

    void oneColourLeftIsAccepted() {
        startFrom(settingsFileWith("", 3, false), 1);
        choose(1, PlayerKind::Disabled);
        choose(2, PlayerKind::Disabled);
        choose(3, PlayerKind::Human);
        choose(4, PlayerKind::Disabled);
        dialog->btnOkClick();
        QVERIFY(!dialog->isVisible());
        QVERIFY(!openMessageBox());
        const QByteArray bytes = fileBytes();
        QVERIFY2(bytes.contains("Joueur Jaune=3\r\nJoueur Vert=3\r\nJoueur Bleu=1\r\n"
                                "Joueur Rouge=3\r\n"),
                 bytes.constData());
    }

    // Without a sound output the box is empty and deaf, and OK stores sound off; with
    // one, a tick undone by Cancel leaves the sound as the file had it.
    void soundBox_data() {
        QTest::addColumn<int>("devices");
        QTest::addColumn<bool>("storedOn");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("tickedAfterClick");
        QTest::newRow("no device, stored on") << 0 << true << false << false;
        QTest::newRow("no device, stored off") << 0 << false << false << false;
        QTest::newRow("device, stored off") << 1 << false << true << true;
        QTest::newRow("device, stored on") << 1 << true << true << false;
    }
    void soundBox() {
        QFETCH(int, devices);
        QFETCH(bool, storedOn);
        QFETCH(bool, enabled);
        QFETCH(bool, tickedAfterClick);
        startFrom(settingsFileWith("", 3, storedOn), devices);
        const qint64 checked = dialog->imgCheckBoxChecked.cacheKey();
        QCOMPARE(dialog->imgCheckBoxSound->isEnabled(), enabled);
        QCOMPARE(dialog->imgCheckBoxSound->picture().cacheKey() == checked, enabled && storedOn);
        QTest::mouseClick(dialog->imgCheckBoxSound, Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(dialog->chkSound->isChecked(), tickedAfterClick);
        QCOMPARE(dialog->imgCheckBoxSound->picture().cacheKey() == checked, tickedAfterClick);
        // Nothing changes before OK.
        QCOMPARE(appSettings().soundOn, enabled && storedOn);

        dialog->btnCancelClick();
        QCOMPARE(appSettings().soundOn, enabled && storedOn);
        QCOMPARE(dialog->chkSound->isChecked(), enabled && storedOn);

        dialog->show();
        QTest::mouseClick(dialog->imgCheckBoxSound, Qt::LeftButton, {}, QPoint(6, 6));
        dialog->btnOkClick();
        QCOMPARE(appSettings().soundOn, tickedAfterClick);
        QVERIFY(fileBytes().contains(tickedAfterClick ? "Son=1\r\n" : "Son=0\r\n"));
    }

    // The keyboard reaches the sound box after the lists; Space ticks it.
    void soundBoxByKeyboard() {
        startFrom(settingsFileWith("", 3, false), 1);
        dialog->imgCheckBoxSound->setFocus();
        key(dialog->imgCheckBoxSound, Qt::Key_Space);
        QVERIFY(dialog->chkSound->isChecked());
        key(dialog->imgCheckBoxSound, Qt::Key_Space);
        QVERIFY(!dialog->chkSound->isChecked());
    }

    // The strong computer's box: ticked only for Niveau=2; a click changes nothing before
    // OK; Cancel brings back the file's level, OK stores and writes the one shown.
    void strongBox_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("older file without the key") << QByteArray() << false;
        QTest::newRow("standard") << QByteArray("Niveau=1\r\n") << false;
        QTest::newRow("strong") << QByteArray("Niveau=2\r\n") << true;
        QTest::newRow("unknown level") << QByteArray("Niveau=7\r\n") << false;
    }
    void strongBox() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, ticked);
        startFrom(settingsFileWith("", 3, false) + stored, 1);
        const int level = ticked ? ComputerLevel::Strong : ComputerLevel::Standard;
        const qint64 checked = dialog->imgCheckBoxChecked.cacheKey();
        const qint64 unchecked = dialog->imgCheckBoxUnchecked.cacheKey();
        QCOMPARE(dialog->imgCheckBoxStrong->picture().cacheKey(), ticked ? checked : unchecked);
        QTest::mouseClick(dialog->imgCheckBoxStrong, Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(dialog->chkStrong->isChecked(), !ticked);
        QCOMPARE(dialog->imgCheckBoxStrong->picture().cacheKey(), ticked ? unchecked : checked);
        QCOMPARE(appSettings().computerLevel, level);

        dialog->btnCancelClick();
        QCOMPARE(appSettings().computerLevel, level);
        QCOMPARE(dialog->chkStrong->isChecked(), ticked);
        QCOMPARE(dialog->imgCheckBoxStrong->picture().cacheKey(), ticked ? checked : unchecked);

        dialog->show();
        QTest::mouseClick(dialog->imgCheckBoxStrong, Qt::LeftButton, {}, QPoint(6, 6));
        dialog->btnOkClick();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(appSettings().computerLevel,
                 ticked ? ComputerLevel::Standard : ComputerLevel::Strong);
        QVERIFY(fileBytes().contains(ticked ? "Niveau=1\r\n" : "Niveau=2\r\n"));
    }

    // The level does not hang on the sound: without a sound output the strong box still
    // ticks, and OK keeps the sound off.
    void strongBoxWithoutSound() {
        startFrom(settingsFileWith("", 3, true), 0);
        QVERIFY(dialog->imgCheckBoxStrong->isEnabled());
        QTest::mouseClick(dialog->imgCheckBoxStrong, Qt::LeftButton, {}, QPoint(6, 6));
        dialog->btnOkClick();
        QCOMPARE(appSettings().computerLevel, static_cast<int>(ComputerLevel::Strong));
        QVERIFY(!appSettings().soundOn);
    }

    // Tab goes from the sound box to the strong box, whose ring then shows; Space ticks it.
    void strongBoxByKeyboard() {
        startFrom(settingsFileWith("", 3, false), 1);
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        dialog->imgCheckBoxSound->setFocus();
        QTest::keyClick(dialog->imgCheckBoxSound, Qt::Key_Tab);
        QVERIFY(dialog->imgCheckBoxStrong->hasFocus());
        key(dialog->imgCheckBoxStrong, Qt::Key_Space);
        QVERIFY(dialog->chkStrong->isChecked());
        QVERIFY(!dialog->chkSound->isChecked());
        key(dialog->imgCheckBoxStrong, Qt::Key_Space);
        QVERIFY(!dialog->chkStrong->isChecked());
    }

    // Each pictured box lies on the dark well that the artwork draws for it, not on the
    // plain face beside it.
    void boxesLieOnTheirWells() {
        startFrom(settingsFileWith("", 3, false), 1);
        const QImage face = dialog->imgConfiguration->picture().toImage();
        for (ImageControl* box : {dialog->imgCheckBoxSound, dialog->imgCheckBoxStrong}) {
            const QRect r = box->geometry();
            const QColor under = face.pixelColor(r.center());
            const QColor beside = face.pixelColor(r.left() - 12, r.center().y());
            QVERIFY2(under.lightness() + 15 < beside.lightness(), qPrintable(box->objectName()));
            for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
                QVERIFY2(face.pixelColor(corner).lightness() + 10 < beside.lightness(),
                         qPrintable(box->objectName()));
        }
    }

    void pauseField_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("5") << "5" << 5;
        QTest::newRow("45 is too long") << "45" << 30;
        QTest::newRow("0 is too short") << "0" << 1;
        QTest::newRow("-3") << "-3" << 1;
        QTest::newRow("not a number") << "abc" << 1;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("huge") << "999999999" << 30;
        QTest::newRow("blanks") << " 12 " << 12;
    }
    void pauseField() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        startFrom(settingsFileWith("", 3, false), 1);
        typePause(typed);
        dialog->btnOkClick();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(appSettings().choiceDelaySeconds, stored);
        QCOMPARE(appSettings().choiceDelayMs, stored * 1000);
        QVERIFY(fileBytes().contains("Temporisation=" + QByteArray::number(stored) + "\r\n"));
    }

    // The arrows stop at 1 and 30; a stored value outside them is shown within them.
    void pauseArrows() {
        startFrom(settingsFileWith("", 30, false), 1);
        QCOMPARE(dialog->spinTempo->value(), 30);
        key(dialog->spinTempo, Qt::Key_Up);
        QCOMPARE(dialog->spinTempo->value(), 30);
        dialog->spinTempo->setValue(2);
        key(dialog->spinTempo, Qt::Key_Down);
        key(dialog->spinTempo, Qt::Key_Down);
        QCOMPARE(dialog->spinTempo->value(), 1);
        appSettings().choiceDelaySeconds = 500;
        dialog->MiseAJour();
        QCOMPARE(dialog->spinTempo->value(), 30);
        // Leaving the field takes what was typed, as OK does.
        typePause(QStringLiteral("77"));
        dialog->cbRedPlayerType->setFocus();
        QCOMPARE(dialog->spinTempo->value(), 30);
    }

    // Keys act on release from any control; Alt + Enter does nothing; a release whose
    // press went elsewhere (a list's drop-down) does nothing either.
    void keys_data() {
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("inList");
        QTest::addColumn<int>("outcome"); // 0 stays open, 1 OK, 2 Cancel
        QTest::newRow("Enter in the pause field") << int(Qt::Key_Return) << 0 << false << 1;
        QTest::newRow("keypad Enter in a list") << int(Qt::Key_Enter) << 0 << true << 1;
        QTest::newRow("Escape in the pause field") << int(Qt::Key_Escape) << 0 << false << 2;
        QTest::newRow("Escape in a list") << int(Qt::Key_Escape) << 0 << true << 2;
        QTest::newRow("Alt + Enter") << int(Qt::Key_Return) << int(Qt::AltModifier) << false << 0;
        QTest::newRow("Alt + Escape") << int(Qt::Key_Escape) << int(Qt::AltModifier) << true << 0;
        QTest::newRow("Shift + Enter")
            << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false << 1;
        QTest::newRow("Ctrl + Alt + Escape")
            << int(Qt::Key_Escape) << int(Qt::ControlModifier | Qt::AltModifier) << true << 2;
        QTest::newRow("F1 opens the help") << int(Qt::Key_F1) << 0 << false << 0;
    }
    void keys() {
        QFETCH(int, keyCode);
        QFETCH(int, modifiers);
        QFETCH(bool, inList);
        QFETCH(int, outcome);
        startFrom(settingsFileWith("Joueur Vert=1\r\n", 3, false), 1);
        choose(2, PlayerKind::Computer);
        QWidget* target = inList ? static_cast<QWidget*>(dialog->cbGreenPlayerType)
                                 : dialog->spinTempo->findChild<QLineEdit*>();
        target->setFocus();
        typePause(QStringLiteral("7"));

        // A press alone never acts.
        QKeyEvent press(QEvent::KeyPress, keyCode, Qt::KeyboardModifiers(modifiers));
        QApplication::sendEvent(target, &press);
        QVERIFY(dialog->isVisible());
        QKeyEvent release(QEvent::KeyRelease, keyCode, Qt::KeyboardModifiers(modifiers));
        QApplication::sendEvent(target, &release);

        QCOMPARE(dialog->isVisible(), outcome == 0);
        if (keyCode == Qt::Key_F1)
            QVERIFY(HelpSystem::viewer() && HelpSystem::viewer()->isVisible());
        const int green = appSettings().playerKind[2];
        if (outcome == 1) {
            QCOMPARE(green, int(PlayerKind::Computer));
            QCOMPARE(appSettings().choiceDelaySeconds, 7);
        }
        if (outcome == 2) {
            QCOMPARE(green, int(PlayerKind::Human));
            QCOMPARE(appSettings().choiceDelaySeconds, 3);
            QCOMPARE(dialog->cbGreenPlayerType->currentIndex(), 0);
        }
        // A release without its press (the press closed a drop-down) is ignored.
        if (outcome == 0) {
            QKeyEvent lone(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(target, &lone);
            QVERIFY(dialog->isVisible());
        }
    }

    void helpKey() {
        startFrom(settingsFileWith("", 3, false), 1);
        int asked = 0;
        dialog->setHelpHandler([&asked] { ++asked; });
        key(dialog->cbBluePlayerType, Qt::Key_F1);
        QCOMPARE(asked, 1);
        key(dialog->cbBluePlayerType, Qt::Key_F1, Qt::AltModifier);
        QCOMPARE(asked, 1);
        QVERIFY(dialog->isVisible());
    }

    // OK, then Cancel, then the background: one highlight at a time, then none; a dialog
    // closed with a highlight opens with none, and the first pass highlights again.
    void hover() {
        startFrom(settingsFileWith("", 3, false), 1);
        const qint64 okSel = dialog->OkSEL.cacheKey();
        const qint64 cancelSel = dialog->CancelSEL.cacheKey();
        sendMove(dialog->btnOk);
        QVERIFY(dialog->okHighlighted());
        QCOMPARE(dialog->btnOk->picture().cacheKey(), okSel);
        QVERIFY(!dialog->btnCancel->hasPicture());
        sendMove(dialog->btnCancel);
        QVERIFY(!dialog->okHighlighted());
        QVERIFY(dialog->cancelHighlighted());
        QVERIFY(!dialog->btnOk->hasPicture());
        QCOMPARE(dialog->btnCancel->picture().cacheKey(), cancelSel);
        sendMove(dialog->imgConfiguration, QPoint(100, 20));
        QVERIFY(!dialog->okHighlighted() && !dialog->cancelHighlighted());
        QVERIFY(!dialog->btnOk->hasPicture() && !dialog->btnCancel->hasPicture());

        for (bool viaOk : {true, false}) {
            sendMove(dialog->btnOk);
            if (viaOk)
                QTest::mouseClick(dialog->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
            else
                key(dialog->spinTempo, Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());
            dialog->show();
            QVERIFY(!dialog->okHighlighted() && !dialog->btnOk->hasPicture());
            sendMove(dialog->btnOk);
            QVERIFY(dialog->okHighlighted());
            sendMove(dialog->imgConfiguration, QPoint(100, 20));
        }
    }

    // The background drags the whole window by the pointer's displacement; it reopens
    // where it was left.
    void drag() {
        startFrom(settingsFileWith("", 3, false), 1);
        const QPoint start = dialog->pos();
        sendMove(dialog->btnOk);
        sendPress(dialog->imgConfiguration, QPoint(10, 10));
        QVERIFY(dialog->isDragging());
        sendMove(dialog->imgConfiguration, QPoint(30, 25));
        QCOMPARE(dialog->pos(), start + QPoint(20, 15));
        QVERIFY(dialog->okHighlighted()); // dragging leaves the highlights alone
        sendRelease(dialog->imgConfiguration, QPoint(30, 25));
        QVERIFY(!dialog->isDragging());
        sendMove(dialog->imgConfiguration, QPoint(50, 50));
        QCOMPARE(dialog->pos(), start + QPoint(20, 15));
        QVERIFY(!dialog->okHighlighted());
        dialog->btnCancelClick();
        dialog->show();
        QCOMPARE(dialog->pos(), start + QPoint(20, 15));
    }

    // OK reports a settings file it cannot write and stays open.
    void okCannotWrite() {
        startFrom(settingsFileWith("", 3, false), 1);
        const QString blocked = dir.filePath(QStringLiteral("plain-file/bramidou.ini"));
        QFile blocker(dir.filePath(QStringLiteral("plain-file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        appSettings().settingsPath = blocked.toStdString();
        QString text;
        whenBoxOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            text = box->text();
            box->accept();
        });
        dialog->btnOkClick();
        appSettings().settingsPath = iniPath.toStdString();
        QCOMPARE(text, QStringLiteral("Impossible d'écrire dans %1.").arg(blocked));
        QVERIFY(dialog->isVisible());
    }
};

QTEST_MAIN(TestConfigurer)
#include "tst_configurer.moc"
