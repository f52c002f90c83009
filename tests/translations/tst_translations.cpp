#include "translations.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QStringList Languages{QStringLiteral("de"), QStringLiteral("fr")};

struct Message
{
    QString context;
    QString source;
    QStringList translations; // one, or one a plural form
    QString type;             // "unfinished", "vanished", "obsolete" or empty
};

QString sourceDir()
{
    return qEnvironmentVariable("TARVENIX_SOURCE_DIR");
}

QString tsFile(const QString& language)
{
    return sourceDir() + QStringLiteral("/translations/tarvenix_%1.ts").arg(language);
}

QList<Message> readTs(const QString& fileName, QString* error)
{
    QList<Message> messages;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            // Either text, or one <numerusform> a plural form.
            QString text;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters())
                    text += xml.text();
                else if (xml.isStartElement())
                    message.translations.append(xml.readElementText());
                else if (xml.isEndElement())
                    break;
            }
            if (message.translations.isEmpty())
                message.translations.append(text);
            messages.append(message);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return messages;
}

QStringList placeholders(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+|n)"));
    QStringList found;
    for (auto match = placeholder.globalMatch(text); match.hasNext();)
        found.append(match.next().captured());
    found.sort();
    return found;
}

// The keyboard shortcut letter of a text ("&Login" gives 'l'), or none; "&&"
// is an ampersand, and so is one before a space ("Games & Users").
QChar mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (text[i + 1].isLetterOrNumber())
            return text[i + 1].toLower();
    }
    return QChar();
}

QString describe(const QString& language, const Message& m)
{
    return QStringLiteral("%1 %2: \"%3\" -> \"%4\"")
        .arg(language, m.context, m.source.left(60), m.translations.join(u'|').left(60));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void completeAndCurrent_data();
    void completeAndCurrent();
    void languageFollowsTheLocale_data();
    void languageFollowsTheLocale();
    void qtTextsComeWithTheLanguage();
};

void TestTranslations::completeAndCurrent_data()
{
    QTest::addColumn<QString>("language");
    for (const QString& language : Languages)
        QTest::newRow(qPrintable(language)) << language;
}

// lupdate run over the sources into a copy of the translation must find
// nothing to add and nothing left over: every text of the program is
// translated, and no translation is kept for a text the program lost. A
// translation has the same %1, %2 ... as its text, a shortcut where the text
// has one, and the shortcuts of one window stay distinct where the English
// ones are.
void TestTranslations::completeAndCurrent()
{
    QFETCH(QString, language);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QStringList sources;
    QDirIterator it(sourceDir() + QStringLiteral("/src"),
                    {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        sources.append(it.next());
    QVERIFY(sources.size() > 50);

    const QString copy = scratch.filePath(QStringLiteral("tarvenix_%1.ts").arg(language));
    QVERIFY(QFile::copy(tsFile(language), copy));
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(LUPDATE_PROGRAM),
                  QStringList{QStringLiteral("-locations"), QStringLiteral("none")}
                      << sources << QStringLiteral("-ts") << copy);
    QVERIFY(lupdate.waitForFinished(60000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

    QString error;
    const QList<Message> messages = readTs(copy, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(messages.size() > 300);
    QStringList problems;
    QHash<QString, QList<const Message*>> byContext;
    for (const Message& m : messages) {
        if (!m.type.isEmpty())
            problems.append(m.type + QLatin1Char(' ') + describe(language, m));
        for (const QString& translation : m.translations) {
            if (translation.isEmpty())
                problems.append(QStringLiteral("empty ") + describe(language, m));
            else if (placeholders(m.source) != placeholders(translation))
                problems.append(QStringLiteral("placeholders ") + describe(language, m));
            if (!translation.isEmpty() &&
                mnemonic(m.source).isNull() != mnemonic(translation).isNull())
                problems.append(QStringLiteral("shortcut ") + describe(language, m));
        }
        if (!mnemonic(m.source).isNull())
            byContext[m.context].append(&m);
    }
    for (auto it = byContext.cbegin(); it != byContext.cend(); ++it) {
        QSet<QChar> english;
        QSet<QChar> translated;
        for (const Message* m : it.value()) {
            english.insert(mnemonic(m->source));
            translated.insert(mnemonic(m->translations.constFirst()));
        }
        if (english.size() == it.value().size() && translated.size() != english.size())
            problems.append(QStringLiteral("%1 %2: shortcuts used twice").arg(language, it.key()));
    }
    QVERIFY2(problems.isEmpty(),
             qPrintable(QStringLiteral("\n") + problems.join(QLatin1Char('\n'))));
}

void TestTranslations::languageFollowsTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("logout");

    // One row per way the locale is read: a language the program speaks
    // (by its language, whatever the country), English, C, and one it
    // does not speak.
    const char* const rows[][4] = {
        {"German", "de_CH", "de", "Abmelden"},
        {"French", "fr_FR", "fr", "Déconnexion"},
        {"English", "en_GB", "", "Logout"},
        {"C", "C", "", "Logout"},
        {"a language not spoken", "es_ES", "", "Logout"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row[0]) << QString::fromLatin1(row[1]) << QString::fromLatin1(row[2])
                              << QString::fromUtf8(row[3]);
    }
}

void TestTranslations::languageFollowsTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(QString, logout);
    {
        const Translations translations{QLocale(locale)};
        QCOMPARE(translations.language(), language);
        QCOMPARE(QCoreApplication::translate("Tarvenix", "Logout"), logout);
        // Plural forms follow the language's rules.
        if (language == QLatin1String("de")) {
            const char* seats =
                "The game keeps %n seats for human players: no more robots can join";
            QCOMPARE(QCoreApplication::translate("OperatorHints", seats, nullptr, 1).left(22),
                     QStringLiteral("Das Spiel hält 1 Platz"));
            QCOMPARE(QCoreApplication::translate("OperatorHints", seats, nullptr, 3).left(23),
                     QStringLiteral("Das Spiel hält 3 Plätze"));
        }
    }
    // Gone with the object: the texts are English again.
    QCOMPARE(QCoreApplication::translate("Tarvenix", "Logout"), QStringLiteral("Logout"));
}

// Qt's own texts (the standard buttons) follow when the system has Qt's
// translations (Debian's qt6-translations-l10n).
void TestTranslations::qtTextsComeWithTheLanguage()
{
    const QString qtFile =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_de.qm");
    const Translations translations{QLocale(QStringLiteral("de_DE"))};
    if (!QFile::exists(qtFile)) {
        QVERIFY(!translations.hasQtTranslation());
        QSKIP("Qt's German translation is not installed");
    }
    QVERIFY(translations.hasQtTranslation());
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
