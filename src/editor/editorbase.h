#pragma once

#include <QList>
#include <QWidget>

class QBoxLayout;
class QLabel;
class QPushButton;

// One step of the map editor: a bold title and two lines of text over a row
// of input widgets and buttons, which each page fills in. The row sits at the
// bottom, so buttons stand in the same place on every page.
class EditorBase : public QWidget
{
    Q_OBJECT

public:
    // Every button of every page has one fixed width: this one, or the width
    // the longest label needs in the font in use.
    static constexpr int ButtonWidth = 50;

    explicit EditorBase(QWidget* parent = nullptr);

    QString title() const;
    QString text1() const;
    QString text2() const;
    // The height the page's row of inputs and buttons needs, and the height
    // it gets: the same on every page, so that rows never move between steps.
    int rowHeightHint() const;
    void setRowHeight(int height);
    // The width the page's widest button label needs, and the fixed width
    // all buttons get.
    int buttonWidthHint() const;
    void setButtonWidth(int width);

public slots:
    void setTitle(const QString& text);
    void setText1(const QString& text);
    void setText2(const QString& text);

protected:
    QBoxLayout* buttonRow() const { return m_rowLayout; }
    // A button of the row's fixed width, appended to the row.
    QPushButton* addButton(const QString& text, const QString& objectName);
    // Widgets added after the stretch stand at the row's right end.
    void addStretch();

private:
    QLabel* m_title;
    QLabel* m_text1;
    QLabel* m_text2;
    QWidget* m_row;
    QBoxLayout* m_rowLayout;
    QList<QPushButton*> m_buttons;
};
