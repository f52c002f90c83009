#include "coloreditor.h"
#include "colorsample.h"
#include "configdialog.h"
#include "fontsconfig.h"
#include "logindialog.h"
#include "registerdialog.h"
#include "settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <functional>
#include <memory>
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

// The configuration file: reading rules, the entry operations and the save,
// on a file of its own beside the program's. The account's dialogs: the
// login and registration forms, the configuration window's seat colours and
// the fonts kept in the settings file.
class TestAccount : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void reading_data();
    void reading();
    void onlyChangesAreSaved();
    void saveWritesANewPrivateFile();
    void fullDiskKeepsTheOldFile();

    void loginStoresOrRemoves();
    void setNickname();
    void longFieldLabels();
    void loginConnecting();

    void registrationMarks_data();
    void registrationMarks();
    void registrationConnectingAndRefusal();
    void registrationLiveMarks();

    void editingASeat();
    void fontsReturnAtTheNextStart();

private:
    QString path() const { return m_dir->filePath(QStringLiteral("tarvenix.cfg")); }
    // The file tests' own folder and file, away from the program's.
    QString own() const { return m_dir->filePath(QStringLiteral("own")); }
    QString ownPath() const { return own() + QStringLiteral("/tarvenix.cfg"); }
    void writeConfig(const QByteArray& content);
    static void fillRegistration(RegisterDialog& dialog);
    template <typename T> static T* child(QWidget& parent, const char* name)
    {
        return parent.findChild<T*>(QLatin1String(name));
    }
    static QLineEdit* edit(QWidget& dialog, const char* name)
    {
        return child<QLineEdit>(dialog, name);
    }
    static void click(QWidget& dialog, const char* button)
    {
        QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
    }
    template <typename Dialog, typename Signal>
    static void connecting(Dialog& dialog, const char* cancelButton, Signal cancelSignal,
                           const std::function<void()>& fail);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
};

void TestAccount::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid() && QDir().mkpath(own()));
    writeConfig({});
}

void TestAccount::writeConfig(const QByteArray& content)
{
    m_settings.reset();
    writeFile(path(), content);
    m_settings = std::make_unique<Settings>(path());
}

void TestAccount::reading_data()
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

void TestAccount::reading()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    writeFile(ownPath(), content);
    Settings settings(ownPath());
    QCOMPARE(settings.value(section, key, QStringLiteral("<absent>")), expected);
}

// Reading, and removing from a section that is not there, leave the file
// as it was (an absent one absent); every other change marks it for the save.
void TestAccount::onlyChangesAreSaved()
{
    const QString login = QStringLiteral("login");
    const QString nothing = QStringLiteral("nothing");
    Settings{ownPath()};
    QVERIFY(!QFile::exists(ownPath()));

    const QByteArray original("stray\n[login]\n  nickname = bob\n");
    writeFile(ownPath(), original);
    {
        Settings settings(ownPath());
        settings.value(login, QStringLiteral("nickname"));
        settings.removeValue(nothing, QStringLiteral("here"));
        QVERIFY(!settings.isModified());
        QVERIFY(!settings.section(nothing, false));
    }
    QCOMPARE(readFile(ownPath()), original);

    Settings removing(ownPath());
    removing.removeValue(login, QStringLiteral("absent"));
    QVERIFY2(removing.isModified(), "removing from an existing section marks the file");
}

