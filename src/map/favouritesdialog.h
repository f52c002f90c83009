#pragma once

#include "mapslots.h"

#include <QDialog>

#include <memory>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Lets the user keep the map of his current game in one of his five personal
// map slots on the server, shown from a MapSlots table (a dialog made without
// one keeps its own). The dialog only reports the chosen slot.
class FavouritesDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int SlotCount = MapSlots::Count;

    explicit FavouritesDialog(QWidget* parent = nullptr);
    explicit FavouritesDialog(MapSlots& mapSlots, QWidget* parent = nullptr);
    ~FavouritesDialog() override;

public slots:
    void setSlot(int slot, const QString& mapName, const QString& mapAuthor);

signals:
    void store(int slot);

private slots:
    void okClicked();

private:
    void init();
    void slotAnnounced(bool personal, int slot);

    std::unique_ptr<MapSlots> m_ownSlots;
    MapSlots& m_slots;
    QLabel* m_label;
    QGroupBox* m_box;
    QButtonGroup* m_group;
    QRadioButton* m_slotButtons[SlotCount];
    QWidget* m_buttons;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};
