#include "AppSettings.h"
#include "ArtResource.h"
#include "ImageControl.h"
#include "InMemoryDisc.h"
#include "ShellTestSupport.h"
#include "TfrmAbout.h"
#include "TfrmCDPlayer.h"
#include "TfrmConfigurer.h"
#include "TfrmMessageBox.h"
#include "TfrmPrincipale.h"

#include <QEvent>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Notes whether the control had its picture when it was first painted.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget* control) { control->installEventFilter(this); }

    bool painted = false;
    bool hadPicture = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            hadPicture = static_cast<ImageControl*>(watched)->hasPicture();
        }
        return false;
    }
};

struct Dialog {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
    std::function<ImageControl*(QWidget*)> face;
    QSize size;
};

} // namespace

// The windows made at start-up read their large faces only when first shown. The face
// must still be there for the first paint and give the window its size, at both scales.
class TestDialogFaces : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { initShellTests(); }

    void facesComeWithTheFirstShowing() {
        const Dialog dialogs[] = {
            {"settings",
             [] { return std::make_unique<TfrmConfigurer>(); },
             [](QWidget* w) { return static_cast<TfrmConfigurer*>(w)->imgConfiguration; },
             {320, 260}},
            {"about",
             [] { return std::make_unique<TfrmAbout>(); },
             [](QWidget* w) { return static_cast<TfrmAbout*>(w)->imgBackground; },
             {440, 260}},
            {"message box",
             [] { return std::make_unique<TfrmMessageBox>(); },
             [](QWidget* w) { return static_cast<TfrmMessageBox*>(w)->imgBackground; },
             {440, 260}},
            {"CD player",
             [] { return std::make_unique<TfrmCDPlayer>(std::make_unique<InMemoryBackend>()); },
             [](QWidget* w) { return static_cast<TfrmCDPlayer*>(w)->imgBackground; },
             {150, 220}},
        };
        for (const Dialog& d : dialogs) {
            const std::unique_ptr<QWidget> window = d.make();
            ImageControl* face = d.face(window.get());
            QVERIFY2(!face->hasPicture() && face->isPictureWaiting(), d.name);

            FirstPaintWatcher watcher(face);
            window->show();
            QVERIFY2(QTest::qWaitForWindowExposed(window.get()), d.name);
            QVERIFY2(waitUntil([&] { return watcher.painted; }, 2000), d.name);
            QVERIFY2(watcher.hadPicture, d.name);
            QVERIFY2(!face->isPictureWaiting(), d.name);
            QCOMPARE(ArtResource::logicalSize(face->picture()), d.size);
            QCOMPARE(face->picture().devicePixelRatio(), double(ArtResource::ratio()));
            QCOMPARE(window->size(), d.size);

            // Shown again, the window keeps the picture it has rather than reading it anew.
            const qint64 first = face->picture().cacheKey();
            window->hide();
            window->show();
            QCOMPARE(face->picture().cacheKey(), first);
            window->hide();
        }
    }

    // The main window reads its die faces and button highlights when first needed: none
    // at start-up, then the one a hover or a throw shows, in place for its first paint
    // and kept from then on.
    void mainWindowPicturesComeWhenFirstNeeded() {
        QTemporaryDir dir;
        appSettings().settingsPath = dir.filePath(QStringLiteral("bramidou.ini")).toStdString();
        appSettings().soundOn = false;
        for (int c = 1; c <= 4; ++c)
            appSettings().playerKind[c] = PlayerKind::Human;
        TfrmPrincipale w;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const int ratio = ArtResource::ratio();

        for (int face = 1; face <= 6; ++face)
            QVERIFY(!w.dieFace(face).isRead());
        for (ImageControl* b :
             {w.Bminimize, w.Bconfiguration, w.Bapropos, w.Bafas, w.Bcdaudio, w.Bcharger, w.Bsauver,
              w.Bnouveau, w.Bquitter, w.Bhelp, w.Barret, w.BJaune, w.BVert, w.BBleu, w.BRouge}) {
            QVERIFY2(!w.highlightOf(b).isRead(), qPrintable(b->objectName()));
            QVERIFY2(!b->size().isEmpty(), qPrintable(b->objectName()));
        }

        sendMove(w.Bcharger);
        QVERIFY(w.highlightOf(w.Bcharger).isRead());
        QVERIFY(!w.highlightOf(w.Bsauver).isRead());
        const qint64 highlight = w.Bcharger->picture().cacheKey();
        QCOMPARE(highlight, w.highlightOf(w.Bcharger).picture().cacheKey());
        QCOMPARE(w.Bcharger->picture().size(), w.Bcharger->size() * ratio);
        QCOMPARE(w.Bcharger->picture().devicePixelRatio(), double(ratio));
        sendMove(w.ecran);
        QVERIFY(!w.Bcharger->hasPicture());
        sendMove(w.Bcharger);
        QCOMPARE(w.Bcharger->picture().cacheKey(), highlight);

        FirstPaintWatcher watcher(w.Des);
        w.BnouveauClick();
        QVERIFY(w.BJaune->hasPicture()); // lit for the throw, its picture read for it
        sendPress(w.BJaune);
        sendRelease(w.BJaune);
        const int value = w.engine().state().dieValue;
        QVERIFY(value >= 1 && value <= 6);
        QVERIFY(w.Des->isVisible());
        QVERIFY(waitUntil([&] { return watcher.painted; }, 2000));
        QVERIFY(watcher.hadPicture);
        for (int face = 1; face <= 6; ++face)
            QCOMPARE(w.dieFace(face).isRead(), face == value);
        QCOMPARE(w.Des->picture().cacheKey(), w.dieFace(value).picture().cacheKey());
        QCOMPARE(w.Des->picture().size(), w.Des->size() * ratio);
    }
};

QTEST_MAIN(TestDialogFaces)
#include "tst_dialogfaces.moc"
