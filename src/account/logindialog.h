#pragma once

#include <QDialog>

class ConnectStatus;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The widgets of the login dialog at their fixed places; LoginDialog adds the
// behaviour.
class LoginDialogUI : public QDialog
{
    Q_OBJECT

public:
    static constexpr int FixedWidth = 340;
    static constexpr int FixedHeight = 280;

    explicit LoginDialogUI(QWidget* parent = nullptr, const QString& name = {}, bool modal = false,
                           Qt::WindowFlags flags = {});

    ConnectStatus* status() const { return _status; }

protected:
    void fitToFont();
    // The status line goes under the buttons; the dialog grows by its height
    // while it shows and is back to its own size when it is gone.
    void placeStatus();

    QCheckBox* _storeBox = nullptr;
    QPushButton* _loginButton = nullptr;
    QPushButton* _cancelButton = nullptr;
    QGroupBox* _groupBox = nullptr;
    QLabel* _passwordLabel = nullptr;
    QLabel* _nicknameLabel = nullptr;
    QLineEdit* _password = nullptr;
    QLineEdit* _nickname = nullptr;
    QPushButton* _registerButton = nullptr;
    QLabel* _explenation = nullptr;
    ConnectStatus* _status = nullptr;

private:
    QSize m_baseSize;
    int m_margin = 10;
};

// Asks for nickname and password and can keep both in the settings file.
// The choice is reported by the signals; the main window reads the fields.
class LoginDialog : public LoginDialogUI
{
    Q_OBJECT

public:
    explicit LoginDialog(QWidget* parent = nullptr, const QString& name = {}, bool modal = false,
                         Qt::WindowFlags flags = {});

    QString nickname() const;
    QString password() const;

    // While connecting the form is locked and Cancel gives up the attempt
    // instead of ending the program.
    void showConnecting(const QString& address);
    bool isConnecting() const;
    // Why the last attempt failed, in red under the buttons; the form is open
    // again.
    void showFailure(const QString& text);
    void clearStatus();

public slots:
    // The nickname as the server spells it; kept in the settings only when
    // storing is on, and then without touching the stored password.
    void setNickname(const QString& name);
    // Escape and the window's close control cancel, like the Cancel button.
    void reject() override;

signals:
    void loginClick();
    void registerClick();
    void cancelClick();
    // Cancel while connecting.
    void abortClick();
    // The nickname field changed, by typing or by setNickname().
    void nicknameChanged(const QString& nickname);

protected:
    // The caret goes where typing is due, or the focus to Login when both
    // fields are filled, so that Return logs in.
    void showEvent(QShowEvent* event) override;

protected slots:
    void doLogin();
    void doCancel();
    void doRegister();
    void storeSettings();

private:
    void setFormEnabled(bool enabled);
};
