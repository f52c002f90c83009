#include "robotdialog.h"

#include "listwidth.h"
#include "pictures.h"
#include "robotlevel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

RobotItem::RobotItem(const RobotInfo& robot)
{
    setText(NicknameColumn, robot.name);
    set(robot);
}

void RobotItem::set(const RobotInfo& robot)
{
    setText(OwnerColumn, robot.owner);
    // Numbers, so that they sort as numbers and show in decimal.
    setData(RatingColumn, Qt::DisplayRole, robot.rating);
    setData(LevelColumn, Qt::DisplayRole, robot.level);
    setData(GamesColumn, Qt::DisplayRole, robot.games);
    // The number stays what the server says; its meaning is a hover away.
    const QString tip =
        QCoreApplication::translate("RobotDialog", "%1, level %2\n%3")
            .arg(robot.name, RobotLevel::title(robot.level), RobotLevel::description(robot.level));
    for (int column = 0; column < ColumnCount; ++column)
        setToolTip(column, tip);
}

QString RobotItem::sortKey(int column) const
{
    if (column == NicknameColumn || column == OwnerColumn)
        return text(column).toLower();
    return QString::asprintf("%010d", data(column, Qt::DisplayRole).toInt());
}

bool RobotItem::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const auto* robot = dynamic_cast<const RobotItem*>(&other);
    if (!robot)
        return QTreeWidgetItem::operator<(other);
    return sortKey(column) < robot->sortKey(column);
}

RobotDialog::RobotDialog(QWidget* parent)
    : QDialog(parent), m_ownRoster(std::make_unique<RobotRoster>()), m_roster(*m_ownRoster)
{
    init();
}

RobotDialog::RobotDialog(RobotRoster& roster, QWidget* parent) : QDialog(parent), m_roster(roster)
{
    init();
}

RobotDialog::~RobotDialog() = default;

void RobotDialog::init()
{
    setObjectName(QStringLiteral("RobotDialog"));
    setWindowIcon(Pictures::pixmap(QStringLiteral("WinIcons/Robot.png")));
    setWindowTitle(tr("QtTarvenixGame -- Robots"));
    setWindowIconText(tr("QtTarvenixGame -- Robots"));

    m_layout = new QVBoxLayout(this);
    m_layout->setObjectName(QStringLiteral("RobotDialogLayout"));
    m_layout->setContentsMargins(10, 10, 10, 10);
    m_layout->setSpacing(5);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("RobotDialogList"));
    m_list->setColumnCount(RobotItem::ColumnCount);
    m_list->setHeaderLabels({tr("Nickname"), tr("Owner"), tr("Rating"), tr("Level"), tr("Games")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSortingEnabled(true);
    m_list->sortByColumn(RobotItem::NicknameColumn, Qt::AscendingOrder);
    QStringList levels;
    for (int level = RobotLevel::Easy; level <= RobotLevel::Highest; ++level)
        levels << RobotLevel::description(level);
    m_list->headerItem()->setToolTip(RobotItem::LevelColumn, levels.join(QLatin1Char('\n')));
    m_button = new QPushButton(tr("Add to game"), this);
    m_button->setObjectName(QStringLiteral("RobotDialogButton"));
    m_button->setEnabled(false);
    m_closeButton = new QPushButton(tr("&Close"), this);
    m_closeButton->setObjectName(QStringLiteral("RobotDialogClose"));
    m_closeButton->setAutoDefault(false);
    // What the level numbers mean, under the list they explain.
    m_levels = new QLabel(levelsText(), this);
    m_levels->setObjectName(QStringLiteral("RobotDialogLevels"));
    m_levels->setWordWrap(true);
    m_levels->setTextFormat(Qt::PlainText);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(5);
    buttons->addWidget(m_button, 1);
    buttons->addWidget(m_closeButton);
    m_layout->addWidget(m_list);
    m_layout->addWidget(m_levels);
    m_layout->addLayout(buttons);
    keepColumnsInView(m_list);
    // At least wide enough for every column title.
    int width = 2 * m_list->frameWidth() + 2 * 10 + m_list->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < RobotItem::ColumnCount; ++column)
        width += m_list->header()->sectionSizeHint(column);
    resize(std::max(300, width), 450);

    connect(m_list, &QTreeWidget::currentItemChanged, this, &RobotDialog::selectionChanged);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &RobotDialog::robotClicked);
    connect(m_button, &QPushButton::clicked, this, &RobotDialog::clicked);
    connect(m_closeButton, &QPushButton::clicked, this, &RobotDialog::reject);
    connect(&m_roster, &RobotRoster::stored, this, &RobotDialog::robotStored);
    connect(&m_roster, &RobotRoster::cleared, this, &RobotDialog::robotsCleared);
    for (int i = 0; i < m_roster.robots().size(); ++i)
        robotStored(i, true);
}

QString RobotDialog::levelsText()
{
    QStringList lines;
    for (int level = RobotLevel::Easy; level <= RobotLevel::Highest; ++level)
        lines << tr("%1: %2").arg(RobotLevel::title(level), RobotLevel::summary(level));
    return lines.join(QLatin1Char('\n'));
}

QList<RobotChoice> RobotDialog::robots() const
{
    return m_roster.choices();
}

void RobotDialog::store(const QString& nickname, const QString& owner, int rating, int games,
                        int level)
{
    m_roster.store({nickname, owner, rating, games, level});
}

void RobotDialog::robotStored(int index, bool added)
{
    const RobotInfo& robot = m_roster.robots().at(index);
    if (RobotItem* row = m_robots.value(robot.name); row && !added) {
        row->set(robot);
        return;
    }
    auto* row = new RobotItem(robot);
    m_list->addTopLevelItem(row);
    m_robots.insert(robot.name, row);
}

void RobotDialog::reset()
{
    m_roster.clear();
    m_button->setEnabled(false);
}

void RobotDialog::robotsCleared()
{
    m_robots.clear();
    m_list->clear();
}

void RobotDialog::selectionChanged()
{
    m_button->setEnabled(m_list->currentItem() != nullptr);
}

void RobotDialog::clicked()
{
    if (const auto* row = static_cast<RobotItem*>(m_list->currentItem()))
        emit startRobot(row->nickname());
}

void RobotDialog::robotClicked(QTreeWidgetItem* row)
{
    if (row)
        emit startRobot(static_cast<RobotItem*>(row)->nickname());
}
