#pragma once

#include <QDialog>
#include <QList>

class ConnectStatus;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The form for a new account: nickname, password typed twice and the contact
// details. Empty fields and unequal passwords are marked by turning their
// labels bold red and said in words at the foot of the form; only a complete
// form is reported with doRegister(). A hint under the nickname gives the
// server's rule for nicknames.
class RegisterDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int FixedWidth = 395;
    static constexpr int FixedHeight = 541;
    static constexpr int LabelColumnWidth = 115;

    explicit RegisterDialog(QWidget* parent = nullptr, const QString& name = {}, bool modal = false,
                            Qt::WindowFlags flags = {});

    QString nickname() const;
    QString password() const;
    QString lastName() const;
    QString firstName() const;
    QString address() const;
    QString zipcode() const;
    QString city() const;
    QString state() const;
    QString country() const;
    QString email() const;

    static bool isMarkedInvalid(const QLabel* label);

    // While connecting the form is locked and Cancel gives up the attempt.
    void showConnecting(const QString& address);
    bool isConnecting() const;
    void showFailure(const QString& text);
    // The server refused the account: the reason at the foot of the form, and
    // the nickname marked when it was the nickname that did not do.
    void showRefusal(const QString& reason, bool nickname);
    void clearStatus();
    ConnectStatus* status() const { return m_status; }

public slots:
    // Escape and the window's close control cancel, like the Cancel button.
    void reject() override;

signals:
    void doRegister();
    void doCancel();
    // Cancel while connecting.
    void abortClick();

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void processForm();
    void cancelClicked();
    // Takes the mark off every label whose field has become valid.
    void clearValidMarks();

private:
    static void mark(QLabel* label, bool valid);
    bool passwordValid() const;
    // Column 0 of both groups as wide as the widest label in bold, so that a
    // mark never moves an edit and both edit columns start at one x.
    void alignColumns();
    // At least the designed size, larger where the fields need it to keep
    // their natural height.
    QSize contentSize() const;
    // At the designed size, or with the groups side by side where the
    // screen is too short for them one above the other.
    void fitToContents();
    void setFormEnabled(bool enabled);
    void updateNameHint();
    QLabel* addRow(QGridLayout* grid, int row, const QString& objectName, const QString& text,
                   QLineEdit*& edit, const QString& editName);

    // What a window manager's title bar and a panel take of a screen's height.
    static constexpr int TitleBarAllowance = 40;

    QVBoxLayout* m_layout = nullptr;
    bool m_sideBySide = false;
    QLabel* m_introLabel = nullptr;
    QGroupBox* m_loginGroupBox = nullptr;
    QGroupBox* m_personalGroupBox = nullptr;
    QGridLayout* m_loginBoxLayout = nullptr;
    QGridLayout* m_personalBoxLayout = nullptr;
    // Label i belongs to edit i; the first nine pairs are the fields that must
    // not be empty, the last two are the password pair.
    QList<QLabel*> m_labels;
    QList<QLineEdit*> m_edits;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_firstNameEdit = nullptr;
    QLineEdit* m_lastNameEdit = nullptr;
    QLineEdit* m_addressEdit = nullptr;
    QLineEdit* m_zipcodeEdit = nullptr;
    QLineEdit* m_cityEdit = nullptr;
    QLineEdit* m_stateEdit = nullptr;
    QLineEdit* m_countryEdit = nullptr;
    QLineEdit* m_emailEdit = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QLineEdit* m_verifyEdit = nullptr;
    QLabel* m_passwordLabel = nullptr;
    QLabel* m_verifyLabel = nullptr;
    QLabel* m_nameHint = nullptr;
    ConnectStatus* m_status = nullptr;
    QPushButton* m_registerButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    // The foot of the form says what the marks are about.
    bool m_formProblem = false;
};
