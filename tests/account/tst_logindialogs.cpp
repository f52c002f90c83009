#include "logindialog.h"
#include "registerdialog.h"
#include "settings.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMap>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestLoginDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void storedSettings_data();
    void storedSettings();
    void loginStoresOrRemoves_data();
    void loginStoresOrRemoves();
    void setNickname_data();
    void setNickname();
    void loginControls_data();
    void loginControls();
    void fixedGeometry();
    void mnemonics_data();
    void mnemonics();
    void loginFocusOnShow_data();
    void loginFocusOnShow();
    void loginConnecting();

    void registrationMarks_data();
    void registrationMarks();
    void registrationReturnAndClose();
    void registrationHintAndWords_data();
    void registrationHintAndWords();
    void registrationConnectingAndRefusal();

private:
    void writeConfig(const QByteArray& content);
    QString configPath() const { return m_dir->filePath(QStringLiteral("tarvenix.cfg")); }
    static void fillRegistration(RegisterDialog& dialog);
    static QLineEdit* edit(QWidget& dialog, const char* name);
    static void click(QWidget& dialog, const char* button);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Settings> m_settings;
};

void TestLoginDialogs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestLoginDialogs::cleanup()
{
    m_settings.reset();
    m_dir.reset();
}

void TestLoginDialogs::writeConfig(const QByteArray& content)
{
    QFile file(configPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    m_settings = std::make_unique<Settings>(configPath());
    QCOMPARE(Settings::instance(), m_settings.get());
}

QLineEdit* TestLoginDialogs::edit(QWidget& dialog, const char* name)
{
    auto* found = dialog.findChild<QLineEdit*>(QLatin1String(name));
    if (!found)
        qFatal("no line edit %s", name);
    return found;
}

void TestLoginDialogs::click(QWidget& dialog, const char* button)
{
    auto* found = dialog.findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(found, button);
    QTest::mouseClick(found, Qt::LeftButton);
}

void TestLoginDialogs::storedSettings_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("stored");
    auto row = [](const char* name, const QByteArray& config, const QString& nickname,
                  const QString& password, bool stored) {
        QTest::newRow(name) << config << nickname << password << stored;
    };
    row("nothing stored", {}, {}, {}, false);
    row("nickname only", "[login]\nnickname=Rook\n", QStringLiteral("Rook"), {}, true);
    row("password only", "[login]\npassword=s3cret\n", {}, QStringLiteral("s3cret"), true);
    row("both", "[login]\nnickname=Rook\npassword=a=b\n", QStringLiteral("Rook"),
        QStringLiteral("a=b"), true);
    row("other section only", "[fonts]\nnickname=Rook\n", {}, {}, false);
}

void TestLoginDialogs::storedSettings()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, nickname);
    QFETCH(QString, password);
    QFETCH(bool, stored);
    writeConfig(config);
    LoginDialog dialog(nullptr, QStringLiteral("LoginDialog"));
    QCOMPARE(dialog.nickname(), nickname);
    QCOMPARE(dialog.password(), password);
    QCOMPARE(dialog.findChild<QCheckBox*>(QStringLiteral("_storeBox"))->isChecked(), stored);
    QCOMPARE(edit(dialog, "_password")->echoMode(), QLineEdit::Password);
    QCOMPARE(dialog.focusProxy(), edit(dialog, "_nickname"));
}

void TestLoginDialogs::loginStoresOrRemoves_data()
{
    QTest::addColumn<bool>("store");
    QTest::newRow("store on") << true;
    QTest::newRow("store off") << false;
}

