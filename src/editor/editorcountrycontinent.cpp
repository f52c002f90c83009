#include "editorcountrycontinent.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

EditorCountryContinent::EditorCountryContinent(QWidget* parent) : EditorBase(parent)
{
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("EditorNameEdit"));
    m_name->setPlaceholderText(tr("Name"));
    m_continents = new QComboBox(this);
    m_continents->setObjectName(QStringLiteral("EditorContinentCombo"));
    // Long continent names must not widen the whole editor.
    m_continents->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_continents->setMinimumContentsLength(10);
    buttonRow()->addWidget(m_name);
    buttonRow()->addWidget(m_continents);
    addStretch();
    QPushButton* next = addButton(tr("Continue"), QStringLiteral("EditorContinueButton"));
    setFocusProxy(m_name);
    connect(next, &QPushButton::clicked, this, &EditorCountryContinent::continueClicked);
    connect(m_name, &QLineEdit::returnPressed, this, &EditorCountryContinent::continueClicked);
}

int EditorCountryContinent::addContinentName(const QString& name)
{
    m_continents->addItem(name);
    return m_continents->count() - 1;
}

void EditorCountryContinent::clearContinents()
{
    m_continents->clear();
}

void EditorCountryContinent::continueClicked()
{
    emit countryContinent(m_name->text(), m_continents->currentIndex());
    m_name->clear();
}
