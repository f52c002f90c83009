#include "editorslots.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

EditorSlots::EditorSlots(QWidget* parent) : EditorBase(parent)
{
    m_slots = new QComboBox(this);
    m_slots->setObjectName(QStringLiteral("EditorSlotCombo"));
    // The list runs in the order of the favourites dialog, whose first slot
    // is slot 0 on the server: "slot 1" is that one.
    for (int i = 1; i <= SlotCount; ++i)
        m_slots->addItem(tr("slot %1").arg(i));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("EditorNameEdit"));
    m_name->setPlaceholderText(tr("Name of the map"));
    buttonRow()->addWidget(m_slots);
    buttonRow()->addWidget(m_name);
    addStretch();
    QPushButton* next = addButton(tr("Continue"), QStringLiteral("EditorContinueButton"));
    setFocusProxy(m_name);
    connect(next, &QPushButton::clicked, this, &EditorSlots::continueClicked);
    connect(m_name, &QLineEdit::returnPressed, this, &EditorSlots::continueClicked);
}

void EditorSlots::continueClicked()
{
    emit store(m_slots->currentIndex(), m_name->text());
    m_name->clear();
}
