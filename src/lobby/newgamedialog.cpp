#include "newgamedialog.h"

#include "gamelimits.h"
#include "pictures.h"
#include "seating.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const ServiceAddress = "https://www.tarvenix.example";

} // namespace

int WordedSpinBox::valueFromText(const QString&) const
{
    return value();
}

QValidator::State WordedSpinBox::validate(QString&, int&) const
{
    return QValidator::Invalid;
}

HumanSpinBox::HumanSpinBox(QWidget* parent) : WordedSpinBox(parent)
{
    setRange(1, Rules::MaxPlayers);
    setSingleStep(1);
    setValue(4);
}

QString HumanSpinBox::textFromValue(int value) const
{
    if (value == 1)
        return tr("at least 1 human player");
    return tr("at least %1 human players").arg(value);
}

TimeoutSpinBox::TimeoutSpinBox(QWidget* parent) : WordedSpinBox(parent)
{
    setRange(Rules::MinTimeout, Rules::MaxTimeout);
    setSingleStep(15);
    setValue(120);
}

QString TimeoutSpinBox::textFromValue(int value) const
{
    return tr("Timeout %1 minutes").arg(QString::asprintf("%02d:%02d", value / 60, value % 60));
}

RatingSpinBox::RatingSpinBox(QWidget* parent) : WordedSpinBox(parent)
{
    setRange(Rules::MinRatingRange, Rules::MaxRatingRange);
    setSingleStep(50);
    setValue(-50);
}

QString RatingSpinBox::textFromValue(int value) const
{
    if (value < 0)
        return tr("No rating range");
    return tr("Rating range: %1 points").arg(value);
}

NewGameOptions::NewGameOptions(QWidget* parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setObjectName(QStringLiteral("NewGameOptionsLayout"));
    m_layout->setContentsMargins(5, 5, 5, 5);
    m_layout->setSpacing(5);
    m_box = new QGroupBox(tr("Options"), this);
    m_box->setObjectName(QStringLiteral("NewGameOptionsTopBox"));
    m_boxLayout = new QVBoxLayout(m_box);
    m_layout->addWidget(m_box);
    m_layout->addStretch();

    m_placeBeforeAttack = addBox("PlaceBeforeAttackBox", tr("Place before attack"));
    m_capitals = addBox("CapitalsBox", tr("Capitals"));
    m_sameHost = addBox("SameHostBox", tr("Allow players from the same hosts"));
    m_replaceBots = addBox("ReplaceBotsBox", tr("Replace leaving players by robots"));
    m_increaseCards = addBox("IncreaseCardsBox", tr("Increasing value for set of cards"));
    m_hideCards = addBox("HideCardsBox", tr("Hide cards"));
    m_noWhisper = addBox("NoWhisperBox", tr("Disable whispering"));
    m_blind = addBox("BlindBox", tr("Blind map"));
    m_allowGifts = addBox("AllowGiftsBox", tr("Allow gifts"));
    m_getCards = addBox("GetCardsBox", tr("Receive cards of defeated players"));
    m_sameLevel = addBox("SameLevelBox", tr("Only players from the same level"));
    m_noBots = addBox("NoBotsBox", tr("No robots in the game"), true);
}

QCheckBox* NewGameOptions::addBox(const char* name, const QString& text, bool checked)
{
    auto* box = new QCheckBox(text, m_box);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    m_boxLayout->addWidget(box);
    return box;
}

bool NewGameOptions::placeBeforeAttack() const
{
    return m_placeBeforeAttack->isChecked();
}
bool NewGameOptions::capitals() const
{
    return m_capitals->isChecked();
}
bool NewGameOptions::sameHost() const
{
    return m_sameHost->isChecked();
}
bool NewGameOptions::replaceBots() const
{
    return m_replaceBots->isChecked();
}
bool NewGameOptions::increaseCards() const
{
    return m_increaseCards->isChecked();
}
bool NewGameOptions::hideCards() const
{
    return m_hideCards->isChecked();
}
bool NewGameOptions::noWhisper() const
{
    return m_noWhisper->isChecked();
}
bool NewGameOptions::blind() const
{
    return m_blind->isChecked();
}
bool NewGameOptions::allowGifts() const
{
    return m_allowGifts->isChecked();
}
bool NewGameOptions::getCards() const
{
    return m_getCards->isChecked();
}
bool NewGameOptions::sameLevel() const
{
    return m_sameLevel->isChecked();
}
bool NewGameOptions::noBots() const
{
    return m_noBots->isChecked();
}

