#include "CursorRegistry.h"
#include "HelpSystem.h"
#include "HelpViewer.h"
#include "ShellTestSupport.h"
#include "TfrmConfigurer.h"
#include "TfrmMessageBox.h"
#include "TfrmPrincipale.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

QString runFile(const char* name) {
    return QDir(qEnvironmentVariable("BRAMIDOU_RUN_DIR")).filePath(QLatin1String(name));
}

QString shownCollection() {
    HelpViewer* viewer = HelpSystem::viewer();
    return viewer ? QFileInfo(viewer->collectionFile()).fileName() : QString();
}

QString shownPage() {
    HelpViewer* viewer = HelpSystem::viewer();
    return viewer ? viewer->currentPage().toString() : QString();
}

int viewerCount() {
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        n += qobject_cast<HelpViewer*>(w) != nullptr;
    return n;
}

bool pageShown(const char* collection, const char* page) {
    return shownCollection() == QLatin1String(collection) &&
           shownPage().endsWith(QLatin1Char('/') + QLatin1String(page));
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT

    TfrmPrincipale* main = nullptr;

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        main->FormKeyUp(key, modifiers);
    }

private slots:
    void initTestCase() {
        initShellTests();
        HelpSystem::setHelpFolder(qEnvironmentVariable("BRAMIDOU_RUN_DIR"));
        QVERIFY2(QFile::exists(runFile("bramidou.qhc")), "build the help first");
        main = new TfrmPrincipale;
    }

    void cleanupTestCase() {
        delete HelpSystem::viewer();
        delete main;
    }

    void init() { HelpSystem::setHelpFolder(qEnvironmentVariable("BRAMIDOU_RUN_DIR")); }

    // H and F1 open the game's help at its contents, from any earlier page.
    void helpKeysOpenTheGameHelpAtItsContents_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier);
        QTest::newRow("H") << int(Qt::Key_H) << int(Qt::NoModifier);
        QTest::newRow("shift H") << int(Qt::Key_H) << int(Qt::ShiftModifier);
        QTest::newRow("ctrl alt F1")
            << int(Qt::Key_F1) << int(Qt::ControlModifier | Qt::AltModifier);
    }

    void helpKeysOpenTheGameHelpAtItsContents() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        if (HelpViewer* viewer = HelpSystem::viewer()) {
            viewer->openPage(viewer->homePage().resolved(QUrl(QStringLiteral("regles.html"))));
            viewer->hide();
        }
        press(key, Qt::KeyboardModifiers(modifiers));
        QVERIFY(HelpSystem::viewer());
        QVERIFY(HelpSystem::viewer()->isVisible());
        QVERIFY2(waitUntil([] { return pageShown("bramidou.qhc", "index.html"); }, 5000),
                 qPrintable(shownPage()));
        QCOMPARE(
            HelpSystem::viewer()->tabs()->tabText(HelpSystem::viewer()->tabs()->currentIndex()),
            QStringLiteral("&Sommaire"));
    }

    void associationKeyThenF1BringsTheGameHelpBack() {
        press(Qt::Key_F);
        QVERIFY(waitUntil([] { return pageShown("afas.qhc", "index.html"); }, 5000));
        QCOMPARE(HelpSystem::currentHelpFile(), runFile("bramidou.qhc"));
        press(Qt::Key_F1);
        QVERIFY(waitUntil([] { return pageShown("bramidou.qhc", "index.html"); }, 5000));
    }

    void altHDoesNothing() {
        HelpSystem::viewer()->hide();
        press(Qt::Key_H, Qt::AltModifier);
        press(Qt::Key_F1, Qt::AltModifier);
        QVERIFY(!HelpSystem::viewer()->isVisible());
    }

    void secondRequestRaisesTheSameViewer() {
        press(Qt::Key_F1);
        HelpViewer* first = HelpSystem::viewer();
        first->showMinimized();
        press(Qt::Key_F1);
        QCOMPARE(HelpSystem::viewer(), first);
        QVERIFY(first->isVisible());
        QVERIFY(!first->isMinimized());
        QCOMPARE(viewerCount(), 1);
    }

    // Search and index find the rules, as a player looking for a word would.
    void searchFindsTheRulesPage() {
        press(Qt::Key_F1);
        HelpViewer* viewer = HelpSystem::viewer();
        viewer->search(QStringLiteral("capture"));
        QVERIFY(waitUntil(
            [viewer] {
                for (int i = 0; i < viewer->searchResults()->count(); ++i) {
                    if (viewer->searchResults()->item(i)->data(Qt::UserRole).toUrl().fileName() ==
                        QLatin1String("regles.html"))
                        return true;
                }
                return false;
            },
            20000));
        QListWidgetItem* item = viewer->searchResults()->item(0);
        emit viewer->searchResults()->itemClicked(item);
        QCOMPARE(viewer->currentPage().fileName(), item->data(Qt::UserRole).toUrl().fileName());
    }

    void backForwardAndF1InTheViewer() {
        press(Qt::Key_F1);
        HelpViewer* viewer = HelpSystem::viewer();
        QVERIFY(waitUntil([] { return pageShown("bramidou.qhc", "index.html"); }, 5000));
        viewer->openPage(viewer->homePage().resolved(QUrl(QStringLiteral("tour.html"))));
        viewer->page()->backward();
        QCOMPARE(viewer->currentPage().fileName(), QStringLiteral("index.html"));
        viewer->page()->forward();
        QCOMPARE(viewer->currentPage().fileName(), QStringLiteral("tour.html"));
        // F1 inside the viewer goes back to the contents, as in the game.
        viewer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        QTest::keyClick(viewer->page(), Qt::Key_F1);
        QCOMPARE(viewer->currentPage().fileName(), QStringLiteral("index.html"));
    }

    // F1 from a modal window (the settings dialog) gives a viewer that takes the player's
    // clicks while that window stays open, and stays open after it closes.
    void helpFromAModalWindowTakesInput() {
        auto* modal = new QDialog;
        int tabAfterClick = -1;
        whenBoxOpens([&](QWidget*) {
            HelpSystem::showCurrentHelp();
            HelpViewer* viewer = HelpSystem::viewer();
            QVERIFY(QTest::qWaitForWindowExposed(viewer));
            viewer->tabs()->setCurrentIndex(0);
            QTabBar* bar = viewer->tabs()->tabBar();
            // Through the window system, where a blocked window drops the click.
            QTest::mouseClick(viewer->windowHandle(), Qt::LeftButton, {},
                              bar->mapTo(viewer, bar->tabRect(2).center()));
            tabAfterClick = viewer->tabs()->currentIndex();
            modal->done(0);
        });
        modal->exec();
        QCOMPARE(tabAfterClick, 2);
        QVERIFY(HelpSystem::viewer()->isVisible());
        // The game's modal windows live as long as the game; this one leaves with the test.
        modal->deleteLater();
    }

    // F1 in the settings dialog opens the game's help, which takes clicks while the dialog
    // stays open.
    void f1InTheSettingsDialog() {
        auto* dialog = new TfrmConfigurer;
        applyProgramCursors(dialog);
        if (HelpViewer* viewer = HelpSystem::viewer())
            viewer->hide();
        QString collection;
        QWidget* owner = nullptr;
        whenBoxOpens([&](QWidget*) {
            QTest::keyClick(dialog->cbBluePlayerType, Qt::Key_F1);
            if (HelpViewer* viewer = HelpSystem::viewer(); viewer && viewer->isVisible()) {
                collection = shownCollection();
                owner = viewer->parentWidget();
            }
            dialog->done(0);
        });
        dialog->exec();
        QCOMPARE(collection, QStringLiteral("bramidou.qhc"));
        QCOMPARE(owner, static_cast<QWidget*>(dialog));
        dialog->deleteLater();
    }

    // A help file that cannot be read is named in a message; the game goes on and the
    // viewer keeps what it showed.
    void unreadableCollectionGivesAMessage_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a collection") << QByteArray("MZ\x90\0garbage", 11);
        QTest::newRow("collection without its pages") << QByteArray("copy");
    }

    void unreadableCollectionGivesAMessage() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString target = dir.filePath(QStringLiteral("bramidou.qhc"));
        if (content == "copy")
            QVERIFY(QFile::copy(runFile("bramidou.qhc"), target));
        else if (!content.isEmpty()) {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        HelpSystem::setHelpFolder(dir.path());

        QString message;
        whenBoxOpens([&message](QWidget* modal) {
            if (auto* box = qobject_cast<TfrmMessageBox*>(modal))
                message = box->lblText->text();
        });
        press(Qt::Key_F1);
        QVERIFY(message.contains(QStringLiteral("introuvable ou illisible")));
        QVERIFY2(message.contains(QDir::toNativeSeparators(target)), qPrintable(message));
        QVERIFY(main->engine().state().allowHelp);
        // Nothing was written beside the missing file.
        if (content.isEmpty())
            QVERIFY(!QFile::exists(target));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
