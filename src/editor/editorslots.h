#pragma once

#include "editorbase.h"

class QComboBox;
class QLineEdit;

// The personal map slot a new map goes into, and the map's name.
class EditorSlots : public EditorBase
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 5;

    explicit EditorSlots(QWidget* parent = nullptr);

    QComboBox* slotList() const { return m_slots; }
    QLineEdit* nameEdit() const { return m_name; }

signals:
    // The slot is the chosen entry's place in the list, 0 to 4.
    void store(int slot, const QString& name);

private:
    void continueClicked();

    QComboBox* m_slots;
    QLineEdit* m_name;
};