// The save writes every entry and section into a new file and renames it
// over the old one: a second name for the old file keeps the old content,
// as writing in place would not. The new file is private whatever the umask,
// though others could read the old one.
void TestAccount::saveWritesANewPrivateFile()
{
    const QByteArray old(
        "stray=line\n[login]\nnickname=old\npassword=pw\n[empty]\n[misc]\nlonely\n");
    writeFile(ownPath(), old);
    QFile::setPermissions(ownPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const QString link = own() + QStringLiteral("/linked.cfg");
    QCOMPARE(::link(QFile::encodeName(ownPath()).constData(), QFile::encodeName(link).constData()),
             0);
    const mode_t mask = ::umask(0);
    {
        Settings settings(ownPath());
        settings.setValue(QStringLiteral("login"), QStringLiteral("nickname"),
                          QString::fromUtf8("J\u00e9r\u00f4me"));
        settings.removeValue(QStringLiteral("login"), QStringLiteral("password"));
    }
    ::umask(mask);
    QCOMPARE(readFile(link), old);
    // Sections and entries in name order, every section, an empty one too,
    // followed by one blank line.
    QCOMPARE(readFile(ownPath()),
             QByteArray("[empty]\n\n"
                        "[login]\nnickname=J\xe9r\xf4me\n\n[misc]\nlonely=lonely\n\n"));
    QCOMPARE(QDir(own()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    struct stat info = {};
    QCOMPARE(::stat(QFile::encodeName(ownPath()).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0600));
}

void TestAccount::fullDiskKeepsTheOldFile()
{
    const QByteArray oldFile("[login]\nnickname=old\n");
    writeFile(ownPath(), oldFile);

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
        Settings settings(ownPath());
        settings.setValue(QStringLiteral("login"), QStringLiteral("nickname"),
                          QString(200, QLatin1Char('n')));
        saved = settings.save();
        QVERIFY(settings.isModified());
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    // The old file is untouched and no temporary file is left beside it.
    QVERIFY(!saved);
    QCOMPARE(readFile(ownPath()), oldFile);
    QCOMPARE(QDir(own()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestAccount::fillRegistration(RegisterDialog& dialog)
{
    for (const char* name : {"NameEdit", "FirstNameEdit", "LastNameEdit", "AddressEdit",
                             "ZipcodeEdit", "CityEdit", "StateEdit", "CountryEdit", "EmailEdit"})
        edit(dialog, name)->setText(QString::fromLatin1(name).chopped(4));
    edit(dialog, "PasswordEdit")->setText(QStringLiteral("secret"));
    edit(dialog, "VerifyEdit")->setText(QStringLiteral("secret"));
}

// Login stores what was typed, trimmed, or removes the stored login, as the
// box says; the next start reads it back from the file.
void TestAccount::loginStoresOrRemoves()
{
    for (bool store : {true, false}) {
        writeConfig("[login]\nnickname=Old\npassword=oldpw\n");
        {
            LoginDialog dialog;
            QCOMPARE(dialog.nickname(), QStringLiteral("Old"));
            QCOMPARE(dialog.password(), QStringLiteral("oldpw"));
            QVERIFY(child<QCheckBox>(dialog, "_storeBox")->isChecked());
            child<QCheckBox>(dialog, "_storeBox")->setChecked(store);
            edit(dialog, "_nickname")->setText(QStringLiteral(" New "));
            edit(dialog, "_password")->setText(QStringLiteral("pw"));
            QSignalSpy login(&dialog, &LoginDialog::loginClick);
            dialog.show();
            QTest::keyClick(edit(dialog, "_password"), Qt::Key_Return);
            QCOMPARE(login.size(), 1);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        m_settings.reset();
        const Settings reread(path());
        const QString absent = QStringLiteral("<absent>");
        const QString login = QStringLiteral("login");
        QCOMPARE(reread.value(login, QStringLiteral("nickname"), absent),
                 store ? QStringLiteral("New") : absent);
        QCOMPARE(reread.value(login, QStringLiteral("password"), absent),
                 store ? QStringLiteral("pw") : absent);
    }
}

// The server's spelling of the nickname replaces the stored one while the
// login is stored, and never stores a password typed but not confirmed.
void TestAccount::setNickname()
{
    const struct
    {
        bool store;
        const char* name;
        const char* stored;
        bool modified;
    } rows[] = {{true, "Rook", "Rook", true}, {false, "Rook", "rook", false}};
    for (const auto& row : rows) {
        writeConfig("[login]\nnickname=rook\npassword=pw\n");
        LoginDialog dialog;
        child<QCheckBox>(dialog, "_storeBox")->setChecked(row.store);
        edit(dialog, "_password")->setText(QStringLiteral("typed but not confirmed"));
        dialog.setNickname(QLatin1String(row.name));
        QCOMPARE(dialog.nickname(), QLatin1String(row.name));
        QCOMPARE(m_settings->isModified(), row.modified);
        QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("nickname")),
                 QLatin1String(row.stored));
        QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("password")),
                 QStringLiteral("pw"));
    }
}

// Cancel and the close control give up a connection attempt and the form
// stays; once the attempt has failed, both cancel.
template <typename Dialog, typename Signal>
void TestAccount::connecting(Dialog& dialog, const char* cancelButton, Signal cancelSignal,
                             const std::function<void()>& fail)
{
    QSignalSpy abort(&dialog, &Dialog::abortClick);
    QSignalSpy cancel(&dialog, cancelSignal);
    auto* form = dialog.template findChild<QLineEdit*>();
    const auto* busy = child<QProgressBar>(dialog, "ConnectBusy");
    dialog.showConnecting(QStringLiteral("10.0.0.7:8822"));
    QVERIFY(dialog.isConnecting() && busy->isVisible() && !form->isEnabled());
    QCOMPARE(child<QLabel>(dialog, "ConnectText")->text(),
             QStringLiteral("Connecting to 10.0.0.7:8822..."));
    click(dialog, cancelButton);
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    QCOMPARE(abort.size(), 2);

    fail();
    QVERIFY(!dialog.isConnecting() && !busy->isVisible() && form->isEnabled());
    QVERIFY(dialog.close());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(cancel.size(), 1);
    QCOMPARE(abort.size(), 2);
}

// Neither giving up nor Register touches the stored login, and Register is
// not Cancel.
void TestAccount::loginConnecting()
{
    // Wherever the focus was when the dialog went, as after a logout, it comes
    // back on Login once both fields are filled, so that Return logs in.
    LoginDialog dialog;
    edit(dialog, "_nickname")->setText(QStringLiteral("Rook"));
    edit(dialog, "_password")->setText(QStringLiteral("pw"));
    dialog.show();
    child<QPushButton>(dialog, "_registerButton")->setFocus();
    dialog.hide();
    dialog.show();
    QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("_loginButton"));

    connecting(dialog, "_cancelButton", &LoginDialog::cancelClick,
               [&] { dialog.showFailure(QStringLiteral("Could not connect: refused")); });
    QSignalSpy cancel(&dialog, &LoginDialog::cancelClick);
    QSignalSpy registration(&dialog, &LoginDialog::registerClick);
    dialog.show();
    click(dialog, "_registerButton");
    QCOMPARE(registration.size(), 1);
    QCOMPARE(cancel.size(), 0);
    QVERIFY(!dialog.isVisible());
    QVERIFY(!m_settings->isModified());
    dialog.clearStatus();
    QVERIFY(!child<QLabel>(dialog, "ConnectText")->isVisible());
}

// A translation whose field labels are far longer than the English ones.
class LongLabels : public QTranslator
{
public:
    explicit LongLabels(const QString& password) : m_password(password) {}
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "LoginDialogUI") != 0)
            return QString();
        if (qstrcmp(source, "&Password:") == 0)
            return m_password;
        if (qstrcmp(source, "&Nickname:") == 0)
            return QStringLiteral("&Pseudo :");
        return QString();
    }
    bool isEmpty() const override { return false; }