NewGameTimer::NewGameTimer(QWidget* parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setObjectName(QStringLiteral("NewGameTimerLayout"));
    m_layout->setContentsMargins(5, 5, 5, 5);
    m_layout->setSpacing(5);
    // Owned here rather than by a parent, like the buttons it groups.
    m_group = new QButtonGroup;
    m_group->setExclusive(true);

    m_topBox = new QGroupBox(tr("When the timer expires..."), this);
    m_topBox->setObjectName(QStringLiteral("NewGameTimerTopBox"));
    auto* topLayout = new QVBoxLayout(m_topBox);
    m_kickAll = new QRadioButton(tr("Kick current player out of the game"), m_topBox);
    m_kickAll->setObjectName(QStringLiteral("NewGameTimerKickAllButton"));
    m_kickInactive = new QRadioButton(
        tr("Kick current player out of the game if he was inactive during his turn"), m_topBox);
    m_kickInactive->setObjectName(QStringLiteral("NewGameTimerKickInactiveButton"));
    m_kickNone = new QRadioButton(tr("Finish the turn of the current player"), m_topBox);
    m_kickNone->setObjectName(QStringLiteral("NewGameTimerKickNoneButton"));
    for (QRadioButton* button : {m_kickAll, m_kickInactive, m_kickNone}) {
        m_group->addButton(button);
        topLayout->addWidget(button);
    }
    m_kickAll->setChecked(true);

    m_centerBox = new QGroupBox(tr("More options"), this);
    m_centerBox->setObjectName(QStringLiteral("NewGameTimerCenterBox"));
    auto* centerLayout = new QVBoxLayout(m_centerBox);
    m_humans = new HumanSpinBox(m_centerBox);
    m_humans->setObjectName(QStringLiteral("NewGameTimerHumanSpinBox"));
    m_timeout = new TimeoutSpinBox(m_centerBox);
    m_timeout->setObjectName(QStringLiteral("NewGameTimerTimeoutSpinBox"));
    m_rating = new RatingSpinBox(m_centerBox);
    m_rating->setObjectName(QStringLiteral("NewGameTimerRatingSpinBox"));
    centerLayout->addWidget(m_humans);
    centerLayout->addWidget(m_timeout);
    centerLayout->addWidget(m_rating);

    m_bottomBox = new QGroupBox(tr("Warning"), this);
    m_bottomBox->setObjectName(QStringLiteral("NewGameTimerBottomBox"));
    auto* bottomLayout = new QVBoxLayout(m_bottomBox);
    m_warning =
        new QLabel(tr("A turn of a non-member never lasts longer than one minute and a non-\n"
                      "member is always kicked out of the game when the timer expires,\n"
                      "regardless of the settings of the game.\n\n") +
                       tr("Visit %1 for more information about becoming a member.")
                           .arg(QLatin1String(ServiceAddress)),
                   m_bottomBox);
    m_warning->setObjectName(QStringLiteral("NewGameTimerMemberWarning"));
    bottomLayout->addWidget(m_warning);

    m_layout->addWidget(m_topBox);
    m_layout->addWidget(m_centerBox);
    m_layout->addWidget(m_bottomBox);
    m_layout->addStretch();
}

NewGameTimer::~NewGameTimer()
{
    delete m_group;
}

int NewGameTimer::humans() const
{
    return m_humans->value();
}

int NewGameTimer::timeout() const
{
    return m_timeout->value();
}

int NewGameTimer::ratingRange() const
{
    return m_rating->value();
}

int NewGameTimer::timerMode() const
{
    if (m_kickAll->isChecked())
        return 0;
    if (m_kickInactive->isChecked())
        return 1;
    return 2;
}

NewGameMaps::NewGameMaps(QWidget* parent) : QWidget(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setObjectName(QStringLiteral("NewGameMapsLayout"));
    m_layout->setContentsMargins(5, 5, 5, 5);
    m_layout->setSpacing(5);
    m_group = new QButtonGroup;
    m_group->setExclusive(true);

    m_popularBox = new QGroupBox(tr("Popular maps"), this);
    m_popularBox->setObjectName(QStringLiteral("NewGameMapsTopBox"));
    m_personalBox = new QGroupBox(tr("Personal maps"), this);
    m_personalBox->setObjectName(QStringLiteral("NewGameMapsTopBox"));
    auto* popularLayout = new QVBoxLayout(m_popularBox);
    auto* personalLayout = new QVBoxLayout(m_personalBox);
    for (int i = 0; i < SlotCount; ++i) {
        m_popular[i] = new QRadioButton(tr("Empty slot"), m_popularBox);
        m_popular[i]->setObjectName(QStringLiteral("NewGameMapsPopularButton"));
        popularLayout->addWidget(m_popular[i]);
        m_personal[i] = new QRadioButton(tr("Empty slot"), m_personalBox);
        m_personal[i]->setObjectName(QStringLiteral("NewGameMapsPersonalButton"));
        personalLayout->addWidget(m_personal[i]);
        m_popularMaps[i] = -1;
        m_personalMaps[i] = -1;
    }
    for (int i = 0; i < SlotCount; ++i) {
        m_group->addButton(m_popular[i]);
        connect(m_popular[i], &QRadioButton::clicked, this, &NewGameMaps::checkboxClicked);
    }
    for (int i = 0; i < SlotCount; ++i) {
        m_group->addButton(m_personal[i]);
        connect(m_personal[i], &QRadioButton::clicked, this, &NewGameMaps::checkboxClicked);
    }
    m_layout->addWidget(m_popularBox);
    m_layout->addWidget(m_personalBox);
    m_layout->addStretch();
}

