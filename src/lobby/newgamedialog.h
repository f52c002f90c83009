#pragma once

#include "mapslots.h"

#include <QDialog>
#include <QList>
#include <QSpinBox>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;

// Base of the new-game dialog's spin boxes. Each shows its value as a
// sentence, and typed text is never taken: the value changes only with the
// arrows or keys.
class WordedSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    using QSpinBox::QSpinBox;

protected:
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
};

class HumanSpinBox : public WordedSpinBox
{
    Q_OBJECT

public:
    explicit HumanSpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
};

class TimeoutSpinBox : public WordedSpinBox
{
    Q_OBJECT

public:
    explicit TimeoutSpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
};

class RobotsSpinBox : public WordedSpinBox
{
    Q_OBJECT

public:
    explicit RobotsSpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
};

class RatingSpinBox : public WordedSpinBox
{
    Q_OBJECT

public:
    explicit RatingSpinBox(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
};

// The options tab: one check box per game rule.
class NewGameOptions : public QWidget
{
    Q_OBJECT

public:
    explicit NewGameOptions(QWidget* parent = nullptr);

    bool placeBeforeAttack() const;
    bool capitals() const;
    bool sameHost() const;
    bool replaceBots() const;
    bool increaseCards() const;
    bool hideCards() const;
    bool noWhisper() const;
    bool blind() const;
    bool allowGifts() const;
    bool getCards() const;
    bool sameLevel() const;
    bool noBots() const;
    // Every box, top to bottom, for keeping the choices.
    QList<QCheckBox*> boxes() const;

private:
    QCheckBox* addBox(const char* name, const QString& text, bool checked = false);

    QVBoxLayout* m_layout;
    QGroupBox* m_box;
    QVBoxLayout* m_boxLayout;
    QCheckBox* m_placeBeforeAttack;
    QCheckBox* m_capitals;
    QCheckBox* m_sameHost;
    QCheckBox* m_replaceBots;
    QCheckBox* m_increaseCards;
    QCheckBox* m_hideCards;
    QCheckBox* m_noWhisper;
    QCheckBox* m_blind;
    QCheckBox* m_allowGifts;
    QCheckBox* m_getCards;
    QCheckBox* m_sameLevel;
    QCheckBox* m_noBots;
};

// The timer tab: what happens when a turn's time runs out, the minimum of
// humans, the turn time and the rating range.
class NewGameTimer : public QWidget
{
    Q_OBJECT

public:
    explicit NewGameTimer(QWidget* parent = nullptr);
    ~NewGameTimer() override;

    int humans() const;
    int timeout() const;
    int ratingRange() const;
    // 0: kick the current player, 1: kick him if he was inactive, 2: next turn.
    int timerMode() const;

    void setHumans(int humans);
    void setTimeout(int seconds);
    void setRatingRange(int points);
    void setTimerMode(int mode);

private:
    QVBoxLayout* m_layout;
    QButtonGroup* m_group;
    QGroupBox* m_topBox;
    QGroupBox* m_centerBox;
    QGroupBox* m_bottomBox;
    QRadioButton* m_kickAll;
    QRadioButton* m_kickInactive;
    QRadioButton* m_kickNone;
    HumanSpinBox* m_humans;
    TimeoutSpinBox* m_timeout;
    RatingSpinBox* m_rating;
    QLabel* m_warning;
};

// The maps tab: the five popular and five personal map slots of a MapSlots
// table, one of which can be chosen. A slot is usable once the server has
// put a map into it. A tab made without a table keeps its own.
class NewGameMaps : public QWidget
{
    Q_OBJECT

public:
    static constexpr int SlotCount = MapSlots::Count;

    explicit NewGameMaps(QWidget* parent = nullptr);
    explicit NewGameMaps(MapSlots& mapSlots, QWidget* parent = nullptr);
    ~NewGameMaps() override;

    // The map number of the chosen slot, -1 when none is chosen.
    int selectedMapId() const;
    // The chosen slot's map, else the first map the server has put into a
    // slot (popular first); -1 while every slot is empty.
    int anyMapId() const;
    // The chosen slot: personal or popular and its index; -1 for none.
    int selectedSlot(bool* personal) const;
    void selectSlot(bool personal, int slot);

public slots:
    void setSlot(bool personal, int slot, int mapId, const QString& mapName,
                 const QString& mapAuthor);
    void reset();

signals:
    void validMap();
    void invalidMap();
    // A slot was filled or emptied, or another one chosen.
    void slotsChanged();

private slots:
    void checkboxClicked();

private:
    void init();
    void slotAnnounced(bool personal, int slot);
    void slotsCleared();
    QRadioButton* checkedButton(int* mapId) const;

    std::unique_ptr<MapSlots> m_ownSlots;
    MapSlots& m_slots;

    QVBoxLayout* m_layout;
    QButtonGroup* m_group;
    QGroupBox* m_popularBox;
    QGroupBox* m_personalBox;
    QRadioButton* m_popular[SlotCount];
    QRadioButton* m_personal[SlotCount];
};

// The dialog in which the user sets up a game to open on the server; its one
// button sends every choice with newGame() and leaves the dialog open. Beside
// it, Play against robots opens a game with the same rules against robots in
// one step. The choices are kept in a file of their own, when one is given,
// for the next start of the program.
class NewGameDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int DefaultRobots = 3;

    explicit NewGameDialog(QWidget* parent = nullptr, bool modal = false,
                           Qt::WindowFlags flags = {});
    // The maps tab shows the slots of the table.
    explicit NewGameDialog(MapSlots& mapSlots, QWidget* parent = nullptr);

    NewGameOptions* options() const { return m_options; }
    NewGameTimer* timer() const { return m_timer; }
    NewGameMaps* maps() const { return m_maps; }

    // Reads the choices kept in the file, and keeps them there from now on.
    void setChoicesFile(const QString& fileName);
    // Writes the choices to the file, if there is one.
    void saveChoices() const;
    // "newgame.ini" beside the configuration file.
    static QString choicesFileBeside(const QString& configFile);

    int robotCount() const;
    int robotLevel() const;
    // The levels the server's robots have; 1 to 3 until it says.
    void setRobotLevels(const QList<int>& levels);

public slots:
    void setSlot(bool personal, int slot, int mapId, const QString& mapName,
                 const QString& mapAuthor);
    void reset();
    // Play against robots, as its button does; nothing while no map is known.
    void playAgainstRobots();

signals:
    void newGame(int mapId, bool placeBeforeAttack, bool capitals, int timeout, bool sameHosts,
                 bool replaceBots, bool increasingCards, bool hideCards, bool noWhispering,
                 bool blind, int minHumans, int ratingRange, bool gifts, bool getCards,
                 int timerMode, bool sameLevel, bool noBots);
    // A game on the map against that many robots of the level.
    void robotGame(int mapId, int robots, int level);

protected:
    void done(int result) override;

private slots:
    void validMapSelected();
    void invalidMapSelected();
    void buttonClicked();

private:
    void init(MapSlots* mapSlots, bool modal);
    void updatePlayButton();
    void selectLevel(int level);

    QVBoxLayout* m_layout;
    QTabWidget* m_tabs;
    NewGameOptions* m_options;
    NewGameTimer* m_timer;
    NewGameMaps* m_maps;
    QPushButton* m_button;
    QPushButton* m_closeButton;
    QLabel* m_mapHint;
    QGroupBox* m_robotsBox;
    RobotsSpinBox* m_robots;
    QComboBox* m_level;
    QPushButton* m_playButton;
    QString m_choicesFile;
    // The level chosen last, kept until the server offers it.
    int m_wantedLevel = 2;
};
