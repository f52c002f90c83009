#include "sharppixmap.h"

#include "datadirectories.h"

#include <QImageReader>

namespace {

QString doubledPath(const QString& path)
{
    if (!path.endsWith(QLatin1String(".png")))
        return {};
    QString doubled = path;
    return doubled.insert(doubled.size() - 4, QLatin1String("@2x"));
}

} // namespace

QPixmap sharpPixmap(const QString& relativePath, qreal devicePixelRatio)
{
    const QString path = DataDirectories::resolve(relativePath);
    if (devicePixelRatio > 1 && path.endsWith(QLatin1String(".png"))) {
        QPixmap sharp(doubledPath(path));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QPixmap(path);
}

QSize sharpPixmapSize(const QString& relativePath)
{
    const QString path = DataDirectories::resolve(relativePath);
    const QString doubled = doubledPath(path);
    if (!doubled.isEmpty()) {
        const QSize large = QImageReader(doubled).size();
        if (large.isValid())
            return large / 2;
    }
    const QSize plain = QImageReader(path).size();
    return plain.isValid() ? plain : QSize();
}
