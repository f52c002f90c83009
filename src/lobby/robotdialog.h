#pragma once

#include "robotgameplan.h"
#include "robotroster.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QTreeWidgetItem>

#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;
class QVBoxLayout;

// One robot the server offers, as a row of the robot dialog.
class RobotItem : public QTreeWidgetItem
{
public:
    enum Column {
        NicknameColumn,
        OwnerColumn,
        RatingColumn,
        LevelColumn,
        GamesColumn,
        ColumnCount
    };

    explicit RobotItem(const RobotInfo& robot);

    void set(const RobotInfo& robot);
    QString nickname() const { return text(NicknameColumn); }

    bool operator<(const QTreeWidgetItem& other) const override;
    QString sortKey(int column) const;
};

// Shows the robots the server offers, as the roster holds them; the user
// picks one to add to the game he runs. The dialog only reports the choice
// through startRobot(). A dialog made without a roster keeps its own.
class RobotDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RobotDialog(QWidget* parent = nullptr);
    RobotDialog(RobotRoster& roster, QWidget* parent = nullptr);
    ~RobotDialog() override;

    const RobotRoster& roster() const { return m_roster; }

    RobotItem* findRobot(const QString& nickname) const { return m_robots.value(nickname); }
    // Every robot listed, in the order the server announced them.
    QList<RobotChoice> robots() const;

public slots:
    void store(const QString& nickname, const QString& owner, int rating, int games, int level);
    void reset();

signals:
    void startRobot(const QString& nickname);

private slots:
    void selectionChanged();
    void clicked();
    void robotClicked(QTreeWidgetItem* row);

private:
    void init();
    void robotStored(int index, bool added);
    void robotsCleared();
    static QString levelsText();

    std::unique_ptr<RobotRoster> m_ownRoster;
    RobotRoster& m_roster;

    QVBoxLayout* m_layout;
    QTreeWidget* m_list;
    QPushButton* m_button;
    QPushButton* m_closeButton;
    QLabel* m_levels;
    QHash<QString, RobotItem*> m_robots;
};
