#include "CursorRegistry.h"
#include "ImageControl.h"
#include "ShellTestSupport.h"
#include "TfrmAbout.h"
#include "TfrmPrincipale.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QUrl>

// Stands in for the desktop's browser and mail program: Qt hands it every address the
// window opens, instead of starting a program.
class RecordingOpener : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

namespace {

QImage pictureOf(const ImageControl* control) {
    return control->picture().toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage okSel() {
    return QImage(QStringLiteral(":/art/about/OkSEL.png")).convertToFormat(QImage::Format_ARGB32);
}

void click(QWidget* control) {
    sendPress(control, QPoint(3, 3));
    sendRelease(control, QPoint(3, 3));
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

    RecordingOpener opener;
    TfrmAbout* about = nullptr;

private slots:
    void initTestCase() {
        initShellTests();
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &opener, "open");
        about = new TfrmAbout;
        applyProgramCursors(about);
    }

    void cleanupTestCase() {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        delete about;
    }

    void init() { opener.opened.clear(); }

    void centredAtFirstShowingOnlyThenReopenedWhereLeft() {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        about->show();
        QCOMPARE(about->size(), QSize(440, 260));
        QCOMPARE(about->pos(), QPoint((screen.width() - 440) / 2, (screen.height() - 260) / 2));
        about->move(12, 34);
        about->hide();
        about->show();
        QCOMPARE(about->pos(), QPoint(12, 34));
        about->hide();
    }

    // Clicking each link hands the desktop exactly the text the window built.
    void linksReachTheOpener_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected");
        const QString web = QStringLiteral("http://vurmont.example.com");
        QTest::newRow("web address") << "lblUrlAddress" << web;
        QTest::newRow("maker's notice") << "imgCopyright" << web;
        QTest::newRow("association badge") << "imgAfas"
                                           << "http://www.example.org/rizi/";
        QTest::newRow("first e-mail") << "lblEmail1"
                                      << "mailto:bramidou@example.com?subject=Les Bramidou";
        QTest::newRow("second e-mail") << "lblEmail2"
                                       << "mailto:vurmont.soft@example.com?subject=Les Bramidou";
    }

    void linksReachTheOpener() {
        QFETCH(QString, control);
        QFETCH(QString, expected);
        about->show();
        auto* widget = about->findChild<QWidget*>(control);
        QVERIFY2(widget, qPrintable(control));
        click(widget);
        QCOMPARE(opener.opened.size(), 1);
        const QUrl url = opener.opened.first();
        QCOMPARE(url.toString(), expected);
        if (url.scheme() == QLatin1String("mailto")) {
            QCOMPARE(url.path(), qobject_cast<QLabel*>(widget)->text());
            QCOMPARE(url.query(QUrl::FullyDecoded), QStringLiteral("subject=Les Bramidou"));
        }
        // The window stays as it was, whatever the desktop did with the address.
        QVERIFY(about->isVisible());
        about->hide();
    }

    void linksLookAndHintsAsQuoted() {
        const struct {
            QWidget* control;
            const char* hint;
        } rows[] = {
            {about->lblEmail1, "Envoyer un message"},
            {about->lblEmail2, "Envoyer un message"},
            {about->lblUrlAddress, "Se connecter au site de Vurmont Soft"},
            {about->imgCopyright, "Se connecter au site de Vurmont Soft"},
            {about->imgAfas, "Se connecter au site de l'R.I.Z.I."},
        };
        for (const auto& row : rows) {
            QCOMPARE(row.control->toolTip(), QString::fromUtf8(row.hint));
            QCOMPARE(cursorId(row.control), int(CursorId::HandPoint));
        }
        for (QLabel* link : {about->lblEmail1, about->lblEmail2, about->lblUrlAddress}) {
            QVERIFY(link->font().underline());
            QVERIFY(link->styleSheet().contains(QStringLiteral("aqua")));
            // Sized to its text, so the click area ends where the address does.
            QCOMPARE(link->width(), link->sizeHint().width());
            // and the whole address lies on the window's contact panel.
            QVERIFY2(link->geometry().right() < 432, qPrintable(link->text()));
        }
        QCOMPARE(about->lblPostalAddress->text().count(QLatin1Char('\n')), 3);
    }

