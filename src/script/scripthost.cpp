#include "scripthost.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>

#include <algorithm>
#include <limits>
#include <vector>

// Warnings carry the errors of script handlers, which the user is to see.
Q_LOGGING_CATEGORY(lcScript, "tarvenix.script", QtWarningMsg)

ScriptHost* ScriptHost::s_active = nullptr;

ScriptHost::ScriptHost(QObject* parent) : QObject(parent)
{
    m_interp = Tcl_CreateInterp();
    if (!m_interp) {
        qCWarning(lcScript) << "Tcl interpreter could not be created; scripts are off";
        return;
    }
    s_active = this;

    // Only the timer hooks: Tcl must never block, the Qt event loop waits
    // for it and services Tcl when the timer fires.
    Tcl_NotifierProcs procs{};
    procs.setTimerProc = &ScriptHost::setTimerProc;
    procs.waitForEventProc = &ScriptHost::waitForEventProc;
    Tcl_SetNotifier(&procs);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("TclTimer"));
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &ScriptHost::tclTimerExpired);

    addCommand("on", &ScriptHost::onCommand, this);
    // Errors in `after` callbacks would otherwise go to stderr, where a user
    // of the desktop client never sees them.
    addCommand("bgerror", &ScriptHost::backgroundErrorCommand, this);
}

ScriptHost::~ScriptHost()
{
    if (m_interp) {
        Tcl_DeleteInterp(m_interp);
        m_interp = nullptr;
    }
    if (s_active == this)
        s_active = nullptr;
    delete m_timer;
    m_timer = nullptr;
    for (auto& [name, chain] : m_handlers) {
        for (Handler& handler : chain)
            Tcl_DecrRefCount(handler.command);
    }
    m_handlers.clear();
}

void ScriptHost::addCommand(const char* name, Tcl_ObjCmdProc* proc, void* clientData)
{
    if (m_interp)
        Tcl_CreateObjCommand(m_interp, name, proc, clientData, nullptr);
}

void ScriptHost::loadScripts(const QString& directory)
{
    if (!m_interp)
        return;
    const QDir dir(directory);
    if (!dir.exists())
        return;
    QStringList entries = dir.entryList(
        {QStringLiteral("*.tcl")},
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    // Ties between names that differ only in case get a fixed order too.
    std::sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    for (const QString& entry : entries) {
        const QByteArray path = QFile::encodeName(directory + QLatin1Char('/') + entry);
        Tcl_Preserve(m_interp);
        const int code = Tcl_EvalFile(m_interp, path.constData());
        Tcl_Release(m_interp);
        if (code != TCL_OK) {
            const QString message =
                tr("Error in %1: %2 (%3)")
                    .arg(entry, QString::fromUtf8(Tcl_GetStringResult(m_interp)))
                    .arg(Tcl_GetErrorLine(m_interp));
            emit outputLine(Qt::red, Qt::black, message, false);
        }
    }
}

void ScriptHost::raiseEvent(const QString& eventName, const QStringList& arguments)
{
    if (!m_interp)
        return;
    const auto found = m_handlers.find(eventName);
    if (found == m_handlers.end())
        return;

    std::vector<Tcl_Obj*> objv(size_t(arguments.size()) + 1, nullptr);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray utf8 = arguments[i].toUtf8();
        objv[size_t(i) + 1] = Tcl_NewStringObj(utf8.constData(), int(utf8.size()));
        Tcl_IncrRefCount(objv[size_t(i) + 1]);
    }

    // The next node is read only after each handler returns, so a handler
    // hooked behind the running one during this call still runs.
    const std::list<Handler>& chain = found->second;
    for (auto it = chain.begin(); it != chain.end(); ++it) {
        objv[0] = it->command;
        Tcl_IncrRefCount(objv[0]);
        Tcl_Preserve(m_interp);
        const int code = Tcl_EvalObjv(m_interp, int(objv.size()), objv.data(), 0);
        Tcl_Release(m_interp);
        if (code != TCL_OK)
            reportError(tr("Error: %1").arg(QString::fromUtf8(Tcl_GetStringResult(m_interp))));
        Tcl_DecrRefCount(objv[0]);
        objv[0] = nullptr;
    }

    for (size_t i = 1; i < objv.size(); ++i)
        Tcl_DecrRefCount(objv[i]);
}

int ScriptHost::handlerCount(const QString& eventName) const
{
    const auto found = m_handlers.find(eventName);
    return found == m_handlers.end() ? 0 : int(found->second.size());
}

void ScriptHost::tclTimerExpired()
{
    Tcl_SetServiceMode(TCL_SERVICE_ALL);
    Tcl_ServiceAll();
}

int ScriptHost::onCommand(ClientData data, Tcl_Interp* interp, int objc, Tcl_Obj* const objv[])
{
    if (objc != 4) {
        Tcl_WrongNumArgs(interp, 1, objv, "weight type proc");
        return TCL_ERROR;
    }
    int weight = 0;
    if (Tcl_GetIntFromObj(interp, objv[1], &weight) != TCL_OK)
        return TCL_ERROR;
    auto* host = static_cast<ScriptHost*>(data);
    host->addHandler(weight, QString::fromUtf8(Tcl_GetString(objv[2])), objv[3]);
    Tcl_ResetResult(interp);
    return TCL_OK;
}

int ScriptHost::backgroundErrorCommand(ClientData data, Tcl_Interp* interp, int objc,
                                       Tcl_Obj* const objv[])
{
    if (objc != 2) {
        Tcl_WrongNumArgs(interp, 1, objv, "message");
        return TCL_ERROR;
    }
    auto* host = static_cast<ScriptHost*>(data);
    host->reportError(tr("Error: %1").arg(QString::fromUtf8(Tcl_GetString(objv[1]))));
    Tcl_ResetResult(interp);
    return TCL_OK;
}

void ScriptHost::setTimerProc(const Tcl_Time* time)
{
    if (!s_active || !s_active->m_timer)
        return;
    // Tcl passes no time when nothing is pending any more.
    if (!time) {
        s_active->m_timer->stop();
        return;
    }
    const qint64 ms = qint64(time->sec) * 1000 + time->usec / 1000;
    s_active->m_timer->start(int(std::clamp<qint64>(ms, 0, std::numeric_limits<int>::max())));
}

int ScriptHost::waitForEventProc(const Tcl_Time* time)
{
    if (time)
        Tcl_SetTimer(time);
    return 0;
}

void ScriptHost::addHandler(int weight, const QString& eventName, Tcl_Obj* command)
{
    std::list<Handler>& chain = m_handlers[eventName];
    const auto place = std::find_if(chain.begin(), chain.end(),
                                    [weight](const Handler& h) { return h.weight > weight; });
    Tcl_IncrRefCount(command);
    chain.insert(place, Handler{weight, command});
}

void ScriptHost::reportError(const QString& text)
{
    qCWarning(lcScript).noquote() << text;
    emit outputLine(Qt::red, Qt::black, text, false);
}
