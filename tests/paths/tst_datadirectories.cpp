#include "datadirectories.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The lookup rules of the client's data and working directories, on folders
// laid out in a scratch directory: a start directory, an installation and a
// user's home.
class TestDataDirectories : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void file_data();
    void file();
    void workingDirectory_data();
    void workingDirectory();
    void prepareWorkingDirectory();
    void installedDataIsFoundBesideTheProgram();
    void resolveFollowsTheProcessLookup();

private:
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    void make(const QString& relative, const QByteArray& content = QByteArray());

    QTemporaryDir m_dir;
};

void TestDataDirectories::make(const QString& relative, const QByteArray& content)
{
    const QString file = path(relative);
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
}

void TestDataDirectories::init()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).removeRecursively());
    QVERIFY(QDir().mkpath(path(QStringLiteral("start"))));
    make(QStringLiteral("installed/Icons/Player.png"));
    make(QStringLiteral("installed/Maps/World.png"));
    make(QStringLiteral("installed/Scripts/chat.tcl"), "# installed chat\n");
    make(QStringLiteral("installed/Scripts/users.tcl"), "# installed users\n");
}

void TestDataDirectories::file_data()
{
    QTest::addColumn<QStringList>("startHolds");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected"); // relative to the scratch directory

    const QString player = QStringLiteral("Icons/Player.png");
    QTest::newRow("a build's run folder") << QStringList{QStringLiteral("Icons/Player.png")} << true
                                          << player << QStringLiteral("start/Icons/Player.png");
    QTest::newRow("installed, started anywhere")
        << QStringList{} << true << player << QStringLiteral("installed/Icons/Player.png");
    // Folder by folder: the start directory's own Maps/ hides the installed
    // one even for a picture it lacks, while Icons/ still comes installed.
    QTest::newRow("own maps folder")
        << QStringList{QStringLiteral("Maps/Europe.png")} << true
        << QStringLiteral("Maps/World.png") << QStringLiteral("start/Maps/World.png");
    QTest::newRow("own maps, installed icons")
        << QStringList{QStringLiteral("Maps/Europe.png")} << true << player
        << QStringLiteral("installed/Icons/Player.png");
    QTest::newRow("not installed")
        << QStringList{} << false << player << QStringLiteral("start/Icons/Player.png");
    QTest::newRow("a folder nobody has")
        << QStringList{} << true << QStringLiteral("Cards/Joker.png")
        << QStringLiteral("start/Cards/Joker.png");
}

void TestDataDirectories::file()
{
    QFETCH(QStringList, startHolds);
    QFETCH(bool, installed);
    QFETCH(QString, relative);
    QFETCH(QString, expected);
    for (const QString& file : startHolds)
        make(QStringLiteral("start/") + file);
    const DataDirectories directories(path(QStringLiteral("start")),
                                      installed ? path(QStringLiteral("installed")) : QString(),
                                      path(QStringLiteral("home")));
    QCOMPARE(directories.file(relative), path(expected));
    // An absolute path is the file itself, wherever it is.
    QCOMPARE(directories.file(QStringLiteral("/elsewhere/Icons/Player.png")),
             QStringLiteral("/elsewhere/Icons/Player.png"));
}

void TestDataDirectories::workingDirectory_data()
{
    QTest::addColumn<QStringList>("startHolds");
    QTest::addColumn<bool>("userDirectory");
    QTest::addColumn<QString>("expected");

    QTest::newRow("settings file")
        << QStringList{QStringLiteral("tarvenix.cfg")} << true << QStringLiteral("start");
    QTest::newRow("scripts folder")
        << QStringList{QStringLiteral("Scripts/mine.tcl")} << true << QStringLiteral("start");
    QTest::newRow("pictures only")
        << QStringList{QStringLiteral("Icons/Player.png")} << true << QStringLiteral("home");
    // A file called Scripts is no scripts folder.
    QTest::newRow("a file named Scripts")
        << QStringList{QStringLiteral("Scripts")} << true << QStringLiteral("home");
    QTest::newRow("no user directory known") << QStringList{} << false << QStringLiteral("start");
}

