#pragma once

// The start-up probe's one line of output, written by the program and by
// the bare dialog it is measured against, so that both report alike: the
// moment the login dialog was on screen and the resident memory then.

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>

#include <cstdio>

inline void reportStartupAndQuit()
{
    QByteArray rss = "?";
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                rss = line.mid(6).simplified();
        }
    }
    std::printf("login-shown-ms %lld\nvmrss %s\n",
                static_cast<long long>(QDateTime::currentMSecsSinceEpoch()), rss.constData());
    std::fflush(stdout);
    QCoreApplication::quit();
}
