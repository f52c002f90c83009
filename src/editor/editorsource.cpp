#include "editorsource.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QPushButton>

EditorSource::EditorSource(QWidget* parent) : EditorBase(parent)
{
    m_pictures = new QComboBox(this);
    m_pictures->setObjectName(QStringLiteral("EditorSourceCombo"));
    // The names travel to the server, so a translation changes only what the
    // list shows.
    for (const char* name : {QT_TR_NOOP("world"), QT_TR_NOOP("africa"), QT_TR_NOOP("europe"),
                             QT_TR_NOOP("north america"), QT_TR_NOOP("united states")})
        m_pictures->addItem(tr(name), QString::fromLatin1(name));
    buttonRow()->addWidget(m_pictures);
    addStretch();
    QPushButton* next = addButton(tr("Continue"), QStringLiteral("EditorContinueButton"));
    connect(next, &QPushButton::clicked, this, &EditorSource::continueClicked);
}

void EditorSource::continueClicked()
{
    emit source(m_pictures->currentData().toString());
}
