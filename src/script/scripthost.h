#pragma once

#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <tcl.h>

#include <list>
#include <map>

// The embedded Tcl interpreter in which the user's scripts run. Scripts hook
// procedures to client events with the `on` command; the client raises those
// events with raiseEvent(). Tcl's notifier is replaced so that its timers are
// driven by a single-shot QTimer ("TclTimer") and Tcl never waits on its own.
//
// The program must call Tcl_FindExecutable(argv[0]) before the first host is
// created. Only one host may exist at a time, since the notifier is global.
// The host writes its error lines through outputLine(); whoever owns it
// connects that to the game output.
class ScriptHost : public QObject
{
    Q_OBJECT

public:
    explicit ScriptHost(QObject* parent = nullptr);
    ~ScriptHost() override;

    // False when the interpreter could not be created: the client then runs
    // without scripts and events go nowhere.
    bool isValid() const { return m_interp != nullptr; }
    Tcl_Interp* interp() const { return m_interp; }
    QTimer* timer() const { return m_timer; }

    // Registers a script command. Further commands are plain functions added
    // here by their owners, with their own client data.
    void addCommand(const char* name, Tcl_ObjCmdProc* proc, void* clientData);

    // Evaluates every entry matching *.tcl in directory, in name order without
    // regard to case; a failing file is reported and the next one still runs.
    void loadScripts(const QString& directory = QStringLiteral("Scripts"));

    // Calls every procedure hooked to eventName with arguments, in ascending
    // weight. A failing handler is reported; the others still run.
    void raiseEvent(const QString& eventName, const QStringList& arguments = {});

    // Number of handlers hooked to eventName.
    int handlerCount(const QString& eventName) const;

signals:
    // An error line for the game output (circle colour, text colour, text,
    // hideable), in the shape of ChatView::addLine.
    void outputLine(const QColor& circleColor, const QColor& textColor, const QString& text,
                    bool hideable);

public slots:
    // Lets Tcl run its due timers and queued events.
    void tclTimerExpired();

private:
    struct Handler
    {
        int weight;
        Tcl_Obj* command;
    };

    static int onCommand(ClientData data, Tcl_Interp* interp, int objc, Tcl_Obj* const objv[]);
    static int backgroundErrorCommand(ClientData data, Tcl_Interp* interp, int objc,
                                      Tcl_Obj* const objv[]);
    static void setTimerProc(const Tcl_Time* time);
    static int waitForEventProc(const Tcl_Time* time);

    void addHandler(int weight, const QString& eventName, Tcl_Obj* command);
    void reportError(const QString& text);

    static ScriptHost* s_active;

    Tcl_Interp* m_interp = nullptr;
    QTimer* m_timer = nullptr;
    // std::list keeps its nodes in place, so a handler may hook another one
    // while its chain is being walked.
    std::map<QString, std::list<Handler>> m_handlers;
};
