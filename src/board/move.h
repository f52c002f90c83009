#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QSlider;

// The two countries of a move, left and right, drawn by name with the number
// of armies the slider sends between them.
class MoveCountries : public QWidget
{
    Q_OBJECT

public:
    struct Side
    {
        int number = -1;
        QString name;
        int armies = 0;
    };

    explicit MoveCountries(QWidget* parent = nullptr);

    Side first;
    Side second;
    // Armies going from left to right; negative from right to left.
    int flow = 0;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The panel that chooses how many armies go from one country to its
// neighbour: a free move between two own countries at the end of a turn, or
// the armies taken into a country just conquered. The slider's value moves
// that many armies from the left country to the right one, a negative value
// the other way. Take mode has no Cancel: the conquered country must be
// entered.
class Move : public QWidget
{
    Q_OBJECT

public:
    // The most armies one move carries.
    static constexpr int MoveLimit = 7;

    explicit Move(QWidget* parent = nullptr);

    bool isTakeMode() const;
    int value() const;
    QSlider* slider() const { return m_slider; }
    const MoveCountries::Side& country1() const { return m_countries->first; }
    const MoveCountries::Side& country2() const { return m_countries->second; }

public slots:
    void setCountry1(int number, const QString& name, int armies);
    void setCountry2(int number, const QString& name, int armies);
    void doTake(int minimum, int maximum);
    void doMove();
    void okClicked();
    void resetClicked();
    void cancelClicked();
    void sliderChanged(int value);

signals:
    void changeCountry(int country, int armies);
    void move(int from, int to, int armies);
    void take(int armies);
    void cancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets the slider, previewing its value even when it did not change.
    void start(int minimum, int maximum, int value, bool cancellable);

    MoveCountries* m_countries = nullptr;
    QSlider* m_slider = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_reset = nullptr;
    QPushButton* m_cancel = nullptr;
};
