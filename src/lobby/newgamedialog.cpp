#include "newgamedialog.h"

#include "gamelimits.h"
#include "pictures.h"
#include "robotlevel.h"
#include "seating.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>

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

RobotsSpinBox::RobotsSpinBox(QWidget* parent) : WordedSpinBox(parent)
{
    setRange(1, Rules::MaxPlayers - 1);
    setSingleStep(1);
    setValue(NewGameDialog::DefaultRobots);
}

QString RobotsSpinBox::textFromValue(int value) const
{
    if (value == 1)
        return tr("1 robot");
    return tr("%1 robots").arg(value);
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

QList<QCheckBox*> NewGameOptions::boxes() const
{
    return {m_placeBeforeAttack, m_capitals,  m_sameHost,  m_replaceBots,
            m_increaseCards,     m_hideCards, m_noWhisper, m_blind,
            m_allowGifts,        m_getCards,  m_sameLevel, m_noBots};
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

void NewGameTimer::setHumans(int humans)
{
    m_humans->setValue(humans);
}

void NewGameTimer::setTimeout(int seconds)
{
    m_timeout->setValue(seconds);
}

void NewGameTimer::setRatingRange(int points)
{
    m_rating->setValue(points);
}

void NewGameTimer::setTimerMode(int mode)
{
    (mode == 0 ? m_kickAll : mode == 1 ? m_kickInactive : m_kickNone)->setChecked(true);
}

NewGameMaps::NewGameMaps(QWidget* parent)
    : QWidget(parent), m_ownSlots(std::make_unique<MapSlots>()), m_slots(*m_ownSlots)
{
    init();
}

NewGameMaps::NewGameMaps(MapSlots& mapSlots, QWidget* parent) : QWidget(parent), m_slots(mapSlots)
{
    init();
}

void NewGameMaps::init()
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
    connect(&m_slots, &MapSlots::announced, this, &NewGameMaps::slotAnnounced);
    connect(&m_slots, &MapSlots::cleared, this, &NewGameMaps::slotsCleared);
    for (int i = 0; i < SlotCount; ++i) {
        for (const bool personal : {false, true}) {
            const MapSlot& slot = m_slots.slot(personal, i);
            if (!slot.name.isEmpty() || slot.isFilled())
                (personal ? m_personal : m_popular)[i]->setText(
                    tr("%1 by %2").arg(slot.name, slot.author));
        }
    }
}

NewGameMaps::~NewGameMaps()
{
    delete m_group;
}

QRadioButton* NewGameMaps::checkedButton(int* mapId) const
{
    for (int i = 0; i < SlotCount; ++i) {
        if (m_personal[i]->isChecked()) {
            *mapId = m_slots.slot(true, i).mapId;
            return m_personal[i];
        }
        if (m_popular[i]->isChecked()) {
            *mapId = m_slots.slot(false, i).mapId;
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

int NewGameMaps::anyMapId() const
{
    const int chosen = selectedMapId();
    return chosen >= 1 ? chosen : m_slots.anyMapId();
}

int NewGameMaps::selectedSlot(bool* personal) const
{
    for (int i = 0; i < SlotCount; ++i) {
        if (m_personal[i]->isChecked() || m_popular[i]->isChecked()) {
            *personal = m_personal[i]->isChecked();
            return i;
        }
    }
    *personal = false;
    return -1;
}

void NewGameMaps::selectSlot(bool personal, int slot)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    (personal ? m_personal : m_popular)[slot]->setChecked(true);
    checkboxClicked();
}

void NewGameMaps::setSlot(bool personal, int slot, int mapId, const QString& mapName,
                          const QString& mapAuthor)
{
    m_slots.set(personal, slot, {mapId, mapName, mapAuthor});
}

void NewGameMaps::slotAnnounced(bool personal, int slot)
{
    const MapSlot& content = m_slots.slot(personal, slot);
    QRadioButton* button = personal ? m_personal[slot] : m_popular[slot];
    button->setText(tr("%1 by %2").arg(content.name, content.author));
    // A slot the server empties must not leave the button enabled.
    if (button->isChecked())
        emit(content.isFilled() ? validMap() : invalidMap());
    emit slotsChanged();
}

void NewGameMaps::reset()
{
    m_slots.clear();
}

void NewGameMaps::slotsCleared()
{
    for (int i = 0; i < SlotCount; ++i) {
        m_popular[i]->setText(tr("Empty slot"));
        m_personal[i]->setText(tr("Empty slot"));
    }
    emit invalidMap();
    emit slotsChanged();
}

void NewGameMaps::checkboxClicked()
{
    int mapId;
    if (checkedButton(&mapId) && mapId >= 1)
        emit validMap();
    else
        emit invalidMap();
    emit slotsChanged();
}

NewGameDialog::NewGameDialog(QWidget* parent, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    init(nullptr, modal);
}

NewGameDialog::NewGameDialog(MapSlots& mapSlots, QWidget* parent) : QDialog(parent)
{
    init(&mapSlots, false);
}

void NewGameDialog::init(MapSlots* mapSlots, bool modal)
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
    m_maps = mapSlots ? new NewGameMaps(*mapSlots, m_tabs) : new NewGameMaps(m_tabs);
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
    // Its room stays when it goes, so that New game and Close do not move
    // under the pointer once a map is chosen.
    QSizePolicy hintPolicy = m_mapHint->sizePolicy();
    hintPolicy.setRetainSizeWhenHidden(true);
    m_mapHint->setSizePolicy(hintPolicy);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(5);
    buttons->addWidget(m_mapHint, 1);
    buttons->addWidget(m_button);
    buttons->addWidget(m_closeButton);

    // A game against robots in one step, with the rules of the tabs.
    m_robotsBox = new QGroupBox(tr("Play against robots"), this);
    m_robotsBox->setObjectName(QStringLiteral("NewGameRobotsBox"));
    m_robots = new RobotsSpinBox(m_robotsBox);
    m_robots->setObjectName(QStringLiteral("NewGameRobotsSpinBox"));
    m_level = new QComboBox(m_robotsBox);
    m_level->setObjectName(QStringLiteral("NewGameRobotLevelBox"));
    m_playButton = new QPushButton(tr("&Play against robots"), m_robotsBox);
    m_playButton->setObjectName(QStringLiteral("NewGamePlayRobotsButton"));
    m_playButton->setAutoDefault(false);
    m_playButton->setToolTip(tr("Opens a game on the chosen map, or the first map there is, for "
                                "you and the robots, and starts it"));
    auto* robots = new QHBoxLayout(m_robotsBox);
    robots->addWidget(m_robots);
    robots->addWidget(m_level, 1);
    robots->addWidget(m_playButton);
    setRobotLevels({RobotLevel::Easy, RobotLevel::Normal, RobotLevel::Hard});

    m_layout->addWidget(m_tabs);
    m_layout->addWidget(m_robotsBox);
    m_layout->addLayout(buttons);

    connect(m_maps, &NewGameMaps::validMap, this, &NewGameDialog::validMapSelected);
    connect(m_maps, &NewGameMaps::invalidMap, this, &NewGameDialog::invalidMapSelected);
    connect(m_maps, &NewGameMaps::slotsChanged, this, &NewGameDialog::updatePlayButton);
    connect(m_button, &QPushButton::clicked, this, &NewGameDialog::buttonClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &NewGameDialog::reject);
    connect(m_playButton, &QPushButton::clicked, this, &NewGameDialog::playAgainstRobots);
    connect(m_level, &QComboBox::activated, this,
            [this] { m_wantedLevel = m_level->currentData().toInt(); });
    updatePlayButton();
}

QString NewGameDialog::choicesFileBeside(const QString& configFile)
{
    return QFileInfo(configFile).absoluteDir().filePath(QStringLiteral("newgame.ini"));
}

void NewGameDialog::setChoicesFile(const QString& fileName)
{
    m_choicesFile = fileName;
    if (fileName.isEmpty() || !QFileInfo::exists(fileName))
        return;
    const QSettings file(fileName, QSettings::IniFormat);
    for (QCheckBox* box : m_options->boxes()) {
        const QString key = QStringLiteral("options/") + box->objectName();
        box->setChecked(file.value(key, box->isChecked()).toBool());
    }
    m_timer->setTimerMode(file.value(QStringLiteral("timer/mode"), m_timer->timerMode()).toInt());
    m_timer->setHumans(file.value(QStringLiteral("timer/humans"), m_timer->humans()).toInt());
    m_timer->setTimeout(file.value(QStringLiteral("timer/timeout"), m_timer->timeout()).toInt());
    m_timer->setRatingRange(
        file.value(QStringLiteral("timer/rating"), m_timer->ratingRange()).toInt());
    const int slot = file.value(QStringLiteral("map/slot"), -1).toInt();
    if (slot >= 0)
        m_maps->selectSlot(file.value(QStringLiteral("map/personal")).toBool(), slot);
    m_robots->setValue(file.value(QStringLiteral("robots/count"), m_robots->value()).toInt());
    selectLevel(file.value(QStringLiteral("robots/level"), m_wantedLevel).toInt());
}

void NewGameDialog::saveChoices() const
{
    if (m_choicesFile.isEmpty())
        return;
    QSettings file(m_choicesFile, QSettings::IniFormat);
    for (const QCheckBox* box : m_options->boxes())
        file.setValue(QStringLiteral("options/") + box->objectName(), box->isChecked());
    file.setValue(QStringLiteral("timer/mode"), m_timer->timerMode());
    file.setValue(QStringLiteral("timer/humans"), m_timer->humans());
    file.setValue(QStringLiteral("timer/timeout"), m_timer->timeout());
    file.setValue(QStringLiteral("timer/rating"), m_timer->ratingRange());
    bool personal = false;
    file.setValue(QStringLiteral("map/slot"), m_maps->selectedSlot(&personal));
    file.setValue(QStringLiteral("map/personal"), personal);
    file.setValue(QStringLiteral("robots/count"), m_robots->value());
    file.setValue(QStringLiteral("robots/level"), m_wantedLevel);
}

int NewGameDialog::robotCount() const
{
    return m_robots->value();
}

int NewGameDialog::robotLevel() const
{
    return m_level->currentData().toInt();
}

void NewGameDialog::setRobotLevels(const QList<int>& levels)
{
    QList<int> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    m_level->clear();
    for (int level : std::as_const(sorted)) {
        m_level->addItem(RobotLevel::title(level), level);
        m_level->setItemData(m_level->count() - 1, RobotLevel::description(level), Qt::ToolTipRole);
    }
    selectLevel(m_wantedLevel);
}

void NewGameDialog::selectLevel(int level)
{
    m_wantedLevel = level;
    // The nearest level offered stands in until the one chosen comes.
    int best = -1;
    for (int i = 0; i < m_level->count(); ++i) {
        const int distance = std::abs(m_level->itemData(i).toInt() - level);
        if (best < 0 || distance < std::abs(m_level->itemData(best).toInt() - level))
            best = i;
    }
    m_level->setCurrentIndex(best);
}

void NewGameDialog::updatePlayButton()
{
    m_playButton->setEnabled(m_maps->anyMapId() >= 1 && m_level->count() > 0);
}

void NewGameDialog::playAgainstRobots()
{
    const int mapId = m_maps->anyMapId();
    if (mapId < 1 || m_level->count() == 0)
        return;
    saveChoices();
    emit robotGame(mapId, m_robots->value(), robotLevel());
}

void NewGameDialog::done(int result)
{
    saveChoices();
    QDialog::done(result);
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
    saveChoices();
    emit newGame(m_maps->selectedMapId(), m_options->placeBeforeAttack(), m_options->capitals(),
                 m_timer->timeout(), m_options->sameHost(), m_options->replaceBots(),
                 m_options->increaseCards(), m_options->hideCards(), m_options->noWhisper(),
                 m_options->blind(), m_timer->humans(), m_timer->ratingRange(),
                 m_options->allowGifts(), m_options->getCards(), m_timer->timerMode(),
                 m_options->sameLevel(), m_options->noBots());
}
