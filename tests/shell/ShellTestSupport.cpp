#include "ShellTestSupport.h"

#include "CursorRegistry.h"
#include "ImageControl.h"
#include "TfrmMessageBox.h"
#include "TfrmPrincipale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

void initShellTests() {
    Q_INIT_RESOURCE(bramidou_assets);
    CursorRegistry::loadProgramCursors();
    TfrmPrincipale::setStartupPauseMs(0);
}

static void sendMouse(QWidget* control, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, control->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(control, &event);
}

void sendMove(QWidget* control, QPoint pos) {
    sendMouse(control, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

void sendPress(QWidget* control, QPoint pos) {
    sendMouse(control, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}

void sendRelease(QWidget* control, QPoint pos) {
    sendMouse(control, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

TfrmMessageBox* openMessageBox() {
    return qobject_cast<TfrmMessageBox*>(QApplication::activeModalWidget());
}

void whenBoxOpens(std::function<void(QWidget*)> action) {
    auto* poll = new QTimer;
    auto* before = QApplication::activeModalWidget();
    QObject::connect(poll, &QTimer::timeout, [poll, before, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        QPointer<QWidget> guard(modal);
        action(modal);
        // A failed check returns early; answer the box anyway so the test ends instead of
        // waiting in its modal loop.
        if (!guard || !guard->isVisible())
            return;
        if (auto* box = qobject_cast<TfrmMessageBox*>(guard.data())) {
            ImageControl* button = box->btnOk->isVisible() ? box->btnOk : box->btnNo;
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        } else if (auto* dialog = qobject_cast<QDialog*>(guard.data())) {
            dialog->done(0);
        }
    });
    poll->start(10);
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return done();
}
