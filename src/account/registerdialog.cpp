#include "registerdialog.h"

#include "connectstatus.h"
#include "datadirectories.h"
#include "nickname.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const InvalidProperty = "tarvenixInvalid";

QGridLayout* makeGrid(QGroupBox* box, const QString& name)
{
    auto* grid = new QGridLayout(box);
    grid->setObjectName(name);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setSpacing(8);
    grid->addWidget(new QWidget(box), 0, 0, 1, 2);
    grid->setRowMinimumHeight(0, 4);
    grid->setColumnMinimumWidth(0, RegisterDialog::LabelColumnWidth);
    return grid;
}

} // namespace

RegisterDialog::RegisterDialog(QWidget* parent, const QString& name, bool modal,
                               Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(name);
    setModal(modal);
    setWindowIcon(QIcon(DataDirectories::resolve(QStringLiteral("WinIcons/Login.png"))));
    setWindowTitle(tr("QtTarvenixGame -- Registration"));
    setWindowIconText(windowTitle());
    setFixedSize(FixedWidth, FixedHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_layout = new QVBoxLayout(this);
    m_layout->setObjectName(QStringLiteral("RegisterDialogLayout"));
    m_layout->setContentsMargins(10, 10, 10, 10);
    m_layout->setSpacing(5);

    // The text's line breaks were made for one font; the label wraps the
    // paragraph to its own width instead.
    const QString intro =
        tr("\nPlease enter your desired username and password and supply some personal\ncontact "
           "information. The contact information will not be used for commercial\nactivities, nor "
           "will it ever be available to other parties. The supplied information\nwill be removed "
           "after two months of inactivity.\n");
    m_introLabel = new QLabel(intro.trimmed().replace(QLatin1Char('\n'), QLatin1Char(' ')), this);
    m_introLabel->setObjectName(QStringLiteral("IntroLabel"));
    m_introLabel->setWordWrap(true);
    m_layout->addWidget(m_introLabel);

    m_loginGroupBox = new QGroupBox(tr("Login information"), this);
    m_loginGroupBox->setObjectName(QStringLiteral("LoginGroupBox"));
    m_layout->addWidget(m_loginGroupBox);
    m_layout->addSpacing(8);
    m_personalGroupBox = new QGroupBox(tr("Personal information"), this);
    m_personalGroupBox->setObjectName(QStringLiteral("PersonalGroupBox"));
    m_layout->addWidget(m_personalGroupBox);
    m_layout->addSpacing(8);

    m_loginBoxLayout = makeGrid(m_loginGroupBox, QStringLiteral("LoginBoxLayout"));
    m_personalBoxLayout = makeGrid(m_personalGroupBox, QStringLiteral("PersonalBoxLayout"));

    QGridLayout* login = m_loginBoxLayout;
    QGridLayout* personal = m_personalBoxLayout;
    m_labels = {
        addRow(login, 1, QStringLiteral("NameLabel"), tr("Preferred &nickname:"), m_nameEdit,
               QStringLiteral("NameEdit")),
        addRow(personal, 1, QStringLiteral("FirstNameLabel"), tr("&First name:"), m_firstNameEdit,
               QStringLiteral("FirstNameEdit")),
        addRow(personal, 2, QStringLiteral("LastNameLabel"), tr("&Last name:"), m_lastNameEdit,
               QStringLiteral("LastNameEdit")),
        addRow(personal, 3, QStringLiteral("AddressLabel"), tr("&Address:"), m_addressEdit,
               QStringLiteral("AddressEdit")),
        addRow(personal, 4, QStringLiteral("ZipcodeLabel"), tr("&Zipcode:"), m_zipcodeEdit,
               QStringLiteral("ZipcodeEdit")),
        addRow(personal, 5, QStringLiteral("CityLabel"), tr("C&ity:"), m_cityEdit,
               QStringLiteral("CityEdit")),
        addRow(personal, 6, QStringLiteral("StateLabel"), tr("S&tate or province:"), m_stateEdit,
               QStringLiteral("StateEdit")),
        addRow(personal, 7, QStringLiteral("CountryLabel"), tr("C&ountry:"), m_countryEdit,
               QStringLiteral("CountryEdit")),
        addRow(personal, 8, QStringLiteral("EmailLabel"), tr("E-&mail:"), m_emailEdit,
               QStringLiteral("EmailEdit")),
    };
    m_passwordLabel = addRow(login, 3, QStringLiteral("PasswordLabel"), tr("&Password:"),
                             m_passwordEdit, QStringLiteral("PasswordEdit"));
    m_verifyLabel = addRow(login, 4, QStringLiteral("VerifyLabel"), tr("R&epeat password:"),
                           m_verifyEdit, QStringLiteral("VerifyEdit"));
    m_labels << m_passwordLabel << m_verifyLabel;
    m_edits = {m_nameEdit,    m_firstNameEdit, m_lastNameEdit, m_addressEdit,
               m_zipcodeEdit, m_cityEdit,      m_stateEdit,    m_countryEdit,
               m_emailEdit,   m_passwordEdit,  m_verifyEdit};
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_verifyEdit->setEchoMode(QLineEdit::Password);
    login->setAlignment(m_nameEdit, Qt::AlignTop);
    m_nameHint = new QLabel(tr("%1 to %2 letters, digits, '-' and '_'")
                                .arg(Rules::MinNicknameLength)
                                .arg(Rules::MaxNicknameLength),
                            m_loginGroupBox);
    m_nameHint->setObjectName(QStringLiteral("NameHint"));
    m_nameHint->setWordWrap(true);
    login->addWidget(m_nameHint, 2, 1);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &RegisterDialog::updateNameHint);
    updateNameHint();

    auto* buttons = new QWidget(this);
    buttons->setObjectName(QStringLiteral("ButtonsWidget"));
    auto* buttonsLayout = new QHBoxLayout(buttons);
    buttonsLayout->setObjectName(QStringLiteral("ButtonsLayout"));
    buttonsLayout->setContentsMargins(0, 0, 0, 0);
    buttonsLayout->setSpacing(8);
    m_registerButton = new QPushButton(tr("&Register"), buttons);
    m_registerButton->setObjectName(QStringLiteral("RegisterButton"));
    m_registerButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("&Cancel"), buttons);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    buttonsLayout->addWidget(m_registerButton);
    buttonsLayout->addWidget(m_cancelButton);
    m_status = new ConnectStatus(this);
    m_layout->addWidget(m_status);
    m_layout->addStretch(1);
    m_layout->addWidget(buttons);

    // The order on screen, not the order of the checks.
    QWidget* previous = m_nameEdit;
    for (QWidget* next :
         {static_cast<QWidget*>(m_passwordEdit), static_cast<QWidget*>(m_verifyEdit),
          static_cast<QWidget*>(m_firstNameEdit), static_cast<QWidget*>(m_lastNameEdit),
          static_cast<QWidget*>(m_addressEdit), static_cast<QWidget*>(m_zipcodeEdit),
          static_cast<QWidget*>(m_cityEdit), static_cast<QWidget*>(m_stateEdit),
          static_cast<QWidget*>(m_countryEdit), static_cast<QWidget*>(m_emailEdit),
          static_cast<QWidget*>(m_registerButton), static_cast<QWidget*>(m_cancelButton)}) {
        setTabOrder(previous, next);
        previous = next;
    }
    setFocusProxy(m_nameEdit);

    // Every field is required: each says so while it is empty, before the
    // first Register, and a mark goes as soon as its field is put right.
    for (int i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setPlaceholderText(m_edits[i] == m_verifyEdit ? tr("Type the password again")
                                                                  : tr("Required"));
        connect(m_edits[i], &QLineEdit::textChanged, this, &RegisterDialog::clearValidMarks);
    }

    connect(m_registerButton, &QPushButton::clicked, this, &RegisterDialog::processForm);
    connect(m_cancelButton, &QPushButton::clicked, this, &RegisterDialog::cancelClicked);
    alignColumns();
    fitToContents();
}

