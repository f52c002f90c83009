#pragma once

#include <QDialog>
#include <QSpinBox>

class QButtonGroup;
class QCheckBox;
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

// The maps tab: five popular and five personal map slots, one of which can
// be chosen. A slot is usable once the server has put a map into it.
class NewGameMaps : public QWidget
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 5;

    explicit NewGameMaps(QWidget* parent = nullptr);
    ~NewGameMaps() override;

    // The map number of the chosen slot, -1 when none is chosen.
    int selectedMapId() const;

public slots:
    void setSlot(bool personal, int slot, int mapId, const QString& mapName,
                 const QString& mapAuthor);
    void reset();

signals:
    void validMap();
    void invalidMap();

private slots:
    void checkboxClicked();

private:
    QRadioButton* checkedButton(int* mapId) const;

    QVBoxLayout* m_layout;
    QButtonGroup* m_group;
    QGroupBox* m_popularBox;
    QGroupBox* m_personalBox;
    QRadioButton* m_popular[SlotCount];
    QRadioButton* m_personal[SlotCount];
    int m_popularMaps[SlotCount];
    int m_personalMaps[SlotCount];
};

// The dialog in which the user sets up a game to open on the server; its one
// button sends every choice with newGame() and leaves the dialog open.
class NewGameDialog : public QDialog
{
    Q_OBJECT

public:
    explicit NewGameDialog(QWidget* parent = nullptr, bool modal = false,
                           Qt::WindowFlags flags = {});

    NewGameOptions* options() const { return m_options; }
    NewGameTimer* timer() const { return m_timer; }
    NewGameMaps* maps() const { return m_maps; }

public slots:
    void setSlot(bool personal, int slot, int mapId, const QString& mapName,
                 const QString& mapAuthor);
    void reset();

signals:
    void newGame(int mapId, bool placeBeforeAttack, bool capitals, int timeout, bool sameHosts,
                 bool replaceBots, bool increasingCards, bool hideCards, bool noWhispering,
                 bool blind, int minHumans, int ratingRange, bool gifts, bool getCards,
                 int timerMode, bool sameLevel, bool noBots);

private slots:
    void validMapSelected();
    void invalidMapSelected();
    void buttonClicked();

private:
    QVBoxLayout* m_layout;
    QTabWidget* m_tabs;
    NewGameOptions* m_options;
    NewGameTimer* m_timer;
    NewGameMaps* m_maps;
    QPushButton* m_button;
    QPushButton* m_closeButton;
    QLabel* m_mapHint;
};