void TestLoginDialogs::loginStoresOrRemoves()
{
    QFETCH(bool, store);
    writeConfig("[login]\nnickname=Old\npassword=oldpw\n[fonts]\nChatbox_size=10\n");
    {
        LoginDialog dialog;
        dialog.findChild<QCheckBox*>(QStringLiteral("_storeBox"))->setChecked(store);
        edit(dialog, "_nickname")->setText(QStringLiteral(" New "));
        edit(dialog, "_password")->setText(QStringLiteral("pw"));
        QSignalSpy login(&dialog, &LoginDialog::loginClick);
        dialog.show();
        click(dialog, "_loginButton");
        QCOMPARE(login.size(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QVERIFY(m_settings->isModified());

    // What the next start reads back from the file.
    m_settings.reset();
    Settings reread(configPath());
    const QString absent = QStringLiteral("<absent>");
    QCOMPARE(reread.value(QStringLiteral("login"), QStringLiteral("nickname"), absent),
             store ? QStringLiteral("New") : absent);
    QCOMPARE(reread.value(QStringLiteral("login"), QStringLiteral("password"), absent),
             store ? QStringLiteral("pw") : absent);
    QCOMPARE(reread.value(QStringLiteral("fonts"), QStringLiteral("Chatbox_size")),
             QStringLiteral("10"));
}

void TestLoginDialogs::setNickname_data()
{
    QTest::addColumn<bool>("store");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("storedNickname");
    QTest::addColumn<bool>("modified");
    auto row = [](const char* name, bool store, const char* typed, const char* stored,
                  bool modified) {
        QTest::newRow(name) << store << typed << stored << modified;
    };
    row("same name, storing", true, "rook", "rook", false);
    row("respelled, storing", true, "Rook", "Rook", true);
    row("respelled, not storing", false, "Rook", "rook", false);
}

void TestLoginDialogs::setNickname()
{
    QFETCH(bool, store);
    QFETCH(QString, name);
    QFETCH(QString, storedNickname);
    QFETCH(bool, modified);
    writeConfig("[login]\nnickname=rook\npassword=pw\n");
    LoginDialog dialog;
    dialog.findChild<QCheckBox*>(QStringLiteral("_storeBox"))->setChecked(store);
    edit(dialog, "_password")->setText(QStringLiteral("typed but not confirmed"));
    dialog.setNickname(name);
    QCOMPARE(dialog.nickname(), name);
    QCOMPARE(m_settings->isModified(), modified);
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("nickname")),
             storedNickname);
    QCOMPARE(m_settings->value(QStringLiteral("login"), QStringLiteral("password")),
             QStringLiteral("pw"));
}

void TestLoginDialogs::loginControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QList<int>>("clicks"); // login, cancel, register
    QTest::newRow("Return in the nickname") << "Return" << QList<int>{1, 0, 0};
    QTest::newRow("Cancel") << "_cancelButton" << QList<int>{0, 1, 0};
    QTest::newRow("close control acts as Cancel") << "close" << QList<int>{0, 1, 0};
    QTest::newRow("Register is not Cancel") << "_registerButton" << QList<int>{0, 0, 1};
}

void TestLoginDialogs::loginControls()
{
    QFETCH(QString, control);
    QFETCH(QList<int>, clicks);
    writeConfig({});
    LoginDialog dialog;
    QSignalSpy login(&dialog, &LoginDialog::loginClick);
    QSignalSpy cancel(&dialog, &LoginDialog::cancelClick);
    QSignalSpy registration(&dialog, &LoginDialog::registerClick);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (control == QLatin1String("Return")) {
        QTest::keyClicks(edit(dialog, "_nickname"), QStringLiteral("rook"));
        QTest::keyClick(edit(dialog, "_nickname"), Qt::Key_Return);
        QCOMPARE(dialog.nickname(), QStringLiteral("rook"));
    } else if (control == QLatin1String("close")) {
        QVERIFY(dialog.close());
    } else {
        click(dialog, control.toLatin1().constData());
    }
    QCOMPARE((QList<int>{int(login.size()), int(cancel.size()), int(registration.size())}), clicks);
    QVERIFY(!dialog.isVisible());
    if (cancel.size()) {
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        // Cancelling must not touch the stored login.
        QVERIFY(!m_settings->isModified());
    }
}