void RegisterDialog::alignColumns()
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int width = LabelColumnWidth;
    for (QLabel* label : std::as_const(m_labels)) {
        // The text as shown, without the mnemonic's ampersand.
        const QString shown = QString(label->text()).remove(QLatin1Char('&'));
        const int needed = metrics.horizontalAdvance(shown) + 2 * label->margin() + 2;
        label->setMinimumWidth(needed);
        width = std::max(width, needed);
    }
    m_loginBoxLayout->setColumnMinimumWidth(0, width);
    m_personalBoxLayout->setColumnMinimumWidth(0, width);
}

QSize RegisterDialog::contentSize() const
{
    m_layout->activate();
    // Side by side, the groups take the width their fields ask for and the
    // height follows.
    const int width = m_sideBySide ? std::max(2 * FixedWidth, m_layout->totalSizeHint().width())
                                   : std::max(FixedWidth, m_layout->minimumSize().width());
    const int height = std::max(m_sideBySide ? 0 : FixedHeight,
                                m_layout->hasHeightForWidth() ? m_layout->totalHeightForWidth(width)
                                                              : m_layout->totalSizeHint().height());
    return {width, height};
}

void RegisterDialog::fitToContents()
{
    QSize size = contentSize();
    // A screen too short for the two groups one above the other gets them
    // side by side; the window's title bar needs its room too.
    const QScreen* shown = screen();
    if (!m_sideBySide && shown &&
        size.height() + TitleBarAllowance > shown->availableGeometry().height()) {
        m_sideBySide = true;
        m_layout->removeWidget(m_loginGroupBox);
        m_layout->removeWidget(m_personalGroupBox);
        auto* groups = new QHBoxLayout;
        groups->setObjectName(QStringLiteral("GroupsLayout"));
        groups->setSpacing(8);
        groups->addWidget(m_loginGroupBox, 1, Qt::AlignTop);
        groups->addWidget(m_personalGroupBox, 1);
        m_layout->insertLayout(1, groups);
        size = contentSize();
    }
    setFixedSize(size);
}

void RegisterDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        alignColumns();
        fitToContents();
    }
}

void RegisterDialog::updateNameHint()
{
    // The hint turns red while the nickname breaks the rule; the server
    // still has the last word.
    const QString name = m_nameEdit->text();
    QPalette palette = m_nameHint->palette();
    const QColor normal = QPalette().color(QPalette::PlaceholderText);
    const bool broken = !name.isEmpty() && !Rules::isValidNickname(name);
    palette.setColor(QPalette::WindowText, broken ? QColor(Qt::red) : normal);
    m_nameHint->setPalette(palette);
    m_nameHint->setProperty(InvalidProperty, broken);
}

QLabel* RegisterDialog::addRow(QGridLayout* grid, int row, const QString& objectName,
                               const QString& text, QLineEdit*& edit, const QString& editName)
{
    QWidget* box = grid->parentWidget();
    auto* label = new QLabel(text, box);
    label->setObjectName(objectName);
    edit = new QLineEdit(box);
    edit->setObjectName(editName);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return label;
}

QString RegisterDialog::nickname() const
{
    return m_nameEdit->text();
}

QString RegisterDialog::password() const
{
    return m_passwordEdit->text();
}

QString RegisterDialog::lastName() const
{
    return m_lastNameEdit->text();
}

QString RegisterDialog::firstName() const
{
    return m_firstNameEdit->text();
}

QString RegisterDialog::address() const
{
    return m_addressEdit->text();
}

QString RegisterDialog::zipcode() const
{
    return m_zipcodeEdit->text();
}

QString RegisterDialog::city() const
{
    return m_cityEdit->text();
}

QString RegisterDialog::state() const
{
    return m_stateEdit->text();
}

