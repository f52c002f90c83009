#pragma once

#include "editorbase.h"

// A drawing step: Paint and Erase choose what a drag on the board does,
// Continue ends the step.
class EditorPaintEraseContinue : public EditorBase
{
    Q_OBJECT

public:
    explicit EditorPaintEraseContinue(QWidget* parent = nullptr);

signals:
    void paint();
    void erase();
    void cont();
};
