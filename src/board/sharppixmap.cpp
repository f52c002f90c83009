#include "sharppixmap.h"

#include "datadirectories.h"

QPixmap sharpPixmap(const QString& relativePath, qreal devicePixelRatio)
{
    const QString path = DataDirectories::resolve(relativePath);
    if (devicePixelRatio > 1 && path.endsWith(QLatin1String(".png"))) {
        QString doubled = path;
        doubled.insert(doubled.size() - 4, QLatin1String("@2x"));
        QPixmap sharp(doubled);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2);
            return sharp;
        }
    }
    return QPixmap(path);
}
