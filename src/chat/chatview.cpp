#include "chatview.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace {

bool isSeparator(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return true;
    default:
        return false;
    }
}

} // namespace

ChatView::ChatView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Every pixel of the viewport comes from the image, so erasing first
    // would only make the view flicker.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    updateScrollBar();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (m_adjusting)
            return;
        m_atEnd = value >= verticalScrollBar()->maximum();
        if (m_atEnd && m_marker)
            m_marker->hide();
    });
}

void ChatView::setReaderMode(bool on)
{
    m_readerMode = on;
    if (!on && m_marker)
        m_marker->hide();
}

bool ChatView::hasNewLinesMarker() const
{
    return m_marker && !m_marker->isHidden();
}

void ChatView::scrollToEnd()
{
    m_adjusting = true;
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    m_adjusting = false;
    m_atEnd = true;
    if (m_marker)
        m_marker->hide();
}

void ChatView::placeMarker()
{
    if (!m_marker)
        return;
    const QSize hint = m_marker->sizeHint();
    const QRect port = viewport()->geometry();
    m_marker->setGeometry(port.right() - hint.width() - 4, port.bottom() - hint.height() - 4,
                          hint.width(), hint.height());
}

ChatView::~ChatView() = default;

QStringList ChatView::splitWords(QStringView text)
{
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isSeparator(text[i])) {
            if (start >= 0)
                words.append(text.mid(start, i - start).toString());
            start = -1;
        } else if (start < 0) {
            start = i;
        }
    }
    if (start >= 0)
        words.append(text.mid(start).toString());
    return words;
}

int ChatView::totalHeight() const
{
    return int(m_layoutEnd - contentOrigin());
}

void ChatView::setLineLimits(int maxLines, int keptLines)
{
    m_maxLines = std::max(0, maxLines);
    m_keptLines = std::clamp(keptLines, 0, m_maxLines);
    trim();
}

QSize ChatView::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QLatin1Char('x')) * 60 + verticalScrollBar()->sizeHint().width(),
            fm.height() * 6 + 2 * frameWidth()};
}

void ChatView::setMinimumColumns(int columns)
{
    m_minimumColumns = columns;
    updateGeometry();
}

QSize ChatView::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.averageCharWidth() * m_minimumColumns + verticalScrollBar()->sizeHint().width() +
                2 * frameWidth(),
            fm.height() * 2 + 2 * frameWidth()};
}

void ChatView::addLine(const QColor& circleColor, const QColor& textColor, const QString& text,
                       bool hideable)
{
    ChatLine line;
    line.circleColor = circleColor;
    line.textColor = textColor;
    line.hideable = hideable;
    const QStringList words = splitWords(text);
    line.words.reserve(words.size());
    for (const QString& word : words)
        line.words.append(ChatWord{word, 0});
    measure(line);
    line.rows = rowsFor(line);
    line.top = m_layoutEnd;
    line.height = isShown(line) ? line.rows * viewport()->fontMetrics().height() : 0;
    m_layoutEnd += line.height;
    const bool shown = isShown(line);
    m_lines.push_back(std::move(line));
    const qint64 lineTop = m_lines.back().top - contentOrigin();

    trim();
    if (!shown)
        return;

    // While the content is shorter than the view the new line lands inside
    // the image; otherwise scrolling to the end exposes it at paint time.
    if (!m_image.isNull()) {
        const qint64 bottom = m_imageTop + viewport()->height();
        const qint64 lineBottom = m_layoutEnd - contentOrigin();
        if (lineTop < bottom)
            paintRange(std::max(lineTop, m_imageTop), std::min(lineBottom, bottom));
    }
    updateScrollBar();
    if (!m_readerMode || m_atEnd) {
        scrollToEnd();
    } else {
        if (!m_marker) {
            m_marker = new QToolButton(this);
            m_marker->setObjectName(QStringLiteral("NewLinesMarker"));
            m_marker->setText(tr("New lines"));
            m_marker->setArrowType(Qt::DownArrow);
            m_marker->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            m_marker->setAutoRaise(false);
            m_marker->setCursor(Qt::PointingHandCursor);
            connect(m_marker, &QToolButton::clicked, this, &ChatView::scrollToEnd);
        }
        placeMarker();
        m_marker->show();
        m_marker->raise();
    }
    viewport()->update();
}

