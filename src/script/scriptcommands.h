#pragma once

#include "scriptclient.h"

#include <QObject>

#include <memory>

class ChatDialog;
class ChatView;
class ScriptHost;
class Sender;

// The commands through which scripts read the client's state (users, games,
// seats, colours, the own status) and act on it: send chat and whispers,
// fill the chat window, write to the game output. The commands keep no
// state; every check is made before anything is done, so a call that fails
// changes nothing.
class ScriptCommands : public QObject
{
    Q_OBJECT

public:
    // What the commands act on; all must outlive the host.
    struct Targets
    {
        Sender* sender = nullptr;
        ChatDialog* chat = nullptr;
        ChatView* output = nullptr;
    };

    // Registers the commands in the host's interpreter. The commands become
    // a child of the host and go with it, after its interpreter.
    ScriptCommands(ScriptHost* host, std::unique_ptr<ScriptClient> client, const Targets& targets);
    ~ScriptCommands() override;

    // The commands' names in the order they are registered.
    static QStringList names();

    const ScriptClient& client() const { return *m_client; }
    const Targets& targets() const { return m_targets; }

private:
    std::unique_ptr<ScriptClient> m_client;
    Targets m_targets;
};
