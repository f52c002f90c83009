#pragma once

#include <QDialog>
#include <QPixmap>

class QGridLayout;
class QLabel;
class QTimer;

// The borderless picture on screen while the main window is being built.
class Splash : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxExposeWait = 300;

    explicit Splash(QWidget* parent = nullptr);

    // Shows the splash and waits, briefly, until it is on screen: the main
    // window is built before the event loop runs, so a plain show() would
    // never get painted.
    void showNow();
    // Hides the splash at the next pass of the event loop.
    void finish();

    const QPixmap& picture() const { return m_picture; }

private:
    static QPixmap drawnPicture();

    QGridLayout* m_layout = nullptr;
    QPixmap m_picture;
    QLabel* m_label = nullptr;
    QTimer* m_hideTimer = nullptr;
};
