#include "scripthost.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The script host: loading Scripts/*.tcl, the on command, the order of
// handler chains, error reporting, and Tcl timers driven by the Qt loop.
class TestScriptHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void loadsInOrderAndReportsFailures();
    void handlersRunInWeightOrder();
    void failingHandlersAreReportedAndTheRestRun();
    void onChecksItsArguments_data();
    void onChecksItsArguments();
    void timersRunFromTheQtLoop();

private:
    void writeScript(const QString& name, const QByteArray& text);
    QString eval(const char* script, int* code = nullptr);
    QStringList outputTexts() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptHost> m_host;
    std::unique_ptr<QSignalSpy> m_output;
};

void TestScriptHost::initTestCase()
{
    Tcl_FindExecutable(QCoreApplication::arguments().value(0).toLocal8Bit().constData());
}

void TestScriptHost::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Scripts")));
    m_host = std::make_unique<ScriptHost>();
    QVERIFY(m_host->isValid());
    m_output = std::make_unique<QSignalSpy>(m_host.get(), &ScriptHost::outputLine);
}

void TestScriptHost::cleanup()
{
    m_output.reset();
    m_host.reset();
    m_dir.reset();
}

void TestScriptHost::writeScript(const QString& name, const QByteArray& text)
{
    QFile file(m_dir->filePath(QStringLiteral("Scripts/") + name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QString TestScriptHost::eval(const char* script, int* code)
{
    const int result = Tcl_Eval(m_host->interp(), script);
    if (code)
        *code = result;
    return QString::fromUtf8(Tcl_GetStringResult(m_host->interp()));
}

QStringList TestScriptHost::outputTexts() const
{
    QStringList texts;
    for (const QList<QVariant>& args : *m_output) {
        // Error lines: red circle, black text, never hideable.
        if (args.at(0).value<QColor>() != QColor(Qt::red) ||
            args.at(1).value<QColor>() != QColor(Qt::black) || args.at(3).toBool())
            texts.append(QStringLiteral("<wrong line shape>"));
        texts.append(args.at(2).toString());
    }
    return texts;
}

// Scripts/*.tcl load in case-insensitive order; a file that fails is
// reported with its line, keeps what ran before the error, and the later
// files still load.
void TestScriptHost::loadsInOrderAndReportsFailures()
{
    for (const QString& name :
         {QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("a2")})
        writeScript(name + QStringLiteral(".tcl"), "lappend ::order " + name.toLatin1() + '\n');
    writeScript(QStringLiteral("notes.txt"), "lappend ::order notes\n");
    writeScript(QStringLiteral("bad.tcl"), "set ::before 1\n\nerror boom\nset ::after 1\n");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Scripts/x.tcl")));
    // A timer set while loading runs later from the Qt loop.
    writeScript(QStringLiteral("start.tcl"), "after 10 { set ::started 1 }\n");
    m_host->loadScripts(m_dir->filePath(QStringLiteral("NoSuchFolder")));
    m_host->loadScripts(m_dir->filePath(QStringLiteral("Scripts")));
    QCOMPARE(eval("set ::order"), QStringLiteral("A a2 b C"));
    QTRY_COMPARE_WITH_TIMEOUT(eval("info exists ::started"), QStringLiteral("1"), 5000);

    const QStringList texts = outputTexts();
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], QStringLiteral("Error in bad.tcl: boom (3)"));
    QVERIFY2(texts[1].startsWith(QStringLiteral("Error in x.tcl: ")), qPrintable(texts[1]));
    QCOMPARE(eval("set ::before"), QStringLiteral("1"));
    QCOMPARE(eval("info exists ::after"), QStringLiteral("0"));
}

void TestScriptHost::handlersRunInWeightOrder()
{
    eval("set ::calls {}\n"
         "proc first5 {args} { lappend ::calls first5 }\n"
         "proc minus1 {args} { lappend ::calls minus1 }\n"
         "proc second5 {args} { lappend ::calls second5 }\n"
         "proc zero {args} { lappend ::calls zero; set ::got $args }\n"
         "on 5 ev first5; on -1 ev minus1; on 5 ev second5; on 0 ev zero\n"
         "on 0 other zero\n");
    QCOMPARE(m_host->handlerCount(QStringLiteral("ev")), 4);
    m_host->raiseEvent(QStringLiteral("ev"),
                       {QStringLiteral("global"), QStringLiteral("J\u00fcrgen"),
                        QStringLiteral("hello {brace [x] $y")});
    QCOMPARE(eval("set ::calls"), QStringLiteral("minus1 zero first5 second5"));
    // The arguments arrive as separate words, untouched by Tcl's quoting.
    QCOMPARE(eval("llength $::got"), QStringLiteral("3"));
    QCOMPARE(eval("lindex $::got 1"), QStringLiteral("J\u00fcrgen"));
    QCOMPARE(eval("lindex $::got 2"), QStringLiteral("hello {brace [x] $y"));

    // Event names are exact: another case is another event.
    eval("set ::calls {}");
    m_host->raiseEvent(QStringLiteral("EV"));
    m_host->raiseEvent(QStringLiteral("unknown"));
    QCOMPARE(eval("set ::calls"), QString());
    QVERIFY(m_output->isEmpty());

    // A handler added while the event is raised runs from the next raise
    // on, where its weight puts it.
    eval("set ::calls {}\n"
         "proc late {args} { lappend ::calls late }\n"
         "proc early {args} { lappend ::calls early }\n"
         "proc hooker {args} {\n"
         "  lappend ::calls hooker\n"
         "  if {![info exists ::hooked]} { set ::hooked 1; on 10 hooked late; on -10 hooked early "
         "}\n"
         "}\n"
         "on 0 hooked hooker\n");
    m_host->raiseEvent(QStringLiteral("hooked"));
    QCOMPARE(eval("set ::calls"), QStringLiteral("hooker late"));
    eval("set ::calls {}");
    m_host->raiseEvent(QStringLiteral("hooked"));
    QCOMPARE(eval("set ::calls"), QStringLiteral("early hooker late"));
}

void TestScriptHost::failingHandlersAreReportedAndTheRestRun()
{
    const QStringList errors{QStringLiteral("Error: boom"),
                             QStringLiteral("Error: invoked \"break\" outside of a loop"),
                             QStringLiteral("Error: invalid command name \"missing\"")};
    for (const QString& error : errors)
        QTest::ignoreMessage(QtWarningMsg, qPrintable(error));
    eval("set ::calls {}\n"
         "proc fails {} { error boom }\n"
         "proc breaks {} { lappend ::calls breaks; return -code break }\n"
         "proc last {} { lappend ::calls last; return ignored }\n"
         "on 1 ev fails; on 2 ev breaks; on 3 ev missing; on 4 ev last\n");
    m_host->raiseEvent(QStringLiteral("ev"));
    QCOMPARE(eval("set ::calls"), QStringLiteral("breaks last"));
    QCOMPARE(outputTexts(), errors);
}

void TestScriptHost::onChecksItsArguments_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("message");

    QTest::newRow("two arguments")
        << QByteArray("on 1 ev") << "wrong # args: should be \"on weight type proc\"";
    QTest::newRow("weight not a number")
        << QByteArray("on heavy ev p") << "expected integer but got \"heavy\"";
    QTest::newRow("weight a fraction")
        << QByteArray("on 1.5 ev p") << "expected integer but got \"1.5\"";
}

