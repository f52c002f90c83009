#include "editorcontinue.h"

#include <QPushButton>

EditorContinue::EditorContinue(QWidget* parent) : EditorBase(parent)
{
    addStretch();
    QPushButton* next = addButton(tr("Continue"), QStringLiteral("EditorContinueButton"));
    connect(next, &QPushButton::clicked, this, &EditorContinue::clicked);
}