void TestLoginDialogs::fixedGeometry()
{
    writeConfig({});
    LoginDialog login;
    QCOMPARE(login.minimumSize(), login.maximumSize());
    // The drawn layout at 340 x 280, grown by one factor where the font is wider.
    const qreal factor = login.width() / 340.0;
    QVERIFY(factor >= 1.0);
    QVERIFY(qAbs(login.height() - 280 * factor) <= 1);
    // Nothing may be cut off in the font the dialog is shown with.
    for (const char* name : {"_storeBox", "_loginButton", "_cancelButton", "_registerButton",
                             "_passwordLabel", "_nicknameLabel", "_explenation"}) {
        auto* widget = login.findChild<QWidget*>(QLatin1String(name));
        QVERIFY2(widget->sizeHint().width() <= widget->width(), name);
        QVERIFY2(widget->sizeHint().height() <= widget->height(), name);
    }
    RegisterDialog registration;
    registration.show();
    QVERIFY(QTest::qWaitForWindowExposed(&registration));
    // Fixed, at least at the designed 395 x 541 and larger where the fields
    // need it: every edit keeps its natural height.
    QCOMPARE(registration.minimumSize(), registration.maximumSize());
    QVERIFY(registration.width() >= 395 && registration.height() >= 541);
    const QList<QLineEdit*> edits = registration.findChildren<QLineEdit*>();
    QCOMPARE(edits.size(), 11);
    for (const QLineEdit* edit : edits)
        QVERIFY2(edit->height() >= edit->sizeHint().height(), qPrintable(edit->objectName()));
    // Both groups' edits start at one x, and marking every label bold red
    // moves none of them.
    auto lefts = [&edits] {
        QMap<QString, QRect> placed;
        for (const QLineEdit* edit : edits)
            placed.insert(edit->objectName(),
                          QRect(edit->mapTo(edit->window(), QPoint()), edit->size()));
        return placed;
    };
    const QMap<QString, QRect> before = lefts();
    for (const QRect& rect : before)
        QCOMPARE(rect.left(), before.first().left());
    click(registration, "RegisterButton");
    QVERIFY(RegisterDialog::isMarkedInvalid(
        registration.findChild<QLabel*>(QStringLiteral("StateLabel"))));
    QCOMPARE(lefts(), before);
}

void TestLoginDialogs::mnemonics_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::newRow("login") << "login";
    QTest::newRow("registration") << "registration";
}

// Every button and every labelled field is one Alt+letter away, and no letter
// is taken twice in one dialog.
void TestLoginDialogs::mnemonics()
{
    QFETCH(QString, dialog);
    writeConfig({});
    std::unique_ptr<QDialog> window;
    if (dialog == QLatin1String("login"))
        window = std::make_unique<LoginDialog>();
    else
        window = std::make_unique<RegisterDialog>();
    QStringList texts;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy())
            texts << label->text();
    }
    QVERIFY(texts.size() >= 6);
    QSet<QChar> letters;
    for (const QString& text : std::as_const(texts)) {
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        QVERIFY2(amp >= 0 && amp + 1 < text.size(), qPrintable(text));
        const QChar letter = text.at(amp + 1).toLower();
        QVERIFY2(!letters.contains(letter), qPrintable(text));
        letters.insert(letter);
    }
}

void TestLoginDialogs::loginFocusOnShow_data()
{
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("focus");
    QTest::newRow("nothing typed") << QString() << QString() << "_nickname";
    QTest::newRow("password missing") << "Rook" << QString() << "_password";
    QTest::newRow("both filled") << "Rook"
                                 << "pw"
                                 << "_loginButton";
}

// Wherever the focus was when the dialog went, it comes back where typing is
// due, or on Login so that Return logs in, never on Register.
void TestLoginDialogs::loginFocusOnShow()
{
    QFETCH(QString, nickname);
    QFETCH(QString, password);
    QFETCH(QString, focus);
    writeConfig({});
    LoginDialog dialog;
    edit(dialog, "_nickname")->setText(nickname);
    edit(dialog, "_password")->setText(password);
    dialog.show();
    dialog.findChild<QPushButton*>(QStringLiteral("_registerButton"))->setFocus();
    dialog.hide();
    dialog.show();
    QCOMPARE(dialog.focusWidget()->objectName(), focus);
}