QString RegisterDialog::country() const
{
    return m_countryEdit->text();
}

QString RegisterDialog::email() const
{
    return m_emailEdit->text();
}

bool RegisterDialog::isMarkedInvalid(const QLabel* label)
{
    return label->property(InvalidProperty).toBool();
}

void RegisterDialog::mark(QLabel* label, bool valid)
{
    QFont font = label->font();
    font.setBold(!valid);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Normal, QPalette::WindowText, valid ? Qt::black : Qt::red);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, valid ? Qt::black : Qt::red);
    label->setPalette(palette);
    label->setProperty(InvalidProperty, !valid);
}

void RegisterDialog::clearValidMarks()
{
    bool marked = false;
    for (int i = 0; i < 9; ++i) {
        if (isMarkedInvalid(m_labels[i]) && !m_edits[i]->text().isEmpty())
            mark(m_labels[i], true);
        marked = marked || isMarkedInvalid(m_labels[i]);
    }
    if (isMarkedInvalid(m_passwordLabel) && passwordValid()) {
        mark(m_passwordLabel, true);
        mark(m_verifyLabel, true);
    }
    marked = marked || isMarkedInvalid(m_passwordLabel);
    // The words at the foot were about the marks: with the last one gone,
    // they go too.
    if (!marked && m_formProblem) {
        m_formProblem = false;
        clearStatus();
    }
}

bool RegisterDialog::passwordValid() const
{
    return !m_passwordEdit->text().isEmpty() && m_passwordEdit->text() == m_verifyEdit->text();
}

void RegisterDialog::processForm()
{
    bool complete = true;
    for (int i = 0; i < 9; ++i) {
        // Blanks count as content: the server judges what a valid field is.
        const bool valid = !m_edits[i]->text().isEmpty();
        mark(m_labels[i], valid);
        complete = complete && valid;
    }
    const bool passwordIsValid = passwordValid();
    mark(m_passwordLabel, passwordIsValid);
    mark(m_verifyLabel, passwordIsValid);
    QStringList problems;
    if (!complete)
        problems << tr("Please fill in the fields marked in red.");
    if (m_passwordEdit->text().isEmpty())
        problems << tr("Please enter a password and repeat it.");
    else if (!passwordIsValid)
        problems << tr("The two passwords differ: please type the same password twice.");
    if (!problems.isEmpty()) {
        showFailure(problems.join(QLatin1Char(' ')));
        m_formProblem = true;
        return;
    }
    clearStatus();
    QDialog::done(Rejected);
    emit doRegister();
}

void RegisterDialog::showConnecting(const QString& address)
{
    m_status->showBusy(tr("Connecting to %1...").arg(address));
    setFormEnabled(false);
    fitToContents();
    m_cancelButton->setFocus();
}

bool RegisterDialog::isConnecting() const
{
    return m_status->isBusy();
}

void RegisterDialog::showFailure(const QString& text)
{
    m_formProblem = false;
    m_status->showFailure(text);
    setFormEnabled(true);
    fitToContents();
}

void RegisterDialog::showRefusal(const QString& reason, bool nickname)
{
    // The form is unlocked first: a disabled edit takes no focus.
    showFailure(reason);
    if (nickname) {
        mark(m_labels.first(), false);
        m_nameEdit->setFocus();
        m_nameEdit->selectAll();
    }
}

void RegisterDialog::clearStatus()
{
    m_status->clear();
    setFormEnabled(true);
    fitToContents();
}

void RegisterDialog::setFormEnabled(bool enabled)
{
    for (QLineEdit* edit : std::as_const(m_edits))
        edit->setEnabled(enabled);
    m_registerButton->setEnabled(enabled);
}

void RegisterDialog::cancelClicked()
{
    reject();
}

void RegisterDialog::reject()
{
    if (isConnecting()) {
        emit abortClick();
        return;
    }
    QDialog::reject();
    emit doCancel();
}
