#include "logindialog.h"
#include "registerdialog.h"
#include "settings.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
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
    void returnActivatesLogin();
    void cancelAndCloseControl();
    void registerButtonIsNotCancel();
    void fixedGeometry();

    void registrationMarks_data();
    void registrationMarks();
    void correctedPasswordsRegister();
    void registrationReturnAndClose();
    void accessorsInRequestOrder();

private:
    void writeConfig(const QByteArray& content);
    QString configPath() const { return m_dir->filePath(QStringLiteral("tarvenix.cfg")); }
    static void fillRegistration(RegisterDialog& dialog);
    static QLineEdit* edit(QWidget& dialog, const char* name);

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

void TestLoginDialogs::storedSettings_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("stored");
    QTest::newRow("nothing stored") << QByteArray() << QString() << QString() << false;
    QTest::newRow("nickname only")
        << QByteArray("[login]\nnickname=Rook\n") << "Rook" << QString() << true;
    QTest::newRow("password only")
        << QByteArray("[login]\npassword=s3cret\n") << QString() << "s3cret" << true;
    QTest::newRow("both") << QByteArray("[login]\nnickname=Rook\npassword=a=b\n") << "Rook"
                          << "a=b" << true;
    QTest::newRow("other section only")
        << QByteArray("[fonts]\nnickname=Rook\n") << QString() << QString() << false;
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
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("_loginButton")),
                          Qt::LeftButton);
        QCOMPARE(login.size(), 1);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QVERIFY(m_settings->isModified());
    const QString absent = QStringLiteral("<absent>");
    QCOMPARE(m_settings->value("login", "nickname", absent), store ? " New " : absent);
    QCOMPARE(m_settings->value("login", "password", absent), store ? "pw" : absent);
    QCOMPARE(m_settings->value("fonts", "Chatbox_size"), QStringLiteral("10"));

    // What the next start reads back from the file.
    m_settings.reset();
    Settings reread(configPath());
    QCOMPARE(reread.value("login", "nickname", absent), store ? "New" : absent);
    QCOMPARE(reread.value("login", "password", absent), store ? "pw" : absent);
}

void TestLoginDialogs::setNickname_data()
{
    QTest::addColumn<bool>("store");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("storedNickname");
    QTest::addColumn<bool>("modified");
    QTest::newRow("same name, storing") << true << "rook"
                                        << "rook" << false;
    QTest::newRow("respelled, storing") << true << "Rook"
                                        << "Rook" << true;
    QTest::newRow("respelled, not storing") << false << "Rook"
                                            << "rook" << false;
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
    QCOMPARE(m_settings->value("login", "nickname"), storedNickname);
    QCOMPARE(m_settings->value("login", "password"), QStringLiteral("pw"));
}

void TestLoginDialogs::returnActivatesLogin()
{
    writeConfig({});
    LoginDialog dialog;
    QSignalSpy login(&dialog, &LoginDialog::loginClick);
    QSignalSpy cancel(&dialog, &LoginDialog::cancelClick);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClicks(edit(dialog, "_nickname"), QStringLiteral("rook"));
    QTest::keyClick(edit(dialog, "_nickname"), Qt::Key_Return);
    QCOMPARE(login.size(), 1);
    QCOMPARE(cancel.size(), 0);
    QCOMPARE(dialog.nickname(), QStringLiteral("rook"));
}

void TestLoginDialogs::cancelAndCloseControl()
{
    writeConfig({});
    LoginDialog dialog;
    QSignalSpy cancel(&dialog, &LoginDialog::cancelClick);
    QSignalSpy login(&dialog, &LoginDialog::loginClick);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("_cancelButton")),
                      Qt::LeftButton);
    QCOMPARE(cancel.size(), 1);
    QVERIFY(!dialog.isVisible());
    dialog.show();
    QVERIFY(dialog.close());
    QCOMPARE(cancel.size(), 2);
    QCOMPARE(login.size(), 0);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    // Cancelling must not touch the stored login.
    QVERIFY(!m_settings->isModified());
}

