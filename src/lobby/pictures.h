#pragma once

#include <QPixmap>
#include <QString>

// Process-wide cache of the small pictures the lists and bars draw, keyed by
// file name relative to the working directory. A picture is loaded on first
// use and kept until the program ends; a missing file is remembered as a null
// pixmap, so it is looked for only once and simply not drawn.
namespace Pictures {
const QPixmap& pixmap(const QString& fileName);
}
