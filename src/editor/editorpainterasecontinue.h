#pragma once

#include "editorbase.h"

class QButtonGroup;
class QPushButton;

// A drawing step: Paint and Erase choose what a drag on the board does and
// stay pressed while that tool is in use; Continue ends the step.
class EditorPaintEraseContinue : public EditorBase
{
    Q_OBJECT

public:
    enum class Tool { None, Paint, Erase };

    explicit EditorPaintEraseContinue(QWidget* parent = nullptr);

    Tool tool() const;
    // Shows the tool the board is in when the step starts or resumes.
    void setTool(Tool tool);

signals:
    void paint();
    void erase();
    void cont();

private:
    QButtonGroup* m_tools;
    QPushButton* m_paint;
    QPushButton* m_erase;
};
