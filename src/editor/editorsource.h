#pragma once

#include "editorbase.h"

class QComboBox;

// The choice of the base picture a new map is drawn on.
class EditorSource : public EditorBase
{
    Q_OBJECT

public:
    explicit EditorSource(QWidget* parent = nullptr);

    QComboBox* pictures() const { return m_pictures; }

signals:
    // The picture's name as the board and the server know it.
    void source(const QString& picture);

private:
    void continueClicked();

    QComboBox* m_pictures;
};
