#include "wildcard.h"

#include <QTest>

// The masks' wildcard patterns, matched against "nickname@host" texts of
// every shape a server may send: slashes, backslashes, dots and brackets are
// ordinary characters of a name.
class TestWildcard : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
};

void TestWildcard::matches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    const auto row = [](const char* name, const char* pattern, const char* text, bool matches) {
        QTest::newRow(name) << QString::fromUtf8(pattern) << QString::fromUtf8(text) << matches;
    };
    row("star", "*", "Ann@ann.example.org", true);
    row("star over a slash", "*", "a/b@h", true);
    row("star over a backslash", "*", "a\\b@h", true);
    row("star over a line break", "*", "a\nb@h", true);
    row("star in the middle over slashes", "a*@h", "a/b/c@h", true);
    row("question mark for a slash", "a?b@*", "a/b@h", true);
    row("question mark for a backslash", "a?b@*", "a\\b@h", true);
    row("question mark needs one", "An?n@*", "Ann@h", false);
    row("set of slash and backslash, slash", "a[/\\]b@h", "a/b@h", true);
    row("set of slash and backslash, backslash", "a[/\\]b@h", "a\\b@h", true);
    row("negated set refuses its slash", "a[!/]b@h", "a/b@h", false);
    row("negated set takes another", "a[!/]b@h", "axb@h", true);
    row("set", "[AB]nn@*", "Ann@h", true);
    row("set without it", "[BC]nn@*", "Ann@h", false);
    row("range ignores case", "[a-c]@h", "B@h", true);
    row("outside the range", "[a-c]@h", "d@h", false);
    row("dash at the end of a set", "[a-]@h", "-@h", true);
    row("bracket first in a set", "[]x]@h", "]@h", true);
    row("opening bracket in a set", "[[]x]@h", "[x]@h", true);
    row("brackets make a set", "[x]@h", "[x]@h", false);
    row("unclosed bracket is itself", "[x@h", "[x@h", true);
    row("reversed range matches nothing", "[z-a]@h", "m@h", false);
    row("dot is a dot", "x.y@*", "x.y@h", true);
    row("dot is no wildcard", "x.y@*", "xzy@h", false);
    row("regular expression syntax is literal", "(a|b)+@h", "(a|b)+@h", true);
    row("alternation is no alternation", "(a|b)+@h", "a@h", false);
    row("backslash escapes nothing", "a\\*@h", "a\\xyz@h", true);
    row("nickname alone", "Ann", "Ann@ann.example.org", false);
    row("nickname at star", "Ann@*", "Ann@ann.example.org", true);
    row("other case", "ANN@*.EXAMPLE.ORG", "Ann@ann.example.org", true);
    row("prefix only", "Ann@ann", "Ann@ann.example.org", false);
    row("non-Latin letters ignore case", "ÄNN@*", "änn@h", true);
}

void TestWildcard::matches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    QCOMPARE(wildcardMatches(pattern, text), matches);
}

QTEST_GUILESS_MAIN(TestWildcard)
#include "tst_wildcard.moc"