private:
    QString m_password;
};

// A translated label takes room from its field; the dialog keeps its size
// and the fields still end where they did. A label longer than half its
// field would leave too little field: the whole dialog grows instead. Every
// label shows its whole text, left of the fields.
void TestAccount::longFieldLabels()
{
    LoginDialogUI english;
    const QRect englishField =
        english.findChild<QLineEdit*>(QStringLiteral("_password"))->geometry();
    for (const bool veryLong : {false, true}) {
        LongLabels translator(veryLong ? QStringLiteral("Mot de pa&sse de votre compte joueur :")
                                       : QStringLiteral("Mot de pa&sse :"));
        QCoreApplication::installTranslator(&translator);
        LoginDialogUI translated;
        QCoreApplication::removeTranslator(&translator);
        if (veryLong)
            QVERIFY(translated.width() > english.width());
        else
            QCOMPARE(translated.size(), english.size());
        const int fieldsLeft = translated.findChild<QLineEdit*>(QStringLiteral("_password"))->x();
        for (const char* name : {"_password", "_nickname"}) {
            const auto* field = translated.findChild<QLineEdit*>(QLatin1String(name));
            if (!veryLong) {
                QCOMPARE(field->geometry().right(), englishField.right());
                QVERIFY(field->width() < englishField.width());
            }
            QVERIFY(field->width() * 2 >= englishField.width());
        }
        for (const char* name : {"_passwordLabel", "_nicknameLabel"}) {
            const auto* label = translated.findChild<QLabel*>(QLatin1String(name));
            QVERIFY2(label->width() >= label->sizeHint().width(), name);
            QVERIFY(label->geometry().right() < fieldsLeft);
        }
    }
}

