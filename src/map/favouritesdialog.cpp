#include "favouritesdialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FavouritesDialog::FavouritesDialog(QWidget* parent) : QDialog(parent)
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
        m_slots[i] = new QRadioButton(tr("Empty slot"), m_box);
        m_slots[i]->setObjectName(QStringLiteral("FavouritesSlot"));
        m_group->addButton(m_slots[i], i);
        boxLayout->addWidget(m_slots[i]);
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
}

void FavouritesDialog::setSlot(int slot, const QString& mapName, const QString& mapAuthor)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    m_slots[slot]->setText(tr("%1 by %2").arg(mapName, mapAuthor));
}

void FavouritesDialog::okClicked()
{
    for (int i = 0; i < SlotCount; ++i) {
        if (m_slots[i]->isChecked()) {
            emit store(i);
            return;
        }
    }
}
