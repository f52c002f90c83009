#include "metrics.h"

#include <QMutexLocker>

namespace {

void header(QByteArray& out, const char* name, const char* type, const char* help)
{
    out += "# HELP ";
    out += name;
    out += ' ';
    out += help;
    out += "\n# TYPE ";
    out += name;
    out += ' ';
    out += type;
    out += '\n';
}

void sample(QByteArray& out, const char* name, std::uint64_t value)
{
    out += name;
    out += ' ';
    out += QByteArray::number(quint64(value));
    out += '\n';
}

void counter(QByteArray& out, const char* name, const char* help, const Metrics::Counter& c)
{
    header(out, name, "counter", help);
    sample(out, name, c.value());
}

void gauge(QByteArray& out, const char* name, const char* help, const Metrics::Gauge& g)
{
    header(out, name, "gauge", help);
    out += name;
    out += ' ';
    out += QByteArray::number(qint64(g.value()));
    out += '\n';
}

void labelled(QByteArray& out, const char* name, const char* label, const char* help,
              const Metrics::Labelled& c)
{
    header(out, name, "counter", help);
    const QMap<QString, std::uint64_t> values = c.values();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        out += name;
        out += '{';
        out += label;
        out += "=\"";
        // Label values are the server's own words; escaped all the same.
        QByteArray value = it.key().toUtf8();
        value.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
        out += value;
        out += "\"} ";
        out += QByteArray::number(quint64(it.value()));
        out += '\n';
    }
}

} // namespace

void Metrics::Labelled::add(const QString& label, std::uint64_t n)
{
    const QMutexLocker lock(&m_mutex);
    m_values[label] += n;
}

std::uint64_t Metrics::Labelled::value(const QString& label) const
{
    const QMutexLocker lock(&m_mutex);
    return m_values.value(label);
}

QMap<QString, std::uint64_t> Metrics::Labelled::values() const
{
    const QMutexLocker lock(&m_mutex);
    return m_values;
}

void Metrics::Histogram::observeNs(std::int64_t ns)
{
    const double seconds = double(ns) / 1e9;
    for (size_t i = 0; i < Bounds.size(); ++i) {
        if (seconds <= Bounds[i]) {
            m_buckets[i].fetch_add(1, std::memory_order_relaxed);
            break;
        }
    }
    m_count.fetch_add(1, std::memory_order_relaxed);
    m_sumNs.fetch_add(std::uint64_t(std::max<std::int64_t>(ns, 0)), std::memory_order_relaxed);
}

void Metrics::Histogram::render(QByteArray& out, const char* name) const
{
    // Buckets are kept apart and summed here: the exposition's buckets are
    // cumulative.
    std::uint64_t cumulative = 0;
    for (size_t i = 0; i < Bounds.size(); ++i) {
        cumulative += m_buckets[i].load(std::memory_order_relaxed);
        out += name;
        out += "_bucket{le=\"";
        out += QByteArray::number(Bounds[i], 'g', 6);
        out += "\"} ";
        out += QByteArray::number(quint64(cumulative));
        out += '\n';
    }
    const std::uint64_t total = count();
    out += name;
    out += "_bucket{le=\"+Inf\"} ";
    out += QByteArray::number(quint64(std::max(total, cumulative)));
    out += '\n';
    out += name;
    out += "_sum ";
    out += QByteArray::number(double(m_sumNs.load(std::memory_order_relaxed)) / 1e9, 'g', 12);
    out += '\n';
    out += name;
    out += "_count ";
    out += QByteArray::number(quint64(std::max(total, cumulative)));
    out += '\n';
}

Metrics& Metrics::instance()
{
    static Metrics metrics;
    return metrics;
}

QByteArray Metrics::render() const
{
    QByteArray out;
    out.reserve(8192);
    gauge(out, "tarvenix_connections_open", "Connections open now.", connectionsOpen);
    counter(out, "tarvenix_connections_accepted_total", "Connections accepted.",
            connectionsAccepted);
    labelled(out, "tarvenix_connections_refused_total", "reason",
             "Connections refused at once, by reason.", connectionsRefused);
    labelled(out, "tarvenix_logins_total", "result", "Logins and registrations, by result.",
             logins);
    counter(out, "tarvenix_registrations_total", "Accounts registered.", registrations);
    gauge(out, "tarvenix_users_online", "Users logged in now.", usersOnline);
    header(out, "tarvenix_games", "gauge", "Games on the server now, by state.");
    out += "tarvenix_games{state=\"waiting\"} " + QByteArray::number(qint64(gamesWaiting.value())) +
           "\ntarvenix_games{state=\"running\"} " +
           QByteArray::number(qint64(gamesRunning.value())) + '\n';
    counter(out, "tarvenix_games_finished_total", "Games played to their end.", gamesFinished);
    counter(out, "tarvenix_games_saved_total", "Running games written to storage.", gamesSaved);
    counter(out, "tarvenix_game_save_failures_total", "Running games storage could not take.",
            gameSaveFailures);
    counter(out, "tarvenix_requests_total", "Messages received from clients.", requestsIn);
    counter(out, "tarvenix_messages_sent_total", "Messages sent to clients.", messagesOut);
    labelled(out, "tarvenix_refusals_total", "request", "Requests refused, by request.", refusals);
    labelled(out, "tarvenix_chat_lines_total", "channel", "Chat lines and whispers, by channel.",
             chatLines);
    counter(out, "tarvenix_chat_deliveries_total", "Chat lines and whispers delivered.",
            chatDeliveries);
    header(out, "tarvenix_request_duration_seconds", "histogram",
           "Time the server took to handle a request.");
    requestSeconds.render(out, "tarvenix_request_duration_seconds");
    header(out, "tarvenix_database_duration_seconds", "histogram",
           "Time a database statement took.");
    databaseSeconds.render(out, "tarvenix_database_duration_seconds");
    header(out, "tarvenix_robot_decision_duration_seconds", "histogram",
           "Time a robot took to decide a move.");
    robotDecisionSeconds.render(out, "tarvenix_robot_decision_duration_seconds");
    header(out, "tarvenix_game_save_duration_seconds", "histogram",
           "Time saving a running game took, its state encoded and written.");
    gameSaveSeconds.render(out, "tarvenix_game_save_duration_seconds");
    return out;
}
