#pragma once

#include "editorbase.h"

class QLineEdit;
class QSpinBox;

// A name and a bonus value from 0 to 10, for a continent.
class EditorNameValue : public EditorBase
{
    Q_OBJECT

public:
    explicit EditorNameValue(QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QSpinBox* valueBox() const { return m_value; }

signals:
    void nameValue(const QString& name, int value);

private:
    void continueClicked();

    QLineEdit* m_name;
    QSpinBox* m_value;
};