void TestDataDirectories::workingDirectory()
{
    QFETCH(QStringList, startHolds);
    QFETCH(bool, userDirectory);
    QFETCH(QString, expected);
    for (const QString& file : startHolds)
        make(QStringLiteral("start/") + file);
    const DataDirectories directories(path(QStringLiteral("start")),
                                      path(QStringLiteral("installed")),
                                      userDirectory ? path(QStringLiteral("home")) : QString());
    QCOMPARE(directories.workingDirectory(), path(expected));
    QCOMPARE(directories.usesUserDirectory(), expected == QLatin1String("home"));
}

void TestDataDirectories::prepareWorkingDirectory()
{
    const DataDirectories directories(path(QStringLiteral("start")),
                                      path(QStringLiteral("installed")),
                                      path(QStringLiteral("home/.local/share/tarvenix")));
    QString error;
    QVERIFY2(directories.prepareWorkingDirectory(&error), qPrintable(error));
    const QDir scripts(path(QStringLiteral("home/.local/share/tarvenix/Scripts")));
    QCOMPARE(scripts.entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("chat.tcl"), QStringLiteral("users.tcl")}));
    QFile chat(scripts.filePath(QStringLiteral("chat.tcl")));
    QVERIFY(chat.open(QIODevice::ReadWrite));
    QCOMPARE(chat.readAll(), QByteArray("# installed chat\n"));
    QVERIFY(chat.permissions() & QFileDevice::WriteOwner);
    // The copy is the user's own now: what he changes or removes stays so on
    // the next start.
    chat.write("# my own\n");
    chat.close();
    QVERIFY(QFile::remove(scripts.filePath(QStringLiteral("users.tcl"))));
    QVERIFY2(directories.prepareWorkingDirectory(&error), qPrintable(error));
    QCOMPARE(scripts.entryList(QDir::Files), QStringList{QStringLiteral("chat.tcl")});
    QVERIFY(chat.open(QIODevice::ReadOnly));
    QCOMPARE(chat.readAll(), QByteArray("# installed chat\n# my own\n"));

    // A start directory set up by hand has nothing made for it.
    make(QStringLiteral("start/tarvenix.cfg"));
    const DataDirectories own(path(QStringLiteral("start")), path(QStringLiteral("installed")),
                              path(QStringLiteral("elsewhere")));
    QVERIFY(own.prepareWorkingDirectory(&error));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("elsewhere"))));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("start/Scripts"))));
}

void TestDataDirectories::installedDataIsFoundBesideTheProgram()
{
    // The layout of an installation under any prefix: games/ beside share/.
    QVERIFY(QDir().mkpath(path(QStringLiteral("prefix/games"))));
    QCOMPARE(DataDirectories::installedDataDirectory(path(QStringLiteral("prefix/games"))),
             QString());
    QVERIFY(QDir().mkpath(path(QStringLiteral("prefix/share/games/tarvenix"))));
    QCOMPARE(DataDirectories::installedDataDirectory(path(QStringLiteral("prefix/games"))),
             path(QStringLiteral("prefix/share/games/tarvenix")));
    // The test program itself is in no installation.
    QCOMPARE(DataDirectories::installedDataDirectory(DataDirectories::programDirectory()),
             QString());
}

void TestDataDirectories::resolveFollowsTheProcessLookup()
{
    QCOMPARE(DataDirectories::resolve(QStringLiteral("Icons/Player.png")),
             QStringLiteral("Icons/Player.png"));
    DataDirectories::setCurrent(DataDirectories(path(QStringLiteral("start")),
                                                path(QStringLiteral("installed")), QString()));
    QCOMPARE(DataDirectories::resolve(QStringLiteral("Icons/Player.png")),
             path(QStringLiteral("installed/Icons/Player.png")));
}

QTEST_GUILESS_MAIN(TestDataDirectories)
#include "tst_datadirectories.moc"
