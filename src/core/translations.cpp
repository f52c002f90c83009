#include "translations.h"

#include "corelogging.h"

#include <QCoreApplication>
#include <QLibraryInfo>

Translations::Translations(const QLocale& locale)
{
    // The desktop's languages in the user's order: the first one the program
    // speaks wins, and English, written in the sources, needs no file.
    for (QString name : locale.uiLanguages()) {
        name.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (name == QLatin1String("C") || name == QLatin1String("en") ||
            name.startsWith(QLatin1String("en_")))
            return;
        const QString language = name.section(QLatin1Char('_'), 0, 0);
        if (m_own.load(QStringLiteral("tarvenix_") + language, QStringLiteral(":/i18n"))) {
            m_language = language;
            break;
        }
    }
    if (m_language.isEmpty())
        return;
    QCoreApplication::installTranslator(&m_own);
    m_qtInstalled = m_qt.load(QStringLiteral("qtbase_") + m_language,
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (m_qtInstalled)
        QCoreApplication::installTranslator(&m_qt);
    else
        qCDebug(lcCore) << "no Qt translation for" << m_language << "in"
                        << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

Translations::~Translations()
{
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
    if (!m_language.isEmpty())
        QCoreApplication::removeTranslator(&m_own);
}
