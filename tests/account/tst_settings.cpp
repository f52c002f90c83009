#include "settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The configuration file: reading rules, the entry operations, and the save.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void reading_data();
    void reading();
    void onlyChangesAreSaved();
    void saveWritesANewPrivateFile();
    void fullDiskKeepsTheOldFile();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("tarvenix.cfg")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSettings::reading_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    // Section, key and expected value in UTF-8; no expected value means absent.
    auto row = [](const char* name, const QByteArray& content, const char* section,
                  const QByteArray& key, const QByteArray& expected = "<absent>") {
        QTest::newRow(name) << content << QString::fromUtf8(section) << QString::fromUtf8(key)
                            << QString::fromUtf8(expected);
    };
    // The six ASCII blanks are trimmed; Latin-1 has blanks of its own, which
    // are not.
    row("the six ASCII blanks", "[ s ]\r\n\t\vk\f=\tv\t\r\n", "s", "k", "v");
    row("no-break space and next-line character stay, as Latin-1",
        "[s]\n\x85key=J\xe9r\xf4me\xa0\n", "s", "\u0085key", "J\u00e9r\u00f4me\u00a0");
    row("blank lines and a file without final newline", "\n\n[s]\n\n   \nk=v", "s", "k", "v");
    row("split at the first equals sign", "[s]\nk=a=b\n", "s", "k", "a=b");
    row("line without equals is key and value", "[s]\nlonely word\n", "s", "lonely word",
        "lonely word");
    row("entries before the first header are ignored", "nickname=early\n[login]\n", "login",
        "nickname");
    row("unclosed bracket is an entry of the current section", "[s]\n[t=x\n", "s", "[t", "x");
    row("repeated header continues the section, the last value holds",
        "[s]\na=1\n[t]\nb=2\n[s]\na=3\n", "s", "a", "3");
    // A line is read in pieces of at most 4095 bytes; the rest of a longer
    // one becomes an entry of its own.
    const QByteArray longLine = "[s]\nk=" + QByteArray(6000, 'v') + "\nnext=1\n";
    row("a long line's first piece", longLine, "s", "k", QByteArray(4093, 'v'));
    row("a long line's rest", longLine, "s", QByteArray(1907, 'v'), QByteArray(1907, 'v'));
    row("the line after a long one", longLine, "s", "next", "1");
}

void TestSettings::reading()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    writeFile(path(), content);
    Settings settings(path());
    QCOMPARE(settings.value(section, key, QStringLiteral("<absent>")), expected);
}

// Reading, and removing from a section that is not there, leave the file
// as it was (an absent one absent); every other change marks it for the save.
void TestSettings::onlyChangesAreSaved()
{
    const QString login = QStringLiteral("login");
    const QString nothing = QStringLiteral("nothing");
    Settings{path()};
    QVERIFY(!QFile::exists(path()));

    const QByteArray original("stray\n[login]\n  nickname = bob\n");
    writeFile(path(), original);
    {
        Settings settings(path());
        settings.value(login, QStringLiteral("nickname"));
        settings.removeValue(nothing, QStringLiteral("here"));
        QVERIFY(!settings.isModified());
        QVERIFY(!settings.section(nothing, false));
    }
    QCOMPARE(readFile(path()), original);

    Settings removing(path());
    removing.removeValue(login, QStringLiteral("absent"));
    QVERIFY2(removing.isModified(), "removing from an existing section marks the file");
}

// The save writes every entry and section into a new file and renames it
// over the old one: a second name for the old file keeps the old content,
// as writing in place would not. The new file is private whatever the umask,
// though others could read the old one.
void TestSettings::saveWritesANewPrivateFile()
{
    const QByteArray old(
        "stray=line\n[login]\nnickname=old\npassword=pw\n[empty]\n[misc]\nlonely\n");
    writeFile(path(), old);
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString link = m_dir->filePath(QStringLiteral("linked.cfg"));
    QCOMPARE(::link(QFile::encodeName(path()).constData(), QFile::encodeName(link).constData()), 0);
    const mode_t mask = ::umask(0);
    {
        Settings settings(path());
        settings.setValue(QStringLiteral("login"), QStringLiteral("nickname"),
                          QString::fromUtf8("J\u00e9r\u00f4me"));
        settings.removeValue(QStringLiteral("login"), QStringLiteral("password"));
    }
    ::umask(mask);
    QCOMPARE(readFile(link), old);
    // Sections and entries in name order, every section, an empty one too,
    // followed by one blank line.
    QCOMPARE(readFile(path()),
             QByteArray("[empty]\n\n"
                        "[login]\nnickname=J\xe9r\xf4me\n\n[misc]\nlonely=lonely\n\n"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    struct stat info = {};
    QCOMPARE(::stat(QFile::encodeName(path()).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0600));
}

void TestSettings::fullDiskKeepsTheOldFile()
{
    const QByteArray oldFile("[login]\nnickname=old\n");
    writeFile(path(), oldFile);

    // A file size limit makes the save run out of room the way a full disk
    // does, and holds for root too.
    rlimit old = {};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = true;
    {
        Settings settings(path());
        settings.setValue(QStringLiteral("login"), QStringLiteral("nickname"),
                          QString(200, QLatin1Char('n')));
        saved = settings.save();
        QVERIFY(settings.isModified());
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    // The old file is untouched and no temporary file is left beside it.
    QVERIFY(!saved);
    QCOMPARE(readFile(path()), oldFile);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
