#include "editorpainterasecontinue.h"

#include <QPushButton>

EditorPaintEraseContinue::EditorPaintEraseContinue(QWidget* parent) : EditorBase(parent)
{
    QPushButton* paintButton = addButton(tr("Paint"), QStringLiteral("EditorPaintButton"));
    paintButton->setToolTip(tr("Drag on the map to draw a line; an end near a point joins it.\n"
                               "Ctrl+Z takes a stroke back, Ctrl+Shift+Z makes it again."));
    QPushButton* eraseButton = addButton(tr("Erase"), QStringLiteral("EditorEraseButton"));
    eraseButton->setToolTip(tr("Click a point on the map to erase it with its lines.\n"
                               "Ctrl+Z takes a stroke back, Ctrl+Shift+Z makes it again."));
    addStretch();
    QPushButton* next = addButton(tr("Continue"), QStringLiteral("EditorContinueButton"));
    connect(paintButton, &QPushButton::clicked, this, &EditorPaintEraseContinue::paint);
    connect(eraseButton, &QPushButton::clicked, this, &EditorPaintEraseContinue::erase);
    connect(next, &QPushButton::clicked, this, &EditorPaintEraseContinue::cont);
}