void TestLoginDialogs::loginConnecting()
{
    writeConfig({});
    LoginDialog dialog;
    dialog.show();
    const QSize base = dialog.size();
    QSignalSpy abort(&dialog, &LoginDialog::abortClick);
    QSignalSpy cancel(&dialog, &LoginDialog::cancelClick);
    dialog.showConnecting(QStringLiteral("10.0.0.7:8822"));
    QVERIFY(dialog.isConnecting());
    const auto* text = dialog.findChild<QLabel*>(QStringLiteral("ConnectText"));
    const auto* busy = dialog.findChild<QProgressBar*>(QStringLiteral("ConnectBusy"));
    QVERIFY(text->isVisible() && busy->isVisible());
    QCOMPARE(text->text(), QStringLiteral("Connecting to 10.0.0.7:8822..."));
    // Busy: no end known.
    QCOMPARE(busy->maximum(), 0);
    // The line sits under the buttons in a dialog grown to hold it.
    QCOMPARE(dialog.width(), base.width());
    QVERIFY(dialog.height() > base.height());
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(text->mapTo(&dialog, QPoint()).y() >=
            dialog.findChild<QPushButton*>(QStringLiteral("_loginButton"))->geometry().bottom());
    QVERIFY(!edit(dialog, "_nickname")->isEnabled());
    QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("_loginButton"))->isEnabled());

    // Cancel and the close control give up the attempt; the program goes on.
    click(dialog, "_cancelButton");
    QVERIFY(!dialog.close());
    QVERIFY(dialog.isVisible());
    QCOMPARE(abort.size(), 2);
    QCOMPARE(cancel.size(), 0);

    dialog.showFailure(QStringLiteral("Could not connect to 10.0.0.7:8822: refused"));
    QVERIFY(!dialog.isConnecting());
    QVERIFY(!busy->isVisible());
    QCOMPARE(text->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(edit(dialog, "_nickname")->isEnabled());
    click(dialog, "_cancelButton");
    QCOMPARE(cancel.size(), 1);
    QCOMPARE(abort.size(), 2);

    dialog.clearStatus();
    QCOMPARE(dialog.size(), base);
    QVERIFY(!text->isVisible());
}

void TestLoginDialogs::registrationHintAndWords_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("words");
    QTest::newRow("passwords differ")
        << "VerifyEdit"
        << "Secret"
        << "The two passwords differ: please type the same password twice.";
    QTest::newRow("no password") << "PasswordEdit" << QString()
                                 << "Please enter a password and repeat it.";
    QTest::newRow("a field empty")
        << "CityEdit" << QString() << "Please fill in the fields marked in red.";
}

// A form that cannot go says why in words at its foot, besides the marks.
void TestLoginDialogs::registrationHintAndWords()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, words);
    RegisterDialog dialog;
    fillRegistration(dialog);
    edit(dialog, field.toLatin1().constData())->setText(value);
    QSignalSpy registration(&dialog, &RegisterDialog::doRegister);
    dialog.show();
    click(dialog, "RegisterButton");
    QCOMPARE(registration.size(), 0);
    QVERIFY(dialog.isVisible());
    const auto* text = dialog.findChild<QLabel*>(QStringLiteral("ConnectText"));
    QVERIFY(text->isVisible());
    QCOMPARE(text->text(), words);

    // The hint under the nickname is the server's rule, red while the typed
    // nickname breaks it.
    const auto* hint = dialog.findChild<QLabel*>(QStringLiteral("NameHint"));
    QCOMPARE(hint->text(), QStringLiteral("2 to 16 letters, digits, '-' and '_'"));
    QVERIFY(hint->isVisible());
    QVERIFY(hint->mapTo(&dialog, QPoint()).y() >
            edit(dialog, "NameEdit")->mapTo(&dialog, QPoint()).y());
    edit(dialog, "NameEdit")->setText(QStringLiteral("new user!"));
    QVERIFY(RegisterDialog::isMarkedInvalid(hint));
    edit(dialog, "NameEdit")->setText(QStringLiteral("new_user-2"));
    QVERIFY(!RegisterDialog::isMarkedInvalid(hint));

    // Corrected, the words go with the marks.
    fillRegistration(dialog);
    click(dialog, "RegisterButton");
    QCOMPARE(registration.size(), 1);
    QVERIFY(!text->isVisible());
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        QVERIFY2(!RegisterDialog::isMarkedInvalid(label), qPrintable(label->objectName()));
}

void TestLoginDialogs::registrationConnectingAndRefusal()
{
    RegisterDialog dialog;
    fillRegistration(dialog);
    dialog.show();
    QSignalSpy abort(&dialog, &RegisterDialog::abortClick);
    QSignalSpy cancel(&dialog, &RegisterDialog::doCancel);
    dialog.showConnecting(QStringLiteral("host:1"));
    QVERIFY(dialog.isConnecting());
    QVERIFY(!edit(dialog, "EmailEdit")->isEnabled());
    click(dialog, "CancelButton");
    QCOMPARE(abort.size(), 1);
    QCOMPARE(cancel.size(), 0);
    QVERIFY(dialog.isVisible());

    dialog.showRefusal(QStringLiteral("Registration failed: invalid nickname"), true);
    QVERIFY(!dialog.isConnecting());
    QVERIFY(
        RegisterDialog::isMarkedInvalid(dialog.findChild<QLabel*>(QStringLiteral("NameLabel"))));
    QCOMPARE(dialog.focusWidget(), edit(dialog, "NameEdit"));
    // Nothing typed is lost.
    QCOMPARE(dialog.email(), QStringLiteral("Email"));
    QCOMPARE(dialog.password(), QStringLiteral("secret"));
    click(dialog, "CancelButton");
    QCOMPARE(cancel.size(), 1);
}