void TestAccount::registrationMarks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("invalid");
    QTest::addColumn<QString>("words");
    const auto row = [](const char* name, const char* field, const char* value,
                        const QStringList& invalid, const char* words = "") {
        QTest::newRow(name) << field << value << invalid << words;
    };
    const QStringList passwords{QStringLiteral("PasswordLabel"), QStringLiteral("VerifyLabel")};
    row("blanks only count as filled", "CityEdit", "   ", {});
    row("e-mail empty", "EmailEdit", "", {QStringLiteral("EmailLabel")},
        "Please fill in the fields marked in red.");
    row("passwords differ", "VerifyEdit", "Secret", passwords,
        "The two passwords differ: please type the same password twice.");
    row("no password", "PasswordEdit", "", passwords, "Please enter a password and repeat it.");
}

// A form that cannot go marks the labels bold red and says why in words at
// its foot (how the marks and the words go once corrected is the live marks'
// case).
void TestAccount::registrationMarks()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QStringList, invalid);
    QFETCH(QString, words);
    RegisterDialog dialog;
    fillRegistration(dialog);
    edit(dialog, field.toLatin1().constData())->setText(value);
    QSignalSpy registration(&dialog, &RegisterDialog::doRegister);
    dialog.show();
    // Return in the last field is the Register button.
    QTest::keyClick(edit(dialog, "EmailEdit"), Qt::Key_Return);

    const auto marked = [&dialog] {
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (RegisterDialog::isMarkedInvalid(label))
                labels << label->objectName();
        }
        labels.sort();
        return labels;
    };
    QCOMPARE(marked(), invalid);
    QCOMPARE(registration.size(), invalid.isEmpty() ? 1 : 0);
    QCOMPARE(dialog.isVisible(), !invalid.isEmpty());
    const auto* text = dialog.findChild<QLabel*>(QStringLiteral("ConnectText"));
    QCOMPARE(text->isVisible() ? text->text() : QString(), words);
}

// A refused nickname brings the form back with the reason, the focus in
// the nickname.
void TestAccount::registrationConnectingAndRefusal()
{
    RegisterDialog dialog;
    fillRegistration(dialog);
    dialog.show();
    connecting(dialog, "CancelButton", &RegisterDialog::doCancel, [&] {
        dialog.showRefusal(QStringLiteral("Registration failed: invalid nickname"), true);
        QCOMPARE(child<QLabel>(dialog, "ConnectText")->text(),
                 QStringLiteral("Registration failed: invalid nickname"));
        QVERIFY(RegisterDialog::isMarkedInvalid(child<QLabel>(dialog, "NameLabel")));
        QCOMPARE(dialog.focusWidget(), edit(dialog, "NameEdit"));
    });
}

