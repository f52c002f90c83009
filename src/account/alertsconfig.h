#pragma once

#include <QWidget>

class QCheckBox;

// The ways the program may call the player back when his turn comes while
// its window is in the background, each a switch of its own.
class AlertsConfig : public QWidget
{
    Q_OBJECT

public:
    explicit AlertsConfig(QWidget* parent = nullptr, const QString& name = {});

    bool flash() const;
    bool desktop() const;
    bool sound() const;

public slots:
    // Shows the switches as stored, without announcing them.
    void setSwitches(bool flash, bool desktop, bool sound);

signals:
    // The user changed a switch.
    void switchesChanged(bool flash, bool desktop, bool sound);
    // The user asked to hear the sound.
    void trySound();

private:
    void announce();

    QCheckBox* m_flash = nullptr;
    QCheckBox* m_desktop = nullptr;
    QCheckBox* m_sound = nullptr;
};
