// Every modal window of the game belongs to the main window (or to the box already open
// over it), so that a window manager keeps it above: the skinned box, a notice nested in
// a question, a dialog made without a parent, a file dialog. Non-modal windows stay free.
#include "ImageControl.h"
#include "ShellTestSupport.h"
#include "StartupSequence.h"
#include "TfrmMessageBox.h"
#include "TfrmPrincipale.h"
#include "TfrmSplashScreen.h"

#include <QDialog>
#include <QFileDialog>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <memory>
#include <vector>

namespace {

QWindow* ownerOf(QWidget* window) {
    return window && window->windowHandle() ? window->windowHandle()->transientParent() : nullptr;
}

} // namespace

class TestModalWindows : public QObject {
    Q_OBJECT

    std::vector<std::unique_ptr<QWidget>> windows;
    QWidget* mainWindow() const { return windows.front().get(); }

private slots:
    void initTestCase() {
        initShellTests();
        std::unique_ptr<TfrmSplashScreen> noSplash;
        // Made as start-up makes them.
        windows = StartupSequence::createWindows(
            noSplash,
            {
                [] { return std::unique_ptr<QWidget>(std::make_unique<TfrmPrincipale>()); },
                [] { return std::unique_ptr<QWidget>(std::make_unique<TfrmMessageBox>()); },
            });
        QCOMPARE(windows.size(), std::size_t{2});
        QVERIFY(mainWindow()->windowHandle());
    }

    void cleanupTestCase() {
        while (!windows.empty())
            windows.pop_back();
    }

    // The stop question, and the end-of-game notice that a timer may bring over it.
    void messageBoxAndANestedNotice() {
        QWindow* questionOwner = nullptr;
        QWindow* questionWindow = nullptr;
        QWindow* noticeOwner = nullptr;
        whenBoxOpens([&](QWidget* question) {
            questionOwner = ownerOf(question);
            questionWindow = question->windowHandle();
            whenBoxOpens([&](QWidget* notice) {
                noticeOwner = ownerOf(notice);
                QTest::mouseClick(static_cast<TfrmMessageBox*>(notice)->btnOk, Qt::LeftButton, {},
                                  QPoint(5, 5));
            });
            TfrmMessageBox::showMessage("Information", "La partie est terminée.", 0);
            QTest::mouseClick(static_cast<TfrmMessageBox*>(question)->btnNo, Qt::LeftButton, {},
                              QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("Attention !", "Voulez-vous arrêter ?", 4), 7);
        QCOMPARE(questionOwner, mainWindow()->windowHandle());
        QVERIFY(questionWindow);
        QCOMPARE(noticeOwner, questionWindow);
    }

    // What a window added later gets by being shown modally, with or without a parent.
    void dialogsShownModally_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("dialog without parent") << QStringLiteral("dialog");
        QTest::newRow("file dialog without parent") << QStringLiteral("file");
        QTest::newRow("dialog of the main window") << QStringLiteral("child");
    }

    void dialogsShownModally() {
        QFETCH(QString, kind);
        std::unique_ptr<QDialog> dialog;
        if (kind == QLatin1String("file")) {
            auto* files = new QFileDialog;
            files->setOption(QFileDialog::DontUseNativeDialog);
            dialog.reset(files);
        } else {
            dialog =
                std::make_unique<QDialog>(kind == QLatin1String("child") ? mainWindow() : nullptr);
        }
        QWindow* owner = nullptr;
        whenBoxOpens([&](QWidget* modal) {
            owner = ownerOf(modal);
            static_cast<QDialog*>(modal)->done(0);
        });
        dialog->exec();
        QCOMPARE(owner, mainWindow()->windowHandle());
    }

    // The CD player is not modal: it floats on its own.
    void nonModalWindowStaysFree() {
        QWidget tool(nullptr, Qt::Tool);
        tool.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tool));
        QCOMPARE(ownerOf(&tool), static_cast<QWindow*>(nullptr));
    }
};

QTEST_MAIN(TestModalWindows)
#include "tst_modalwindows.moc"