// Every field says it is required before the first try; after a refused
// Register a mark goes as soon as its field is right, and the words at the
// foot with the last mark. Emptying a field again waits for Register.
void TestAccount::registrationLiveMarks()
{
    RegisterDialog dialog;
    dialog.show();
    const QList<QLineEdit*> edits = dialog.findChildren<QLineEdit*>();
    QCOMPARE(edits.size(), 11);
    for (const QLineEdit* e : edits)
        QVERIFY2(!e->placeholderText().isEmpty(), qPrintable(e->objectName()));
    const auto marked = [&dialog] {
        int count = 0;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            count += RegisterDialog::isMarkedInvalid(label) ? 1 : 0;
        return count;
    };
    QCOMPARE(marked(), 0);

    QSignalSpy registration(&dialog, &RegisterDialog::doRegister);
    click(dialog, "RegisterButton");
    QCOMPARE(marked(), 11);
    QTest::keyClicks(edit(dialog, "CityEdit"), QStringLiteral("Oslo"));
    QVERIFY(!RegisterDialog::isMarkedInvalid(child<QLabel>(dialog, "CityLabel")));
    QCOMPARE(marked(), 10);
    // The passwords lose their marks together, once they are equal.
    QTest::keyClicks(edit(dialog, "PasswordEdit"), QStringLiteral("ab"));
    QTest::keyClicks(edit(dialog, "VerifyEdit"), QStringLiteral("a"));
    QVERIFY(RegisterDialog::isMarkedInvalid(child<QLabel>(dialog, "VerifyLabel")));
    QTest::keyClicks(edit(dialog, "VerifyEdit"), QStringLiteral("b"));
    QVERIFY(!RegisterDialog::isMarkedInvalid(child<QLabel>(dialog, "PasswordLabel")));
    QVERIFY(!RegisterDialog::isMarkedInvalid(child<QLabel>(dialog, "VerifyLabel")));
    QCOMPARE(marked(), 8);
    const auto* words = child<QLabel>(dialog, "ConnectText");
    QVERIFY(words->isVisible());
    fillRegistration(dialog);
    QCOMPARE(marked(), 0);
    QVERIFY(!words->isVisible());
    QCOMPARE(registration.size(), 0);

    // Emptied again, a field is marked only by the next Register.
    edit(dialog, "ZipcodeEdit")->clear();
    QCOMPARE(marked(), 0);
    click(dialog, "RegisterButton");
    QCOMPARE(marked(), 1);
    QVERIFY(RegisterDialog::isMarkedInvalid(child<QLabel>(dialog, "ZipcodeLabel")));
    QCOMPARE(registration.size(), 0);
}

