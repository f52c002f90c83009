#pragma once

#include <QLabel>

// A line of hints in a tool bar that takes the bar's width and never widens
// the window: a text longer than the width wraps onto further lines, and the
// bar grows to show them all, since a tool bar sizes its widgets by their
// size hints alone.
class HintLine : public QLabel
{
    Q_OBJECT

public:
    explicit HintLine(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
};
