#include "ModalWindows.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

void ModalWindows::keepAbove(QWidget* mainWindow) {
    if (mainWindow != nullptr && qApp != nullptr)
        qApp->installEventFilter(new ModalWindows(mainWindow));
}

ModalWindows::ModalWindows(QWidget* mainWindow) : QObject(mainWindow), main_(mainWindow) {}

bool ModalWindows::eventFilter(QObject* watched, QEvent* event) {
    // The show event comes before the window is mapped, while its owner can still be set.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || !window->isModal() || window == main_ || main_.isNull())
        return false;
    // A window made with a parent already belongs to it.
    if (window->parentWidget() != nullptr)
        return false;
    // Nested boxes (a notice over the stop question) stack above the one already open.
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr || owner == window || !owner->isVisible())
        owner = main_;
    QWindow* handle = window->windowHandle();
    QWindow* ownerHandle = owner->windowHandle();
    if (handle != nullptr && ownerHandle != nullptr)
        handle->setTransientParent(ownerHandle);
    return false;
}