    void okHighlightFollowsThePointer() {
        about->show();
        QVERIFY(!about->btnOk->hasPicture());
        sendMove(about->btnOk);
        QCOMPARE(pictureOf(about->btnOk), okSel());
        sendMove(about->imgBackground, QPoint(200, 120));
        QVERIFY(!about->btnOk->hasPicture());
        QVERIFY(!about->okHighlighted());
        sendMove(about->btnOk);
        QVERIFY(about->okHighlighted());
        // A link label counts as the window's surface for the hover.
        sendMove(about->lblEmail2);
        QVERIFY(!about->btnOk->hasPicture());
        about->hide();
    }

    // Closed while highlighted, the window reopens with a plain button that highlights
    // again at the first move over it.
    void reopenedAfterCloseWhileHighlighted() {
        about->show();
        sendMove(about->btnOk);
        QVERIFY(about->btnOk->hasPicture());
        about->hide();
        about->show();
        QVERIFY(!about->btnOk->hasPicture());
        sendMove(about->btnOk);
        QVERIFY(about->btnOk->hasPicture());
        about->hide();
    }

    void dragRules_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("drags");
        QTest::newRow("background") << "imgBackground" << true;
        QTest::newRow("postal contact") << "lblPostalAddress" << true;
        QTest::newRow("e-mail link") << "lblEmail1" << false;
        QTest::newRow("web link") << "lblUrlAddress" << false;
    }

    void dragRules() {
        QFETCH(QString, control);
        QFETCH(bool, drags);
        about->show();
        about->move(100, 100);
        auto* widget = about->findChild<QWidget*>(control);
        QVERIFY(widget);
        sendPress(widget, QPoint(4, 4));
        QCOMPARE(about->isDragging(), drags);
        sendMove(widget, QPoint(14, 9));
        QCOMPARE(about->pos(), drags ? QPoint(110, 105) : QPoint(100, 100));
        sendRelease(widget, QPoint(14, 9));
        QVERIFY(!about->isDragging());
        about->hide();
    }

    void okClosesTheModalWindow() {
        whenBoxOpens([this](QWidget* modal) {
            QCOMPARE(modal, static_cast<QWidget*>(about));
            QTest::mouseClick(about->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
        });
        QCOMPARE(about->exec(), int(QDialog::Accepted));
        QVERIFY(!about->isVisible());
    }

    // A and F5 show this window modally, also during a game, which goes on behind it; with
    // Alt alone the keys do nothing.
    void aboutKeysOfTheMainWindow() {
        TfrmPrincipale main;
        main.engine().startNewGame();
        for (int key : {int(Qt::Key_A), int(Qt::Key_F5)}) {
            bool shown = false;
            whenBoxOpens([this, &shown](QWidget* modal) {
                shown = modal == about;
                QTest::mouseClick(about->btnOk, Qt::LeftButton, {}, QPoint(5, 5));
            });
            main.FormKeyUp(key, Qt::NoModifier);
            QVERIFY(shown);
            QVERIFY(!about->isVisible());
            QVERIFY(main.engine().state().gameInProgress);
        }
        main.FormKeyUp(Qt::Key_A, Qt::AltModifier);
        QVERIFY(!about->isVisible());
        main.engine().stopGame();
    }

    // The contacts must never point at a real person or company.
    void contactsUseReservedDomains() {
        for (QLabel* link : {about->lblEmail1, about->lblEmail2, about->lblUrlAddress}) {
            const QString text = link->text();
            const QString host = text.contains(QLatin1Char('@')) ? text.section(QLatin1Char('@'), 1)
                                                                 : QUrl(text).host();
            QVERIFY2(host.endsWith(QLatin1String("example.com")) ||
                         host.endsWith(QLatin1String("example.org")),
                     qPrintable(text));
        }
        QCOMPARE(QUrl(QString::fromUtf8(TfrmAbout::associationUrl)).host(),
                 QStringLiteral("www.example.org"));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