void ChatView::addLine(const QString& text, bool hideable)
{
    addLine(Qt::black, Qt::black, text, hideable);
}

void ChatView::changeFont(const QFont& font)
{
    setFont(font);
}

void ChatView::showHideable(bool show)
{
    m_showHideable = show;
    relayout();
}

void ChatView::paintEvent(QPaintEvent*)
{
    m_painted = true;
    QWidget* port = viewport();
    const qreal dpr = port->devicePixelRatioF();
    const QSize pixels = port->size() * dpr;
    const qint64 top = verticalScrollBar()->value();
    const int height = port->height();

    if (m_image.isNull() || m_image.size() != pixels) {
        m_image = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        m_image.setDevicePixelRatio(dpr);
        m_imageTop = top;
        paintRange(top, top + height);
    } else if (m_imageTop != top) {
        // Rows still inside the window keep their place in the ring; only
        // the strip that scrolled in is painted.
        const qint64 delta = top - m_imageTop;
        const bool whole = std::abs(delta) >= height || !ringUsable();
        const qint64 oldTop = m_imageTop;
        m_imageTop = top;
        if (whole)
            paintRange(top, top + height);
        else if (delta > 0)
            paintRange(oldTop + height, top + height);
        else
            paintRange(top, oldTop);
    }

    QPainter painter(port);
    const int width = port->width();
    const int split = ringRow(top);
    if (split == 0) {
        painter.drawImage(0, 0, m_image);
    } else {
        painter.drawImage(QRectF(0, 0, width, height - split), m_image,
                          QRectF(0, split * dpr, pixels.width(), (height - split) * dpr));
        painter.drawImage(QRectF(0, height - split, width, split), m_image,
                          QRectF(0, 0, pixels.width(), split * dpr));
    }
}

void ChatView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
    // Lines that arrived while the view was never on screen were laid out
    // for a size it never had; the user opens it to read the latest ones.
    // A reader at the newest line stays there whatever the new height.
    if (!m_painted || (m_readerMode && m_atEnd))
        scrollToEnd();
    placeMarker();
}

void ChatView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void ChatView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_circles.clear();
        m_words.clear();
        for (ChatLine& line : m_lines)
            measure(line);
        relayout();
        if (m_readerMode && m_atEnd)
            scrollToEnd();
    }
}

const ChatView::CachedWord& ChatView::cachedWord(const QString& text) const
{
    // Chat repeats its words a lot; shaping each only once is what keeps a
    // new line cheap. The cache is simply dropped when it grows too large.
    auto found = m_words.constFind(text);
    if (found != m_words.cend())
        return *found;
    if (m_words.size() >= WordCacheSize)
        m_words.clear();
    CachedWord word;
    word.width = viewport()->fontMetrics().horizontalAdvance(text);
    word.text.setText(text);
    word.text.setTextFormat(Qt::PlainText);
    word.text.setPerformanceHint(QStaticText::AggressiveCaching);
    word.text.prepare(QTransform(), font());
    return *m_words.insert(text, word);
}

void ChatView::measure(ChatLine& line) const
{
    for (ChatWord& word : line.words)
        word.width = cachedWord(word.text).width;
}

int ChatView::rowsFor(const ChatLine& line) const
{
    const QFontMetrics fm = viewport()->fontMetrics();
    const int available = viewport()->width();
    const int space = fm.horizontalAdvance(QLatin1Char(' '));
    const int indent = fm.height() + 2 * space;
    int rows = 1;
    int x = indent;
    for (const ChatWord& word : line.words) {
        if (x + word.width > available) {
            ++rows;
            x = indent;
        }
        x += word.width + space;
    }
    return rows;
}

void ChatView::trim()
{
    if (m_maxLines <= 0 || int(m_lines.size()) <= m_maxLines)
        return;
    const qint64 before = totalHeight();
    while (int(m_lines.size()) > m_keptLines)
        m_lines.pop_front();
    m_image = QImage();
    updateScrollBar();
    if (totalHeight() != before)
        viewport()->update();
}