// The sliders edit the background or, with the box ticked, the text colour
// of the seat chosen by its sample or its radio button; only Use color
// gives the seat its new colours. Seats outside the six read as white.
void TestAccount::editingASeat()
{
    ConfigDialog dialog;
    dialog.show();
    for (int seat : {-1, 6}) {
        QCOMPARE(dialog.textColor(seat), QColor(Qt::white));
        QCOMPARE(dialog.backgroundColor(seat), QColor(Qt::white));
    }
    QSignalSpy changed(&dialog, &ConfigDialog::colorChanged);
    auto* editor = child<ColorEditor>(dialog, "ColorEditor");
    auto* green = child<QSlider>(dialog, "GreenSlider");
    auto* blue = child<QSlider>(dialog, "BlueSlider");
    const QList<QRadioButton*> radios =
        dialog.findChildren<QRadioButton*>(QStringLiteral("PlayerCheckbox"));
    const QList<ColorSample*> samples =
        dialog.findChildren<ColorSample*>(QStringLiteral("PlayerSample"));
    QCOMPARE(samples[5]->text(), QStringLiteral("Player 6"));
    QCOMPARE(editor->backgroundColor(), QColor(Qt::yellow));
    blue->setValue(128);

    // With the box ticked the sliders hold and edit the text colour.
    auto* textBox = child<QCheckBox>(dialog, "ColorEditorCheckBox");
    textBox->click();
    green->setValue(200);
    QCOMPARE(editor->textColor(), QColor(0, 200, 0));
    textBox->click();

    // Clicking the seat already chosen keeps the edit; a press that leaves
    // the sample before the release is no click.
    QTest::mouseClick(samples[0], Qt::LeftButton);
    QCOMPARE(editor->backgroundColor(), QColor(255, 255, 128));
    QTest::mousePress(samples[2], Qt::LeftButton);
    QTest::mouseRelease(samples[2], Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(radios[0]->isChecked());

    QTest::mouseClick(samples[2], Qt::LeftButton);
    QCOMPARE(editor->backgroundColor(), QColor(Qt::cyan));
    green->setValue(100);
    QVERIFY(changed.isEmpty());
    click(dialog, "ColorEditorPushButton");
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(dialog.backgroundColor(2), QColor(0, 100, 255));
    QCOMPARE(dialog.backgroundColor(0), QColor(Qt::yellow));

    QTest::mouseClick(radios[3], Qt::LeftButton);
    QCOMPARE(editor->backgroundColor(), QColor(Qt::blue));
    click(dialog, "CloseButton");
    QVERIFY(!dialog.isVisible());
}

// Arial (or the family that stands in for it where it is not installed) at
// 8 points, plain, on a fresh start, stored at once; an applied font comes
// back at the next start, and stored values that do not fit leave the
// controls where they were. The fonts worked out without the page, which
// the game output gets before the window is built, are the ones it fires.
void TestAccount::fontsReturnAtTheNextStart()
{
    auto window = std::make_unique<ConfigDialog>();
    // The chat's and the game output's fonts at a start, and beforehand the
    // ones worked out without the page.
    QList<QFont> early;
    const auto fired = [&window, &early] {
        early = {FontsConfig::startupFont(FontsConfig::Chatbox),
                 FontsConfig::startupFont(FontsConfig::GameOutput)};
        QSignalSpy chat(window.get(), &ConfigDialog::chatboxFont);
        QSignalSpy output(window.get(), &ConfigDialog::gameOutputFont);
        window->fireFonts();
        return QList<QFont>{chat.value(0).value(0).value<QFont>(),
                            output.value(0).value(0).value<QFont>()};
    };
    const QString family = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    QList<QFont> fonts = fired();
    QCOMPARE(early, fonts);
    for (const QFont& font : fonts) {
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSize(), 8);
        QVERIFY(!font.bold() && !font.italic());
    }
    QCOMPARE(m_settings->section(QStringLiteral("fonts"))->size(), 8);

    QSignalSpy applied(window.get(), &ConfigDialog::chatboxFont);
    auto* size = child<QComboBox>(*window, "SizeCombo");
    size->setCurrentIndex(size->findText(QStringLiteral("12")));
    child<QCheckBox>(*window, "ItalicCheckbox")->setChecked(true);
    click(*window, "ApplyButton");
    QCOMPARE(applied.value(0).value(0).value<QFont>().pointSize(), 12);

    // The next start, with the game output's entries spoilt by hand: an
    // unknown family and size keep the chat's, "yes" is not a number and
    // reads as off, any non-zero number as on.
    window.reset();
    m_settings.reset();
    writeFile(path(), readFile(path()) +
                          "[fonts]\nGame output_family=No Such Family\nGame output_size=99\n"
                          "Game output_bold=yes\nGame output_italic=2\n");
    m_settings = std::make_unique<Settings>(path());
    window = std::make_unique<ConfigDialog>();
    fonts = fired();
    QCOMPARE(early, fonts);
    for (const QFont& font : fonts) {
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSize(), 12);
        QVERIFY(!font.bold() && font.italic());
    }
}

QTEST_MAIN(TestAccount)
#include "tst_account.moc"