void TestLoginDialogs::fillRegistration(RegisterDialog& dialog)
{
    const char* const names[] = {"NameEdit",    "FirstNameEdit", "LastNameEdit",
                                 "AddressEdit", "ZipcodeEdit",   "CityEdit",
                                 "StateEdit",   "CountryEdit",   "EmailEdit"};
    for (const char* name : names)
        edit(dialog, name)->setText(QString::fromLatin1(name).chopped(4));
    edit(dialog, "PasswordEdit")->setText(QStringLiteral("secret"));
    edit(dialog, "VerifyEdit")->setText(QStringLiteral("secret"));
}

void TestLoginDialogs::registrationMarks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("invalid");
    auto row = [](const char* name, const char* field, const QString& value,
                  const QStringList& invalid) {
        QTest::newRow(name) << field << value << invalid;
    };
    const QStringList passwords{QStringLiteral("PasswordLabel"), QStringLiteral("VerifyLabel")};
    row("complete", "NameEdit", QStringLiteral("rook"), {});
    row("blanks only count as filled", "CityEdit", QStringLiteral("   "), {});
    row("nickname empty", "NameEdit", {}, {QStringLiteral("NameLabel")});
    row("e-mail empty", "EmailEdit", {}, {QStringLiteral("EmailLabel")});
    row("passwords differ", "VerifyEdit", QStringLiteral("Secret"), passwords);
    row("repeat empty", "VerifyEdit", {}, passwords);
    row("both passwords empty", "both passwords", {}, passwords);
}

void TestLoginDialogs::registrationMarks()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QStringList, invalid);
    RegisterDialog dialog(nullptr, QStringLiteral("RegisterDialog"));
    fillRegistration(dialog);
    if (field == QLatin1String("both passwords")) {
        edit(dialog, "PasswordEdit")->clear();
        edit(dialog, "VerifyEdit")->clear();
    } else {
        edit(dialog, field.toLatin1().constData())->setText(value);
    }
    QSignalSpy registration(&dialog, &RegisterDialog::doRegister);
    dialog.show();
    click(dialog, "RegisterButton");

    QStringList marked;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->objectName().endsWith(QLatin1String("Label")) ||
            label->objectName() == QLatin1String("IntroLabel"))
            continue;
        const bool bad = RegisterDialog::isMarkedInvalid(label);
        QCOMPARE(label->font().bold(), bad);
        QCOMPARE(label->palette().color(QPalette::Normal, QPalette::WindowText),
                 bad ? QColor(Qt::red) : QColor(Qt::black));
        if (bad)
            marked << label->objectName();
    }
    marked.sort();
    invalid.sort();
    QCOMPARE(marked, invalid);
    QCOMPARE(registration.size(), invalid.isEmpty() ? 1 : 0);
    QCOMPARE(dialog.isVisible(), !invalid.isEmpty());
}

void TestLoginDialogs::registrationReturnAndClose()
{
    RegisterDialog dialog;
    fillRegistration(dialog);
    QSignalSpy registration(&dialog, &RegisterDialog::doRegister);
    QSignalSpy cancel(&dialog, &RegisterDialog::doCancel);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(edit(dialog, "EmailEdit"), Qt::Key_Return);
    QCOMPARE(registration.size(), 1);
    QCOMPARE(cancel.size(), 0);

    dialog.show();
    QVERIFY(dialog.close());
    QCOMPARE(cancel.size(), 1);
    dialog.show();
    click(dialog, "CancelButton");
    QCOMPARE(cancel.size(), 2);
    QCOMPARE(registration.size(), 1);
}

QTEST_MAIN(TestLoginDialogs)
#include "tst_logindialogs.moc"
