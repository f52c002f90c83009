#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QWidget>

class BannerView;
class QTimer;

// The promotional panel the board shows over its centre now and then: the
// banner on top and a line of text scrolling from right to left below it.
class Marquee : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ScrollInterval = 25;
    // The panel's size over a board drawn at its picture's size; on a larger
    // or smaller board the panel and everything in it scale with the board.
    static constexpr QSize PanelSize{474, 100};

    explicit Marquee(QWidget* parent = nullptr);

    // Called by the board after showing the marquee and after hiding it.
    void showBanner(bool show);

    QString scrollText() const { return m_scrollText; }
    // In panel units, as is the text's width.
    int offset() const { return m_offset; }
    int step() const { return m_step; }
    // The width of the scroll text in the marquee's font.
    int textWidth() const;
    BannerView* browser() const { return m_browser; }

public slots:
    void increaseCurrent();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_scrollText;
    int m_offset = 0;
    int m_step = 1;
    QTimer* m_timer = nullptr;
    QFont m_font;
    BannerView* m_browser = nullptr;
};
