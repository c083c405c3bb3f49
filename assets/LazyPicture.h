#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// A picture from the resources that is read (through ArtResource) the first time it is
// asked for and kept from then on. Pictures a player may never see, such as a button's
// highlight, cost nothing until they are needed; their size is known before that from
// the file's header alone.
class LazyPicture {
public:
    LazyPicture() = default;
    explicit LazyPicture(const QString& resource);

    // The picture, read now if it has not been; null when it is missing.
    const QPixmap& picture() const;
    bool isRead() const { return read_; }
    // The size in logical pixels, taken from the header without reading the picture;
    // empty when it is missing.
    QSize logicalSize() const;

private:
    QString resource_;
    // Reading on demand does not change what the holder stands for.
    mutable QPixmap picture_;
    mutable bool read_ = false;
};