NewGameMaps::~NewGameMaps()
{
    delete m_group;
}

QRadioButton* NewGameMaps::checkedButton(int* mapId) const
{
    for (int i = 0; i < SlotCount; ++i) {
        if (m_personal[i]->isChecked()) {
            *mapId = m_personalMaps[i];
            return m_personal[i];
        }
        if (m_popular[i]->isChecked()) {
            *mapId = m_popularMaps[i];
            return m_popular[i];
        }
    }
    *mapId = -1;
    return nullptr;
}

int NewGameMaps::selectedMapId() const
{
    int mapId;
    checkedButton(&mapId);
    return mapId;
}

void NewGameMaps::setSlot(bool personal, int slot, int mapId, const QString& mapName,
                          const QString& mapAuthor)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    QRadioButton* button = personal ? m_personal[slot] : m_popular[slot];
    button->setText(tr("%1 by %2").arg(mapName, mapAuthor));
    (personal ? m_personalMaps : m_popularMaps)[slot] = mapId;
    // A slot the server empties must not leave the button enabled.
    if (button->isChecked())
        emit(mapId >= 1 ? validMap() : invalidMap());
}

void NewGameMaps::reset()
{
    for (int i = 0; i < SlotCount; ++i) {
        m_popularMaps[i] = -1;
        m_personalMaps[i] = -1;
        m_popular[i]->setText(tr("Empty slot"));
        m_personal[i]->setText(tr("Empty slot"));
    }
    emit invalidMap();
}

void NewGameMaps::checkboxClicked()
{
    int mapId;
    if (checkedButton(&mapId) && mapId >= 1)
        emit validMap();
    else
        emit invalidMap();
}

NewGameDialog::NewGameDialog(QWidget* parent, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(QStringLiteral("NewGameDialog"));
    setModal(modal);
    setWindowIcon(Pictures::pixmap(QStringLiteral("WinIcons/Users.png")));
    setWindowTitle(tr("QtTarvenixGame -- New Game"));
    setWindowIconText(tr("QtTarvenixGame -- New Game"));

    m_layout = new QVBoxLayout(this);
    m_layout->setObjectName(QStringLiteral("NewGameDialogLayout"));
    m_layout->setContentsMargins(10, 10, 10, 10);
    m_layout->setSpacing(5);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("NewGameDialogTabs"));
    m_options = new NewGameOptions(m_tabs);
    m_options->setObjectName(QStringLiteral("NewGameDialogOptions"));
    m_timer = new NewGameTimer(m_tabs);
    m_timer->setObjectName(QStringLiteral("NewGameTimer"));
    m_maps = new NewGameMaps(m_tabs);
    m_maps->setObjectName(QStringLiteral("NewGameDialogMaps"));
    m_tabs->addTab(m_options, tr("Options"));
    m_tabs->addTab(m_timer, tr("Timer"));
    m_tabs->addTab(m_maps, tr("Maps"));
    m_button = new QPushButton(tr("New game"), this);
    m_button->setObjectName(QStringLiteral("NewGameDialogButton"));
    m_button->setEnabled(false);
    m_button->setDefault(true);
    m_closeButton = new QPushButton(tr("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("NewGameDialogClose"));
    // Says why New game cannot be pressed yet, on whichever tab is open.
    m_mapHint = new QLabel(tr("Choose a map on the Maps tab to start a game."), this);
    m_mapHint->setObjectName(QStringLiteral("NewGameDialogMapHint"));
    m_mapHint->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(5);
    buttons->addWidget(m_mapHint, 1);
    buttons->addWidget(m_button);
    buttons->addWidget(m_closeButton);
    m_layout->addWidget(m_tabs);
    m_layout->addLayout(buttons);

    connect(m_maps, &NewGameMaps::validMap, this, &NewGameDialog::validMapSelected);
    connect(m_maps, &NewGameMaps::invalidMap, this, &NewGameDialog::invalidMapSelected);
    connect(m_button, &QPushButton::clicked, this, &NewGameDialog::buttonClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &NewGameDialog::reject);
}

void NewGameDialog::setSlot(bool personal, int slot, int mapId, const QString& mapName,
                            const QString& mapAuthor)
{
    m_maps->setSlot(personal, slot, mapId, mapName, mapAuthor);
}

void NewGameDialog::reset()
{
    m_maps->reset();
}

void NewGameDialog::validMapSelected()
{
    m_button->setEnabled(true);
    m_mapHint->hide();
}

void NewGameDialog::invalidMapSelected()
{
    m_button->setEnabled(false);
    m_mapHint->show();
}

void NewGameDialog::buttonClicked()
{
    emit newGame(m_maps->selectedMapId(), m_options->placeBeforeAttack(), m_options->capitals(),
                 m_timer->timeout(), m_options->sameHost(), m_options->replaceBots(),
                 m_options->increaseCards(), m_options->hideCards(), m_options->noWhisper(),
                 m_options->blind(), m_timer->humans(), m_timer->ratingRange(),
                 m_options->allowGifts(), m_options->getCards(), m_timer->timerMode(),
                 m_options->sameLevel(), m_options->noBots());
}
