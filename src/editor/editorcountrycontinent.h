#pragma once

#include "editorbase.h"

class QComboBox;
class QLineEdit;

// A country's name and the continent it belongs to, chosen among the
// continents entered so far.
class EditorCountryContinent : public EditorBase
{
    Q_OBJECT

public:
    explicit EditorCountryContinent(QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* continents() const { return m_continents; }

    // Appends a continent and returns its place in the list: 0, 1, 2, ...
    int addContinentName(const QString& name);
    void clearContinents();

signals:
    // The continent is the place of the chosen name in the list.
    void countryContinent(const QString& name, int continent);

private:
    void continueClicked();

    QLineEdit* m_name;
    QComboBox* m_continents;
};
