#include "editornamevalue.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

EditorNameValue::EditorNameValue(QWidget* parent) : EditorBase(parent)
{
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("EditorNameEdit"));
    m_name->setPlaceholderText(tr("Name"));
    m_value = new QSpinBox(this);
    m_value->setObjectName(QStringLiteral("EditorValueSpinBox"));
    m_value->setRange(0, 10);
    m_value->setSingleStep(1);
    m_value->setToolTip(tr("The armies a player gets for holding the whole continent"));
    buttonRow()->addWidget(m_name);
    buttonRow()->addWidget(m_value);
    addStretch();
    QPushButton* next = addButton(tr("Continue"), QStringLiteral("EditorContinueButton"));
    setFocusProxy(m_name);
    connect(next, &QPushButton::clicked, this, &EditorNameValue::continueClicked);
    connect(m_name, &QLineEdit::returnPressed, this, &EditorNameValue::continueClicked);
}

void EditorNameValue::continueClicked()
{
    const QString name = m_name->text();
    const int value = m_value->value();
    m_name->clear();
    emit nameValue(name, value);
}
