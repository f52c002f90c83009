#pragma once

#include "mapeditor.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QStringList>

class Map;
class Tarvenix;

// Three countries on the Europe picture the client ships: Alpha, on the
// continent West, is Iberia cut off along the Pyrenees; Beta and Gamma, on
// East, are Italy cut off along the Alps and Great Britain, which the sea
// bounds already. One sea line runs from Alpha to Gamma, and every pair of
// countries are neighbours. The coasts shape the countries, so the areas are
// only bounds that each keeps within when no fill leaks through a coast or a
// border. All positions are picture coordinates.
struct ThreeCountries
{
    static ThreeCountries onEurope();

    QString picture = QStringLiteral("europe");
    QLine westBorder;
    QLine eastBorder;
    QPoint inAlpha;
    QPoint inBeta;
    QPoint inGamma;
    // Alpha's label is moved on the position page, Beta's stays where its
    // area was clicked, Gamma's area is clicked twice in one region.
    QPoint alphaLabel;
    QPoint gammaLabel;
    QRect alphaArea;
    QRect betaArea;
    QRect gammaArea;
    QLine seaLine;
};

// Drives the main window's map editor as a user would: the buttons of the
// page showing, typing, and mouse gestures on the board given in picture
// coordinates. A step that cannot be taken is noted in errors().
class WizardDriver
{
public:
    explicit WizardDriver(Tarvenix* window);

    MapEditor* editor() const { return m_editor; }
    Map* board() const { return m_board; }
    MapEditor::Page page() const { return m_editor->currentPage(); }
    const QStringList& errors() const { return m_errors; }

    void press(const char* button);
    void type(const QString& text);
    void choose(const char* combo, int entry);
    // Press, a few moves on the way, release.
    void drag(QPoint from, QPoint to);
    void click(QPoint at);

    // The whole plan, from the intro page back to it.
    void drawThreeCountries(const ThreeCountries& plan, int slotEntry, const QString& name);

private:
    QPoint onBoard(QPoint picture) const;
    void expectPage(MapEditor::Page page);
    // The widget on the page showing, or nullptr noted as an error.
    template <typename T> T* find(const char* name);

    MapEditor* m_editor;
    Map* m_board;
    QStringList m_errors;
};
