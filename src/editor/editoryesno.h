#pragma once

#include "editorbase.h"

// A question the user answers with Yes or No.
class EditorYesNo : public EditorBase
{
    Q_OBJECT

public:
    explicit EditorYesNo(QWidget* parent = nullptr);

signals:
    void yes();
    void no();
};
