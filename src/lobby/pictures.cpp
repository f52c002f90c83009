#include "pictures.h"

#include "datadirectories.h"

#include <QHash>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPictures, "tarvenix.lobby.pictures", QtWarningMsg)

namespace Pictures {

const QPixmap& pixmap(const QString& fileName)
{
    // Never destroyed: the cache must outlive every widget that paints from it,
    // including those torn down after main() returns.
    static auto* cache = new QHash<QString, QPixmap>;
    auto it = cache->find(fileName);
    if (it == cache->end()) {
        QPixmap picture(DataDirectories::resolve(fileName));
        if (picture.isNull())
            qCDebug(lcPictures) << "picture not found:" << fileName;
        it = cache->insert(fileName, picture);
    }
    return *it;
}

} // namespace Pictures
