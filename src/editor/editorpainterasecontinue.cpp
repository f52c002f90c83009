#include "editorpainterasecontinue.h"

#include <QButtonGroup>
#include <QPushButton>

EditorPaintEraseContinue::EditorPaintEraseContinue(QWidget* parent) : EditorBase(parent)
{
    const QString history = tr("Ctrl+Z takes a stroke back, Ctrl+Shift+Z makes it again.");
    m_paint = addButton(tr("Paint"), QStringLiteral("EditorPaintButton"));
    m_paint->setToolTip(tr("Drag on the map to draw a line; an end near a point joins it.") +
                        u'\n' + history);
    m_erase = addButton(tr("Erase"), QStringLiteral("EditorEraseButton"));
    m_erase->setToolTip(tr("Click a point on the map to erase it with its lines.") + u'\n' +
                        history);
    m_tools = new QButtonGroup(this);
    for (QPushButton* button : {m_paint, m_erase}) {
        button->setCheckable(true);
        m_tools->addButton(button);
    }
    addStretch();
    QPushButton* next = addButton(tr("Continue"), QStringLiteral("EditorContinueButton"));
    connect(m_paint, &QPushButton::clicked, this, &EditorPaintEraseContinue::paint);
    connect(m_erase, &QPushButton::clicked, this, &EditorPaintEraseContinue::erase);
    connect(next, &QPushButton::clicked, this, &EditorPaintEraseContinue::cont);
}

EditorPaintEraseContinue::Tool EditorPaintEraseContinue::tool() const
{
    if (m_paint->isChecked())
        return Tool::Paint;
    return m_erase->isChecked() ? Tool::Erase : Tool::None;
}

void EditorPaintEraseContinue::setTool(Tool tool)
{
    // An exclusive group never lets go of its last checked button by itself.
    m_tools->setExclusive(false);
    m_paint->setChecked(tool == Tool::Paint);
    m_erase->setChecked(tool == Tool::Erase);
    m_tools->setExclusive(true);
}
