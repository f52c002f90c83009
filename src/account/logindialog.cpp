#include "logindialog.h"

#include "connectstatus.h"
#include "datadirectories.h"
#include "settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

const QString LoginSection = QStringLiteral("login");
const QString NicknameKey = QStringLiteral("nickname");
const QString PasswordKey = QStringLiteral("password");

} // namespace

LoginDialogUI::LoginDialogUI(QWidget* parent, const QString& name, bool modal,
                             Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(name.isEmpty() ? QStringLiteral("LoginDialogUI") : name);
    setModal(modal);
    setFixedSize(FixedWidth, FixedHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setSizeGripEnabled(false);

    _storeBox = new QCheckBox(tr("&Store my nickname and password on this computer"), this);
    _storeBox->setObjectName(QStringLiteral("_storeBox"));
    _storeBox->setGeometry(21, 200, 280, 21);

    _loginButton = new QPushButton(tr("&Login"), this);
    _loginButton->setObjectName(QStringLiteral("_loginButton"));
    _loginButton->setGeometry(10, 240, 100, 30);
    _loginButton->setDefault(true);

    _cancelButton = new QPushButton(tr("&Cancel"), this);
    _cancelButton->setObjectName(QStringLiteral("_cancelButton"));
    _cancelButton->setGeometry(230, 240, 100, 30);

    _groupBox = new QGroupBox(tr("Your login information"), this);
    _groupBox->setObjectName(QStringLiteral("_groupBox"));
    _groupBox->setGeometry(10, 90, 320, 100);

    _passwordLabel = new QLabel(tr("&Password:"), _groupBox);
    _passwordLabel->setObjectName(QStringLiteral("_passwordLabel"));
    _passwordLabel->setGeometry(10, 60, 53, 20);

    _nicknameLabel = new QLabel(tr("&Nickname:"), _groupBox);
    _nicknameLabel->setObjectName(QStringLiteral("_nicknameLabel"));
    _nicknameLabel->setGeometry(10, 30, 53, 20);

    _password = new QLineEdit(_groupBox);
    _password->setObjectName(QStringLiteral("_password"));
    _password->setGeometry(80, 60, 220, 22);
    _password->setEchoMode(QLineEdit::Password);
    _passwordLabel->setBuddy(_password);

    _nickname = new QLineEdit(_groupBox);
    _nickname->setObjectName(QStringLiteral("_nickname"));
    _nickname->setGeometry(80, 30, 220, 22);
    _nicknameLabel->setBuddy(_nickname);

    _registerButton = new QPushButton(tr("&Register"), this);
    _registerButton->setObjectName(QStringLiteral("_registerButton"));
    _registerButton->setGeometry(120, 240, 100, 31);

    _explenation = new QLabel(tr("Please enter your TarvenixOnline nickname and password.\n\n"
                                 "If you do not already have a nickname, you can register one "
                                 "by\npressing the  Register button."),
                              this);
    _explenation->setObjectName(QStringLiteral("_explenation"));
    _explenation->setGeometry(10, 10, 310, 60);

    _status = new ConnectStatus(this);

    fitToFont();
    placeStatus();

    setTabOrder(_nickname, _password);
    setTabOrder(_password, _storeBox);
    setTabOrder(_storeBox, _loginButton);
    setTabOrder(_loginButton, _registerButton);
    setTabOrder(_registerButton, _cancelButton);
}

void LoginDialogUI::fitToFont()
{
    // The layout is drawn for a small, narrow font. Where the desktop font is
    // wider, the whole dialog grows by one factor so that no text is cut off
    // and every widget keeps its place relative to the others.
    const QList<QWidget*> widgets{_storeBox,       _loginButton,   _cancelButton, _groupBox,
                                  _passwordLabel,  _nicknameLabel, _password,     _nickname,
                                  _registerButton, _explenation};
    // The two field labels stand beside wide fields: a label longer than the
    // rest of the dialog needs (as in some translations) takes room from its
    // field instead of enlarging everything.
    const QList<QLabel*> labels{_passwordLabel, _nicknameLabel};
    qreal factor = 1.0;
    int labelWidth = 0;
    for (QWidget* widget : widgets) {
        if (widget == _groupBox || widget == _password || widget == _nickname)
            continue;
        const QSize hint = widget->sizeHint();
        if (labels.contains(widget))
            labelWidth = qMax(labelWidth, hint.width());
        else
            factor = qMax(factor, qreal(hint.width()) / widget->width());
        factor = qMax(factor, qreal(hint.height()) / widget->height());
    }
    const int titleWidth = _groupBox->fontMetrics().horizontalAdvance(_groupBox->title()) + 20;
    factor = qMax(factor, qreal(titleWidth) / _groupBox->width());
    // Labels may take at most half of their field's width; beyond that the
    // dialog grows as a whole.
    const int fieldWidth = _password->width();
    factor = qMax(factor, qreal(labelWidth - fieldWidth / 2) / _passwordLabel->width());
    if (factor > 1.0) {
        for (QWidget* widget : widgets) {
            const QRect r = widget->geometry();
            widget->setGeometry(qRound(r.x() * factor), qRound(r.y() * factor),
                                qRound(r.width() * factor), qRound(r.height() * factor));
        }
        m_margin = qRound(10 * factor);
        setFixedSize(qRound(FixedWidth * factor), qRound(FixedHeight * factor));
    }
    const int extra = labelWidth - _passwordLabel->width();
    if (extra <= 0)
        return;
    for (QLabel* label : labels)
        label->resize(label->width() + extra, label->height());
    for (QLineEdit* field : {_password, _nickname})
        field->setGeometry(field->geometry().adjusted(extra, 0, 0, 0));
}

void LoginDialogUI::placeStatus()
{
    if (m_baseSize.isEmpty())
        m_baseSize = size();
    if (_status->isHidden()) {
        setFixedSize(m_baseSize);
        return;
    }
    const int left = _loginButton->x();
    const int width = _cancelButton->geometry().right() + 1 - left;
    const int height = _status->heightForWidth(width);
    _status->setGeometry(left, m_baseSize.height(), width, height);
    setFixedSize(m_baseSize.width(), m_baseSize.height() + height + m_margin);
}

LoginDialog::LoginDialog(QWidget* parent, const QString& name, bool modal, Qt::WindowFlags flags)
    : LoginDialogUI(parent, name, modal, flags)
{
    QString nickname;
    QString password;
    if (const Settings* settings = Settings::instance()) {
        nickname = settings->value(LoginSection, NicknameKey);
        password = settings->value(LoginSection, PasswordKey);
    }
    _nickname->setText(nickname);
    _password->setText(password);
    _storeBox->setChecked(!nickname.isEmpty() || !password.isEmpty());

    setWindowIcon(QIcon(DataDirectories::resolve(QStringLiteral("WinIcons/Login.png"))));
    setWindowTitle(tr("QtTarvenixGame -- Login"));
    setWindowIconText(windowTitle());
    connect(_nickname, &QLineEdit::textChanged, this, &LoginDialog::nicknameChanged);
    connect(_loginButton, &QPushButton::clicked, this, &LoginDialog::doLogin);
    connect(_cancelButton, &QPushButton::clicked, this, &LoginDialog::doCancel);
    connect(_registerButton, &QPushButton::clicked, this, &LoginDialog::doRegister);
    setFocusProxy(_nickname);
}

QString LoginDialog::nickname() const
{
    return _nickname->text();
}

QString LoginDialog::password() const
{
    return _password->text();
}

void LoginDialog::setNickname(const QString& name)
{
    if (name == _nickname->text())
        return;
    _nickname->setText(name);
    if (_storeBox->isChecked()) {
        if (Settings* settings = Settings::instance())
            settings->setValue(LoginSection, NicknameKey, name);
    }
}

void LoginDialog::storeSettings()
{
    Settings* settings = Settings::instance();
    if (!settings)
        return;
    if (_storeBox->isChecked()) {
        settings->setValue(LoginSection, NicknameKey, _nickname->text());
        settings->setValue(LoginSection, PasswordKey, _password->text());
    } else {
        settings->removeValue(LoginSection, NicknameKey);
        settings->removeValue(LoginSection, PasswordKey);
    }
}

void LoginDialog::showConnecting(const QString& address)
{
    _status->showBusy(tr("Connecting to %1...").arg(address));
    setFormEnabled(false);
    placeStatus();
    _cancelButton->setFocus();
}

bool LoginDialog::isConnecting() const
{
    return _status->isBusy();
}

void LoginDialog::showFailure(const QString& text)
{
    _status->showFailure(text);
    setFormEnabled(true);
    placeStatus();
}

void LoginDialog::clearStatus()
{
    _status->clear();
    setFormEnabled(true);
    placeStatus();
}

void LoginDialog::setFormEnabled(bool enabled)
{
    for (QWidget* widget : std::initializer_list<QWidget*>{_nickname, _password, _storeBox,
                                                           _loginButton, _registerButton})
        widget->setEnabled(enabled);
}

void LoginDialog::showEvent(QShowEvent* event)
{
    LoginDialogUI::showEvent(event);
    if (isConnecting())
        _cancelButton->setFocus();
    else if (_nickname->text().isEmpty())
        _nickname->setFocus();
    else if (_password->text().isEmpty())
        _password->setFocus();
    else
        _loginButton->setFocus();
}

void LoginDialog::doLogin()
{
    storeSettings();
    accept();
    emit loginClick();
}

void LoginDialog::doCancel()
{
    reject();
}

void LoginDialog::reject()
{
    if (isConnecting()) {
        emit abortClick();
        return;
    }
    QDialog::reject();
    emit cancelClick();
}

void LoginDialog::doRegister()
{
    // Past our reject(), which stands for Cancel.
    QDialog::done(Rejected);
    emit registerClick();
}
