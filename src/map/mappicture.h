#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

class Country;
class MapLine;

// One base picture with its country index. `coloured` is the picture with
// tinted countries and burnt borders; `index` holds one value per pixel: -1
// outside the map or on a border, -2 on a border's halo, 0 on unclaimed land,
// n > 0 on country n. `mask` is the index as the bare picture defines it.
// A detail picture, an integral number of times as large, gives the board
// its sharpness when drawn larger than the picture: the same tints and
// borders are laid over it, pixel block by pixel block, and the display
// image is that detail scaled smoothly to the size the board shows. All pixel
// work goes over scan lines.
class MapPicture
{
public:
    static constexpr qint32 Outside = -1;
    static constexpr qint32 Halo = -2;
    static constexpr qint32 Unclaimed = 0;
    static constexpr QRgb Black = 0xff000000u;
    static constexpr QRgb Grey = 0xff777777u;

    // Where the board draws its extras, the same on every picture.
    static constexpr QPoint ArmiesPieAnchor{24, 314};
    static constexpr QPoint CountriesPieAnchor{90, 314};
    static constexpr QPoint AttackerDiceAnchors[3] = {{45, 220}, {45, 250}, {45, 280}};
    static constexpr QPoint DefenderDiceAnchors[2] = {{75, 220}, {75, 250}};
    static constexpr QPoint StatusAnchor{359, 21};
    static constexpr QPoint InfoAnchor{311, 363};

    // A picture that cannot be loaded leaves an empty picture: the board then
    // shows only its background.
    // The file's detail picture is "name@3x.png" beside it, read when the
    // picture is first displayed.
    MapPicture(const QString& name, const QString& fileName);
    // A detail image whose size is not a multiple of the picture's is ignored.
    MapPicture(const QString& name, const QImage& image, const QImage& detail = QImage());

    const QString& name() const { return m_name; }
    bool isNull() const { return m_picture.isNull(); }
    int width() const { return m_picture.width(); }
    int height() const { return m_picture.height(); }
    QSize size() const { return m_picture.size(); }
    QRect rect() const { return m_picture.rect(); }
    QRgb background() const { return m_background; }

    const QImage& picture() const { return m_picture; }
    const QImage& coloured() const { return m_coloured; }
    const qint32* index() const { return m_index.data(); }
    const qint32* mask() const { return m_mask.data(); }

    // 0 for a point outside the picture.
    qint32 indexAt(QPoint point) const;
    qint32 maskAt(QPoint point) const;

    // Tints the country's pixels with the colour, or gives them back the
    // picture's own colours for an invalid colour.
    void fill(const Country& country, const QColor& colour);
    // Claims the 4-connected unclaimed land at the point for the country,
    // tints it red and grows the country's area; returns the filled rectangle
    // (null when the point is not unclaimed land).
    QRect fillArea(Country& country, QPoint point);
    // A one-pixel black border with a grey halo that fillArea cannot cross.
    void burnLine(const MapLine& line);
    void restore();

    void setIndex(const char* data, int length);
    void compressIndex();
    const QByteArray& block() const { return m_block; }

    // How many detail pixels a picture pixel spans on each side; 1 without
    // a detail picture.
    int detailScale() const { return m_detailScale; }
    const QImage& detailColoured() const
    {
        return m_detailScale == 1 ? m_coloured : m_detailColoured;
    }

    // The display image, in device pixels, is the coloured detail scaled to
    // the given size so that the board blits it one to one; refreshRect()
    // updates the part that shows a rectangle of the picture.
    void setDisplaySize(const QSize& size);
    const QImage& display() const { return m_display; }
    // Frees the display and the detail while another picture is shown.
    void releaseDisplay();
    void refresh();
    void refreshRect(const QRect& rect);

private:
    void build();
    bool loadDetail();
    void colourDetail(const QRect& rect);
    void scaleToDisplay(const QRect& rect);
    QRgb* colouredLine(int y) { return reinterpret_cast<QRgb*>(m_coloured.scanLine(y)); }
    const QRgb* pictureLine(int y) const
    {
        return reinterpret_cast<const QRgb*>(m_picture.constScanLine(y));
    }

    QString m_name;
    QImage m_picture;
    QImage m_coloured;
    QString m_detailFile;
    QImage m_detail;
    QImage m_detailColoured;
    int m_detailScale = 1;
    QImage m_display;
    std::vector<qint32> m_index;
    std::vector<qint32> m_mask;
    // The fill colour laid over each pixel, 0 where the picture shows bare.
    std::vector<QRgb> m_tint;
    QRgb m_background = Black;
    QByteArray m_block;
};
