#pragma once

#include "editorstroke.h"

#include <QUndoCommand>

class MapDocument;

// One border painted or erased: done when pushed, taken back and done again
// on the document's lines and points.
class StrokeCommand : public QUndoCommand
{
public:
    StrokeCommand(MapDocument& document, const EditorStroke& stroke);

    void undo() override;
    void redo() override;

private:
    MapDocument& m_document;
    EditorStroke m_stroke;
};
