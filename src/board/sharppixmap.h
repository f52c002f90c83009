#pragma once

#include <QPixmap>
#include <QString>

// The picture at path, or its twice-as-large copy "name@2x.png" where the
// device has the pixels for it, so that pictures stay sharp on a HiDPI screen.
// Either way the pixmap's device-independent size is that of the plain file.
QPixmap sharpPixmap(const QString& path, qreal devicePixelRatio);

// The device-independent size sharpPixmap(path, 2) gives, read from the
// file's header without decoding the picture; empty when there is none.
QSize sharpPixmapSize(const QString& path);
