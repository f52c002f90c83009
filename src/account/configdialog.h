#pragma once

#include <QColor>
#include <QDialog>

class AlertsConfig;
class ColorConfig;
class FontsConfig;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

// The configuration window: the seats' colours, the fonts of the chat
// boxes and the game output, and how a player is called back to his turn. Created once by the main
// window and only shown and hidden afterwards.
class ConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConfigDialog(QWidget* parent = nullptr, const QString& name = {}, bool modal = false,
                          Qt::WindowFlags flags = {});

    // White for a seat outside 0 to 5.
    QColor textColor(int seat) const;
    QColor backgroundColor(int seat) const;

    ColorConfig* colorConfig() const { return m_colors; }
    FontsConfig* fontsConfig() const { return m_fonts; }
    AlertsConfig* alertsConfig() const { return m_alerts; }

public slots:
    // Announces each text area's stored font; called once at start-up.
    void fireFonts();

signals:
    void colorChanged(int seat);
    void chatboxFont(const QFont& font);
    void gameOutputFont(const QFont& font);

private:
    QVBoxLayout* m_layout = nullptr;
    QTabWidget* m_tabs = nullptr;
    ColorConfig* m_colors = nullptr;
    FontsConfig* m_fonts = nullptr;
    AlertsConfig* m_alerts = nullptr;
    QPushButton* m_closeButton = nullptr;
};
