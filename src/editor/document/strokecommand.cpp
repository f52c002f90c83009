#include "strokecommand.h"

#include "mapdocument.h"

StrokeCommand::StrokeCommand(MapDocument& document, const EditorStroke& stroke)
    : m_document(document), m_stroke(stroke)
{}

void StrokeCommand::undo()
{
    m_document.revertStroke(m_stroke);
}

void StrokeCommand::redo()
{
    m_document.applyStroke(m_stroke);
}
