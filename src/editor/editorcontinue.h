#pragma once

#include "editorbase.h"

// A step the user ends with Continue, after working on the board.
class EditorContinue : public EditorBase
{
    Q_OBJECT

public:
    explicit EditorContinue(QWidget* parent = nullptr);

signals:
    void clicked();
};
