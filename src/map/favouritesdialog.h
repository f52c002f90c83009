#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Lets the user keep the map of his current game in one of his five personal
// map slots on the server. The dialog only reports the chosen slot.
class FavouritesDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 5;

    explicit FavouritesDialog(QWidget* parent = nullptr);

public slots:
    void setSlot(int slot, const QString& mapName, const QString& mapAuthor);

signals:
    void store(int slot);

private slots:
    void okClicked();

private:
    QLabel* m_label;
    QGroupBox* m_box;
    QButtonGroup* m_group;
    QRadioButton* m_slots[SlotCount];
    QWidget* m_buttons;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
};