void ChatView::relayout()
{
    const int rowHeight = viewport()->fontMetrics().height();
    qint64 y = 0;
    for (ChatLine& line : m_lines) {
        line.rows = rowsFor(line);
        line.top = y;
        line.height = isShown(line) ? line.rows * rowHeight : 0;
        y += line.height;
    }
    m_layoutEnd = y;
    m_image = QImage();
    updateScrollBar();
    viewport()->update();
}

void ChatView::updateScrollBar()
{
    const int visible = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    // A shorter range may move the bar; that is no step of the reader's.
    const bool adjusting = std::exchange(m_adjusting, true);
    bar->setRange(0, std::max(0, totalHeight() - visible));
    m_adjusting = adjusting;
    bar->setPageStep(std::max(1, visible));
    bar->setSingleStep(std::max(1, viewport()->fontMetrics().height()));
}

qint64 ChatView::contentOrigin() const
{
    return m_lines.empty() ? m_layoutEnd : m_lines.front().top;
}

std::deque<ChatLine>::const_iterator ChatView::firstLineBelow(qint64 y) const
{
    const qint64 absolute = y + contentOrigin();
    auto it = std::upper_bound(m_lines.begin(), m_lines.end(), absolute,
                               [](qint64 v, const ChatLine& line) { return v < line.top; });
    if (it != m_lines.begin())
        --it;
    return it;
}

bool ChatView::ringUsable() const
{
    const qreal dpr = viewport()->devicePixelRatioF();
    return dpr == qreal(int(dpr));
}

int ChatView::ringRow(qint64 y) const
{
    const int height = viewport()->height();
    if (height <= 0 || !ringUsable())
        return 0;
    return int(((y % height) + height) % height);
}

void ChatView::paintRange(qint64 from, qint64 to)
{
    if (m_image.isNull() || from >= to)
        return;
    const int height = viewport()->height();
    const int width = viewport()->width();
    from = std::max(from, m_imageTop);
    to = std::min(to, m_imageTop + height);
    QPainter painter(&m_image);
    painter.setFont(font());
    const QColor background = viewport()->palette().color(QPalette::Base);
    const qint64 origin = contentOrigin();
    // The image is a ring: content row y lives in image row y mod height, so
    // a range may wrap round its bottom edge and is painted in two pieces.
    while (from < to) {
        const int row = ringUsable() ? ringRow(from) : int(from - m_imageTop);
        const int length = int(std::min<qint64>(to - from, height - row));
        const QRect strip(0, row, width, length);
        painter.setClipRect(strip);
        painter.fillRect(strip, background);
        const qint64 shift = row - from;
        for (auto it = firstLineBelow(from); it != m_lines.end(); ++it) {
            const qint64 top = it->top - origin;
            if (top >= from + length)
                break;
            if (it->height > 0)
                paintLine(painter, *it, int(top + shift));
        }
        from += length;
    }
}

const QImage& ChatView::circle(const QColor& color) const
{
    // A circle is rendered once per colour and then copied, which is cheaper
    // than drawing it and gives the same pixels wherever the line lands.
    const qreal dpr = viewport()->devicePixelRatioF();
    auto found = m_circles.constFind(color.rgba());
    if (found != m_circles.cend() && found->devicePixelRatio() == dpr)
        return *found;
    const int h = viewport()->fontMetrics().height();
    QImage image(QSize(h, h) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(1, 1, h - 2, h - 2));
    painter.end();
    return *m_circles.insert(color.rgba(), image);
}

int ChatView::paintLine(QPainter& painter, const ChatLine& line, int y) const
{
    const QFontMetrics fm = viewport()->fontMetrics();
    const int h = fm.height();
    const int space = fm.horizontalAdvance(QLatin1Char(' '));
    const int available = viewport()->width();
    const int indent = h + 2 * space;

    painter.drawImage(space, y, circle(line.circleColor));

    painter.setPen(line.textColor);
    int rowTop = y;
    int x = indent;
    for (const ChatWord& word : line.words) {
        if (x + word.width > available) {
            rowTop += h;
            x = indent;
        }
        painter.drawStaticText(x, rowTop, cachedWord(word.text).text);
        x += word.width + space;
    }
    return line.rows * h;
}
