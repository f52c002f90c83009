#include "favouritesdialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FavouritesDialog::FavouritesDialog(QWidget* parent)
    : QDialog(parent), m_ownSlots(std::make_unique<MapSlots>()), m_slots(*m_ownSlots)
{
    init();
}

FavouritesDialog::FavouritesDialog(MapSlots& mapSlots, QWidget* parent)
    : QDialog(parent), m_slots(mapSlots)
{
    init();
}

FavouritesDialog::~FavouritesDialog() = default;

void FavouritesDialog::init()
{
    setObjectName(QStringLiteral("FavouritesDialog"));
    setWindowTitle(tr("QtTarvenixGame -- Favourites"));

    auto* layout = new QVBoxLayout(this);
    layout->setObjectName(QStringLiteral("FavouritesLayout"));
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(3);

    m_label = new QLabel(tr("Where do you want to store the current map?"), this);
    m_label->setObjectName(QStringLiteral("FavouritesLabel"));
    layout->addWidget(m_label);

    m_box = new QGroupBox(this);
    m_box->setObjectName(QStringLiteral("FavouritesButtonGroup"));
    auto* boxLayout = new QVBoxLayout(m_box);
    m_group = new QButtonGroup(m_box);
    m_group->setExclusive(true);
    for (int i = 0; i < SlotCount; ++i) {
        m_slotButtons[i] = new QRadioButton(tr("Empty slot"), m_box);
        m_slotButtons[i]->setObjectName(QStringLiteral("FavouritesSlot"));
        m_group->addButton(m_slotButtons[i], i);
        boxLayout->addWidget(m_slotButtons[i]);
    }
    layout->addWidget(m_box);

    m_buttons = new QWidget(this);
    m_buttons->setObjectName(QStringLiteral("FavouritesButtons"));
    auto* buttonsLayout = new QHBoxLayout(m_buttons);
    buttonsLayout->setContentsMargins(5, 5, 5, 5);
    buttonsLayout->setSpacing(10);
    m_okButton = new QPushButton(tr("Store"), m_buttons);
    m_okButton->setObjectName(QStringLiteral("FavouritesOkButton"));
    m_cancelButton = new QPushButton(tr("Cancel"), m_buttons);
    m_cancelButton->setObjectName(QStringLiteral("FavouritesCancelButton"));
    buttonsLayout->addStretch();
    buttonsLayout->addWidget(m_okButton);
    buttonsLayout->addWidget(m_cancelButton);
    buttonsLayout->addStretch();
    layout->addWidget(m_buttons);

    connect(m_okButton, &QPushButton::clicked, this, &FavouritesDialog::okClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &FavouritesDialog::hide);
    // A logout leaves the names shown until the next login announces them.
    connect(&m_slots, &MapSlots::announced, this, &FavouritesDialog::slotAnnounced);
}

void FavouritesDialog::setSlot(int slot, const QString& mapName, const QString& mapAuthor)
{
    m_slots.set(true, slot, {m_slots.slot(true, slot).mapId, mapName, mapAuthor});
}

void FavouritesDialog::slotAnnounced(bool personal, int slot)
{
    if (!personal)
        return;
    const MapSlot& content = m_slots.slot(true, slot);
    m_slotButtons[slot]->setText(tr("%1 by %2").arg(content.name, content.author));
}

void FavouritesDialog::okClicked()
{
    for (int i = 0; i < SlotCount; ++i) {
        if (m_slotButtons[i]->isChecked()) {
            emit store(i);
            return;
        }
    }
}
