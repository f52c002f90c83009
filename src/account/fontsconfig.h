#pragma once

#include <QFont>
#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The fonts of the two text areas, the chat boxes and the game output. Each
// scheme's font is kept in section "fonts" of the settings file and announced
// by Apply.
class FontsConfig : public QWidget
{
    Q_OBJECT

public:
    enum Scheme { Chatbox = 0, GameOutput = 1 };

    explicit FontsConfig(QWidget* parent = nullptr, const QString& name = {});

    // The stored key prefix of a scheme: "Chatbox" or "Game output".
    static QString schemeKey(int scheme);
    // The font fireFonts() gives the scheme, worked out from the settings
    // without building the page, so that a text area can have it before
    // the page exists.
    static QFont startupFont(int scheme);
    // The font the controls describe.
    QFont currentFont() const;

signals:
    void chatboxFont(const QFont& font);
    void gameOutputFont(const QFont& font);

public slots:
    void changeSample();
    void changeScheme();
    void apply();
    void fireFonts();

private:
    QVBoxLayout* m_mainLayout = nullptr;
    QGroupBox* m_schemeBox = nullptr;
    QGroupBox* m_fontsBox = nullptr;
    QGroupBox* m_sampleBox = nullptr;
    QWidget* m_applyBox = nullptr;
    QLabel* m_schemeLabel = nullptr;
    QLabel* m_fontLabel = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QComboBox* m_schemeCombo = nullptr;
    QComboBox* m_fontCombo = nullptr;
    QComboBox* m_sizeCombo = nullptr;
    QCheckBox* m_boldBox = nullptr;
    QCheckBox* m_italicBox = nullptr;
    QLabel* m_sampleLabel = nullptr;
    QPushButton* m_applyButton = nullptr;
};
