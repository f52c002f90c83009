#pragma once

#include "seating.h"

#include <QColor>
#include <QList>
#include <QWidget>

class ColorEditor;
class ColorSample;
class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QRadioButton;

// The colour scheme of the six seats: a sample per seat, and the editor that
// changes the selected seat's text and background colour. Not stored; every
// run starts with the default scheme.
class ColorConfig : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Seats = Rules::MaxPlayers;

    explicit ColorConfig(QWidget* parent = nullptr, const QString& name = {});

    // The scheme every run starts with; white for a seat outside 0 to 5.
    static QColor defaultTextColor(int seat);
    static QColor defaultBackgroundColor(int seat);
    // White for a seat outside 0 to 5.
    QColor textColor(int seat) const;
    QColor backgroundColor(int seat) const;
    // The checked seat, or -1.
    int selectedSeat() const;

signals:
    void colorChanged(int seat);

private slots:
    void useColor();
    void radioToggled();
    void sampleClicked();

private:
    QGridLayout* m_mainLayout = nullptr;
    QGroupBox* m_playerBox = nullptr;
    QButtonGroup* m_group = nullptr;
    QList<QRadioButton*> m_radios;
    QList<ColorSample*> m_samples;
    QGroupBox* m_colorBox = nullptr;
    ColorEditor* m_editor = nullptr;
};
