#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

// An image that acts as a control: a picture or none, an optional see-through key colour,
// a hint, a cursor identifier, a tag, and the mouse as signals. With no picture it paints
// nothing, so whatever lies beneath (the board artwork) shows through.
class ImageControl : public QWidget {
    Q_OBJECT

public:
    explicit ImageControl(QWidget* parent = nullptr);

    // A null pixmap means no picture.
    void setPicture(const QPixmap& picture);
    // The picture is read from the resources (through ArtResource) only when the control
    // is first shown, before it is first painted: a window made at start-up and perhaps
    // never opened holds no picture until then. A picture set meanwhile wins.
    void setPictureOnFirstShow(const QString& resource);
    bool isPictureWaiting() const { return !waitingResource_.isEmpty(); }
    const QPixmap& picture() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }

    // The colour of the picture's bottom-left pixel becomes see-through.
    void setTransparent(bool on);
    bool isTransparent() const { return transparent_; }

    // Resize to the picture whenever one is given.
    void setAutoSize(bool on);

    void setHint(const QString& hint) { setToolTip(hint); }
    QString hint() const { return toolTip(); }

    void setTag(int tag) { tag_ = tag; }
    int tag() const { return tag_; }

signals:
    void mousePressed(Qt::MouseButton button, QPoint pos);
    void mouseMoved(QPoint pos);
    void mouseReleased(Qt::MouseButton button, QPoint pos);
    void clicked();
    void pointerEntered();
    void pointerLeft();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void rebuildShown();

    QPixmap picture_;
    QPixmap shown_;
    QString waitingResource_;
    bool transparent_ = false;
    bool autoSize_ = false;
    bool pressedInside_ = false;
    int tag_ = 0;
};