void TestLoginDialogs::registerButtonIsNotCancel()
{
    writeConfig({});
    LoginDialog dialog;
    QSignalSpy cancel(&dialog, &LoginDialog::cancelClick);
    QSignalSpy registration(&dialog, &LoginDialog::registerClick);
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("_registerButton")),
                      Qt::LeftButton);
    QCOMPARE(registration.size(), 1);
    QCOMPARE(cancel.size(), 0);
    QVERIFY(!dialog.isVisible());
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
    const auto scaled = [factor](int x, int y, int w, int h) {
        return QRect(qRound(x * factor), qRound(y * factor), qRound(w * factor),
                     qRound(h * factor));
    };
    QCOMPARE(login.findChild<QPushButton*>(QStringLiteral("_loginButton"))->geometry(),
             scaled(10, 240, 100, 30));
    QCOMPARE(edit(login, "_nickname")->geometry(), scaled(80, 30, 220, 22));
    // Nothing may be cut off in the font the dialog is shown with.
    for (const char* name : {"_storeBox", "_loginButton", "_cancelButton", "_registerButton",
                             "_passwordLabel", "_nicknameLabel", "_explenation"}) {
        auto* widget = login.findChild<QWidget*>(QLatin1String(name));
        QVERIFY2(widget->sizeHint().width() <= widget->width(), name);
        QVERIFY2(widget->sizeHint().height() <= widget->height(), name);
    }
    RegisterDialog registration;
    QCOMPARE(registration.minimumSize(), QSize(395, 541));
    QCOMPARE(registration.maximumSize(), QSize(395, 541));
    // Everything must fit the fixed size without squeezing.
    QVERIFY(registration.layout()->minimumSize().height() <= 541);
    QVERIFY(registration.layout()->minimumSize().width() <= 395);
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
    const QStringList passwords{"PasswordLabel", "VerifyLabel"};
    QTest::newRow("complete") << "NameEdit"
                              << "rook" << QStringList();
    QTest::newRow("blanks only count as filled") << "CityEdit"
                                                 << "   " << QStringList();
    QTest::newRow("nickname empty") << "NameEdit" << QString() << QStringList{"NameLabel"};
    QTest::newRow("e-mail empty") << "EmailEdit" << QString() << QStringList{"EmailLabel"};
    QTest::newRow("passwords differ") << "VerifyEdit"
                                      << "Secret" << passwords;
    QTest::newRow("repeat empty") << "VerifyEdit" << QString() << passwords;
    QTest::newRow("both passwords empty") << "both passwords" << QString() << passwords;
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
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("RegisterButton")),
                      Qt::LeftButton);

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

void TestLoginDialogs::correctedPasswordsRegister()
{
    RegisterDialog dialog;
    fillRegistration(dialog);
    edit(dialog, "VerifyEdit")->setText(QStringLiteral("SECRET"));
    QSignalSpy registration(&dialog, &RegisterDialog::doRegister);
    dialog.show();
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("RegisterButton"));
    QTest::mouseClick(button, Qt::LeftButton);
    auto* verifyLabel = dialog.findChild<QLabel*>(QStringLiteral("VerifyLabel"));
    QVERIFY(RegisterDialog::isMarkedInvalid(verifyLabel));
    QCOMPARE(registration.size(), 0);

    edit(dialog, "VerifyEdit")->setText(QStringLiteral("secret"));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!RegisterDialog::isMarkedInvalid(verifyLabel));
    QCOMPARE(registration.size(), 1);
    // The form is kept for another attempt after a refusal.
    QCOMPARE(dialog.nickname(), QStringLiteral("Name"));
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
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CancelButton")),
                      Qt::LeftButton);
    QCOMPARE(cancel.size(), 2);
    QCOMPARE(registration.size(), 1);
}

void TestLoginDialogs::accessorsInRequestOrder()
{
    RegisterDialog dialog;
    fillRegistration(dialog);
    const QStringList values{dialog.nickname(),  dialog.password(), dialog.lastName(),
                             dialog.firstName(), dialog.address(),  dialog.zipcode(),
                             dialog.city(),      dialog.state(),    dialog.country(),
                             dialog.email()};
    const QStringList expected{"Name",    "secret", "LastName", "FirstName", "Address",
                               "Zipcode", "City",   "State",    "Country",   "Email"};
    QCOMPARE(values, expected);
}

QTEST_MAIN(TestLoginDialogs)
#include "tst_logindialogs.moc"