void TestScriptHost::onChecksItsArguments()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, message);
    int code = TCL_OK;
    QCOMPARE(eval(script.constData(), &code), message);
    QCOMPARE(code, TCL_ERROR);
    QCOMPARE(m_host->handlerCount(QStringLiteral("ev")), 0);

    QCOMPARE(eval("on 0x10 ev p", &code), QString());
    QCOMPARE(code, TCL_OK);
    QCOMPARE(m_host->handlerCount(QStringLiteral("ev")), 1);
}

void TestScriptHost::timersRunFromTheQtLoop()
{
    QTest::ignoreMessage(QtWarningMsg, "Error: late failure");
    eval("proc later {} { after 1000 { set ::fired 1 } }\n"
         "on 0 ev later\n"
         "after 0 { error {late failure} }\n");
    QElapsedTimer clock;
    clock.start();
    m_host->raiseEvent(QStringLiteral("ev"));
    QVERIFY(m_host->timer()->isActive());
    QCOMPARE(eval("info exists ::fired"), QStringLiteral("0"));
    // An error in a timer's script is reported like one in a handler.
    QTRY_COMPARE(outputTexts(), QStringList{QStringLiteral("Error: late failure")});

    QTRY_COMPARE_WITH_TIMEOUT(eval("info exists ::fired"), QStringLiteral("1"), 10000);
    QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
}

QTEST_MAIN(TestScriptHost)
#include "tst_scripthost.moc"
