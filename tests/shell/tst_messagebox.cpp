#include "CursorRegistry.h"
#include "ImageControl.h"
#include "ShellTestSupport.h"
#include "TfrmMessageBox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

QImage face(const char* name) {
    return QImage(QStringLiteral(":/art/msgbox/%1.png").arg(QLatin1String(name)))
        .convertToFormat(QImage::Format_ARGB32);
}

QImage shown(const ImageControl* button) {
    return button->picture().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestMessageBox : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initShellTests(); }

    // Runs first: nothing has made the box yet.
    void createdOnFirstUse() {
        QVERIFY(TfrmMessageBox::instance() == nullptr);
        whenBoxOpens([](QWidget* modal) {
            auto* box = qobject_cast<TfrmMessageBox*>(modal);
            QVERIFY(box);
            QCOMPARE(cursorId(box->btnOk), 21);
            QTest::mouseClick(box->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("Information", "Texte", 0), 1);
        QVERIFY(TfrmMessageBox::instance() != nullptr);
    }

    void layoutAndTexts() {
        TfrmMessageBox* box = TfrmMessageBox::instance();
        whenBoxOpens([box](QWidget*) {
            QCOMPARE(box->size(), QSize(440, 260));
            QCOMPARE(box->lblCaption->geometry(), QRect(16, 8, 409, 25));
            QCOMPARE(box->lblText->geometry(), QRect(16, 40, 409, 161));
            QCOMPARE(box->btnYes->geometry(), QRect(133, 212, 80, 35));
            QCOMPARE(box->btnNo->geometry(), QRect(229, 212, 80, 35));
            QCOMPARE(box->btnOk->geometry(), QRect(181, 212, 80, 35));
            QCOMPARE(box->lblCaption->font().pixelSize(), 19);
            QVERIFY(box->lblCaption->font().bold());
            QCOMPARE(box->lblText->font().pixelSize(), 16);
            QVERIFY(!box->lblText->font().bold());
            QVERIFY(box->lblText->wordWrap());
            QCOMPARE(box->lblCaption->text(), QStringLiteral("Attention !"));
            // CR LF breaks the line without leaving a stray CR to be drawn.
            QCOMPARE(box->lblText->text(),
                     QStringLiteral("La partie en cours sera perdue.\n\nVoulez-vous réellement "
                                    "arrêter la partie ?"));
            QTest::mouseClick(box->btnNo, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("Attention !",
                                             "La partie en cours sera perdue.\r\n\r\nVoulez-vous "
                                             "réellement arrêter la partie ?",
                                             4),
                 7);
    }

    // Each showing has the buttons of its own kind, whatever came before.
    void buttonsPerKind() {
        struct Case {
            int kind;
            const char* answer;
            int result;
        };
        const Case cases[] = {{4, "yes", 6}, {0, "ok", 1}, {4, "no", 7},
                              {4, "yes", 6}, {7, "ok", 1}, {0, "ok", 1}};
        TfrmMessageBox* box = TfrmMessageBox::instance();
        for (const Case& c : cases) {
            bool checked = false;
            whenBoxOpens([box, c, &checked](QWidget*) {
                const bool question = c.kind == 4;
                QCOMPARE(box->btnOk->isVisible(), !question);
                QCOMPARE(box->btnOk->isEnabled(), !question);
                QCOMPARE(box->btnYes->isVisible(), question);
                QCOMPARE(box->btnNo->isVisible(), question);
                QCOMPARE(box->btnYes->isEnabled(), question);
                QCOMPARE(shown(box->btnOk), face("btnOkUnselected"));
                QCOMPARE(shown(box->btnYes), face("btnYesUnselected"));
                ImageControl* target = QByteArray(c.answer) == "yes"  ? box->btnYes
                                       : QByteArray(c.answer) == "no" ? box->btnNo
                                                                      : box->btnOk;
                checked = true;
                QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(40, 17));
            });
            QCOMPARE(TfrmMessageBox::showMessage("c", "t", c.kind), c.result);
            QVERIFY(checked);
            QVERIFY(!box->isVisible());
        }
    }

    // Only a visible button closes the box: not the system's close, not Enter, not Escape,
    // not a click on a hidden button's place.
    void leftOnlyThroughAButton() {
        TfrmMessageBox* box = TfrmMessageBox::instance();
        whenBoxOpens([box](QWidget*) {
            box->close();
            QVERIFY(box->isVisible());
            for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space}) {
                QTest::keyClick(box, Qt::Key(key));
                QVERIFY(box->isVisible());
            }
            box->reject();
            QVERIFY(box->isVisible());
            box->done(6);
            QVERIFY(box->isVisible());
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(200, 225)); // where OK would be
            QVERIFY(box->isVisible());
            QTest::mouseClick(box->btnYes, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("c", "t", 4), 6);
    }

    void selectionFollowsThePointer() {
        TfrmMessageBox* box = TfrmMessageBox::instance();
        whenBoxOpens([box](QWidget*) {
            sendMove(box->btnYes);
            QVERIFY(box->yesHighlighted() && !box->noHighlighted());
            QCOMPARE(shown(box->btnYes), face("btnYesSelected"));
            sendMove(box->btnNo);
            QVERIFY(!box->yesHighlighted() && box->noHighlighted());
            QCOMPARE(shown(box->btnYes), face("btnYesUnselected"));
            QCOMPARE(shown(box->btnNo), face("btnNoSelected"));
            sendMove(box->lblText);
            QVERIFY(!box->yesHighlighted() && !box->noHighlighted());
            QCOMPARE(shown(box->btnNo), face("btnNoUnselected"));
            sendMove(box->btnNo);
            sendMove(box->imgBackground, QPoint(5, 5));
            QVERIFY(!box->noHighlighted());
            QTest::mouseClick(box->btnNo, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("c", "t", 4), 7);

        // The next showing starts unselected, and OK has its own selection.
        whenBoxOpens([box](QWidget*) {
            QVERIFY(!box->okHighlighted() && !box->yesHighlighted() && !box->noHighlighted());
            sendMove(box->btnOk);
            QVERIFY(box->okHighlighted());
            QCOMPARE(shown(box->btnOk), face("btnOkSelected"));
            sendMove(box->lblCaption);
            QVERIFY(!box->okHighlighted());
            QCOMPARE(shown(box->btnOk), face("btnOkUnselected"));
            QTest::mouseClick(box->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("c", "t", 0), 1);
    }

    // Centred at its first showing only; a dragged box opens where it was left.
    void draggedBoxReopensInPlace() {
        TfrmMessageBox* box = TfrmMessageBox::instance();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QPoint centred((screen.width() - 440) / 2, (screen.height() - 260) / 2);
        QPoint dropped;
        whenBoxOpens([box, centred, &dropped](QWidget*) {
            QCOMPARE(box->pos(), centred);
            sendMove(box->btnOk);
            sendPress(box->imgBackground, QPoint(10, 10));
            sendMove(box->imgBackground, QPoint(40, 25));
            QCOMPARE(box->pos(), centred + QPoint(30, 15));
            // While dragging, the selection is left as it is.
            QVERIFY(box->okHighlighted());
            sendRelease(box->imgBackground, QPoint(40, 25));
            // A label drags the box as the background does.
            sendPress(box->lblText, QPoint(100, 100));
            sendMove(box->lblText, QPoint(95, 120));
            sendRelease(box->lblText, QPoint(95, 120));
            QVERIFY(!box->isDragging());
            dropped = box->pos();
            QCOMPARE(dropped, centred + QPoint(25, 35));
            QTest::mouseClick(box->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("c", "t", 0), 1);
        whenBoxOpens([box, &dropped](QWidget*) {
            QCOMPARE(box->pos(), dropped);
            QTest::mouseClick(box->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("c", "t", 0), 1);
    }

    // A notice that arrives while a question is open (a timer ends the game under the
    // stop question) gets its own box; the question keeps its own answer.
    void noticeUnderAnOpenQuestion() {
        TfrmMessageBox* box = TfrmMessageBox::instance();
        int inner = 0;
        whenBoxOpens([box, &inner](QWidget*) {
            whenBoxOpens([box](QWidget* modal) {
                auto* notice = qobject_cast<TfrmMessageBox*>(modal);
                QVERIFY(notice && notice != box);
                QVERIFY(notice->btnOk->isVisible());
                QCOMPARE(notice->lblCaption->text(), QStringLiteral("Information"));
                QTest::mouseClick(notice->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
            });
            inner = TfrmMessageBox::showMessage("Information", "fin", 0);
            QVERIFY(box->isVisible());
            QVERIFY(box->btnYes->isVisible());
            QTest::mouseClick(box->btnYes, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(TfrmMessageBox::showMessage("Attention !", "?", 4), 6);
        QCOMPARE(inner, 1);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
