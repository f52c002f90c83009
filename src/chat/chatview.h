#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QStaticText>
#include <QString>
#include <QStringList>

#include <deque>

// One word of a chat line with its width in the view's current font.
struct ChatWord
{
    QString text;
    int width = 0;
};

// One line of a chat view: a filled circle followed by word-wrapped text.
// top and height are the line's place in the view's layout; a hidden line
// has height 0.
struct ChatLine
{
    QColor circleColor;
    QColor textColor;
    bool hideable = false;
    QList<ChatWord> words;
    int rows = 1;
    qint64 top = 0;
    int height = 0;
};

// The read-only, scrolling pane that shows chat channels, whispers and the
// game output. Lines are laid out once when they arrive; the visible part is
// kept in an off-screen image that an addition only scrolls and extends, so
// adding a line costs the same however many lines the view holds.
class ChatView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    static constexpr int DefaultMaxLines = 400;
    static constexpr int DefaultKeptLines = 300;

    explicit ChatView(QWidget* parent = nullptr);
    ~ChatView() override;

    // Splits on the six ASCII blanks only; every other character, including
    // non-Latin ones, belongs to a word.
    static QStringList splitWords(QStringView text);

    int lineCount() const { return int(m_lines.size()); }
    const ChatLine& line(int index) const { return m_lines[size_t(index)]; }
    // Sum of the heights of the lines that are shown.
    int totalHeight() const;
    bool isShowingHideable() const { return m_showHideable; }

    // When more than maxLines lines are held, the oldest are dropped until
    // keptLines remain; maxLines 0 keeps every line.
    void setLineLimits(int maxLines, int keptLines);
    int maxLines() const { return m_maxLines; }

    // The narrowest the view may be, in characters of its font.
    void setMinimumColumns(int columns);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // In reader mode the view stays at the newest line only while the reader
    // is there: scrolled up, he keeps his place and a marker offers the way
    // back down. Without it every addition shows the newest line.
    void setReaderMode(bool on);
    // The reader is at the newest line (or there is nothing to scroll).
    bool isAtEnd() const { return m_atEnd; }
    bool hasNewLinesMarker() const;

public slots:
    void addLine(const QColor& circleColor, const QColor& textColor, const QString& text,
                 bool hideable);
    void addLine(const QString& text, bool hideable = false);
    void changeFont(const QFont& font);
    void showHideable(bool show);
    void scrollToEnd();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    bool isShown(const ChatLine& line) const { return m_showHideable || !line.hideable; }
    void measure(ChatLine& line) const;
    int rowsFor(const ChatLine& line) const;
    void trim();
    void relayout();
    void updateScrollBar();
    void placeMarker();
    qint64 contentOrigin() const;
    // Paints the content rows [from, to) that lie in the image's window,
    // which starts at content row m_imageTop.
    void paintRange(qint64 from, qint64 to);
    struct CachedWord
    {
        int width = 0;
        QStaticText text;
    };
    static constexpr qsizetype WordCacheSize = 4096;

    const CachedWord& cachedWord(const QString& text) const;
    const QImage& circle(const QColor& color) const;
    bool ringUsable() const;
    int ringRow(qint64 y) const;
    int paintLine(QPainter& painter, const ChatLine& line, int y) const;
    std::deque<ChatLine>::const_iterator firstLineBelow(qint64 y) const;

    std::deque<ChatLine> m_lines;
    bool m_showHideable = true;
    qint64 m_layoutEnd = 0;
    int m_maxLines = DefaultMaxLines;
    int m_keptLines = DefaultKeptLines;
    int m_minimumColumns = 10;
    // Until the view is first painted its size is not the one the user will
    // see, so a resize keeps the newest line in sight.
    bool m_painted = false;
    bool m_readerMode = false;
    bool m_atEnd = true;
    // Set while the view itself moves the scroll bar.
    bool m_adjusting = false;
    class QToolButton* m_marker = nullptr;
    QImage m_image;
    qint64 m_imageTop = 0;
    mutable QHash<QRgb, QImage> m_circles;
    mutable QHash<QString, CachedWord> m_words;
};
