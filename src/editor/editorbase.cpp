#include "editorbase.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

EditorBase::EditorBase(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(0);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("EditorTitle"));
    QFont bold = m_title->font();
    bold.setWeight(QFont::Bold);
    m_title->setFont(bold);
    m_text1 = new QLabel(this);
    m_text1->setObjectName(QStringLiteral("EditorText1"));
    m_text2 = new QLabel(this);
    m_text2->setObjectName(QStringLiteral("EditorText2"));
    // It names a country on one page: a long name is cut at the page's edge
    // rather than widening the page and the game output beside it.
    m_text2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (QLabel* label : {m_title, m_text1, m_text2}) {
        // An empty line keeps its height, so that the row below never moves
        // from page to page.
        label->setMinimumHeight(label->fontMetrics().height());
        layout->addWidget(label);
    }
    layout->addStretch();

    m_row = new QWidget(this);
    m_row->setObjectName(QStringLiteral("EditorButtons"));
    m_rowLayout = new QHBoxLayout(m_row);
    m_rowLayout->setContentsMargins(0, 0, 0, 0);
    m_rowLayout->setSpacing(4);
    layout->addWidget(m_row);
}

QString EditorBase::title() const
{
    return m_title->text();
}

QString EditorBase::text1() const
{
    return m_text1->text();
}

QString EditorBase::text2() const
{
    return m_text2->text();
}

void EditorBase::setTitle(const QString& text)
{
    m_title->setText(text);
}

void EditorBase::setText1(const QString& text)
{
    m_text1->setText(text);
}

void EditorBase::setText2(const QString& text)
{
    m_text2->setText(text);
}

int EditorBase::rowHeightHint() const
{
    return m_row->sizeHint().height();
}

void EditorBase::setRowHeight(int height)
{
    m_row->setMinimumHeight(height);
}

int EditorBase::buttonWidthHint() const
{
    int width = ButtonWidth;
    for (const QPushButton* button : m_buttons)
        width = std::max(width, button->sizeHint().width());
    return width;
}

void EditorBase::setButtonWidth(int width)
{
    for (QPushButton* button : std::as_const(m_buttons))
        button->setFixedWidth(width);
}

QPushButton* EditorBase::addButton(const QString& text, const QString& objectName)
{
    auto* button = new QPushButton(text, m_row);
    button->setObjectName(objectName);
    button->setFixedWidth(ButtonWidth);
    m_rowLayout->addWidget(button);
    m_buttons.append(button);
    return button;
}

void EditorBase::addStretch()
{
    m_rowLayout->addStretch();
}
