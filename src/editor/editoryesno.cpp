#include "editoryesno.h"

#include <QPushButton>

EditorYesNo::EditorYesNo(QWidget* parent) : EditorBase(parent)
{
    QPushButton* yesButton = addButton(tr("Yes"), QStringLiteral("EditorYesButton"));
    QPushButton* noButton = addButton(tr("No"), QStringLiteral("EditorNoButton"));
    addStretch();
    connect(yesButton, &QPushButton::clicked, this, &EditorYesNo::yes);
    connect(noButton, &QPushButton::clicked, this, &EditorYesNo::no);
}
