#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// The program's texts in the language of the desktop: its own translation,
// embedded in the program, and Qt's for the standard dialogs from the
// system's Qt translations when they are installed. A desktop whose first
// language is English, or one the program does not speak, keeps every text
// as written. The translators stay installed while the object lives.
class Translations
{
public:
    explicit Translations(const QLocale& locale);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // "de" or "fr"; empty when the program speaks English.
    const QString& language() const { return m_language; }
    bool hasQtTranslation() const { return m_qtInstalled; }

private:
    QTranslator m_own;
    QTranslator m_qt;
    QString m_language;
    bool m_qtInstalled = false;
};
