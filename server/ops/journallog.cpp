#include "journallog.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <sys/stat.h>

namespace {

int priorityOf(QtMsgType type)
{
    // syslog's levels: 2 critical, 3 error, 4 warning, 6 informational,
    // 7 debug.
    switch (type) {
    case QtDebugMsg:
        return 7;
    case QtInfoMsg:
        return 6;
    case QtWarningMsg:
        return 4;
    case QtCriticalMsg:
        return 3;
    case QtFatalMsg:
        return 2;
    }
    return 6;
}

void toJournal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QByteArray prefix = '<' + QByteArray::number(priorityOf(type)) + '>';
    QByteArray out;
    // Every line of a message is an entry of its own in the journal.
    for (const QString& line : qFormatLogMessage(type, context, message).split(QLatin1Char('\n')))
        out += prefix + line.toUtf8() + '\n';
    std::fwrite(out.constData(), 1, size_t(out.size()), stderr);
    std::fflush(stderr);
}

} // namespace

bool JournalLog::isJournal()
{
    const QByteArray stream = qgetenv("JOURNAL_STREAM");
    const QList<QByteArray> parts = stream.split(':');
    if (parts.size() != 2)
        return false;
    struct stat st
    {};
    if (::fstat(2, &st) != 0)
        return false;
    bool devOk = false;
    bool inodeOk = false;
    const qulonglong device = parts[0].toULongLong(&devOk);
    const qulonglong inode = parts[1].toULongLong(&inodeOk);
    return devOk && inodeOk && device == qulonglong(st.st_dev) && inode == qulonglong(st.st_ino);
}

bool JournalLog::install()
{
    if (!isJournal())
        return false;
    qSetMessagePattern(QStringLiteral("%{message}"));
    qInstallMessageHandler(toJournal);
    return true;
}
