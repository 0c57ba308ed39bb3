// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// nuperako-class under load and under faults: simulated students over real
// WebSockets on loopback, each from an address of its own (127.0.1.1, 127.0.1.2,
// ...) as the devices of a school's network are, each playing two rounds a
// second and sending its experiment's state four times a second, as the page
// does, with resets now and then. The server is the real program, started
// headless on a fresh data folder.
//
// Usage: bench_pool_load [--students N] [--seconds S] [--kills K] [--window] [--data DIR]
//                        [--classes C] [--slow N] [--idle N] [--stranger-addresses K]
//   --window: the teacher's window open too (on the display the environment names);
//   --data DIR: the class kept in DIR, to be opened again by nuperako-class --data DIR;
//   --classes C: a school's server (--school) with C classes, each opened and followed by a
//   teacher's page from an address of its own (127.0.200.1, ...), the students shared among them;
//   the time from a round's acknowledgement to its first showing on its teacher's page too;
//   --slow, --idle: that many strangers' connections that never finish a request, or never
//   join, from K addresses of their own (127.0.100.1, ...; default 1), reopened whenever closed,
//   kept by a second process of this program so that they do not slow the students down;
//   --open-files N: the server started with that soft limit of open files (a desktop's is 1024);
//   --watching: with --classes, every teacher shows the class to its students and every student's
//   page shows the class's window: what each student downloads a second.
//   Load run (K = 0): send-to-acknowledge times, the server's CPU and memory, and the
//   time a new connection takes to get the page and the pool (every half second).
//   Fault run (K > 0): K times, a kill -9 at a random moment and a restart on the same port;
//   every acknowledged state must still be kept (in the pool after the restart, or with
//   --classes in what nuperako-class --export reads before it), and at the end the pooled
//   totals must equal the students' own.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include "core/module1.h"
#include "pool/protocol.h"
#include "strangers.h"
#include "websocketclient.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTickMs = nuperako::protocol::kSendIntervalMs; // a state four times a second
constexpr int kTicksPerRound = 2;                            // a round every other tick: two a second
constexpr int kRetryMinMs = nuperako::protocol::kRetryMinMs; // the page's back-off
constexpr int kRetryMaxMs = nuperako::protocol::kRetryMaxMs;
constexpr int kSettleMs = 30'000; // at most this long for the last acknowledgements
constexpr int kWaitMs = 10'000;
constexpr int kProbeMs = 500;

// Where each kind of device connects from: the students from 127.0.1.1 on (250 to a third number),
// the strangers and the teachers from blocks far above them.
constexpr int kStudentsBlock = 1;
constexpr int kStrangersBlock = 100;
constexpr int kTeachersBlock = 200;

// The nth address of a block of loopback addresses: 127.0.BLOCK.1 and on.
QHostAddress loopback(int block, int n)
{
    constexpr int kPerBlock = 250;
    return QHostAddress(QStringLiteral("127.0.%1.%2").arg(block + n / kPerBlock).arg(1 + n % kPerBlock));
}

std::mt19937 &random()
{
    static std::mt19937 generator{std::random_device{}()};
    return generator;
}

int uniform(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random());
}

// Runs the event loop for ms milliseconds.
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Done>
bool runUntil(Done done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        runFor(10);
    return done();
}

// An experiment of a class: its code, the student's seat and the experiment's number.
using ExperimentKey = std::tuple<QString, QString, int>;

// nuperako-class on 127.0.0.1, headless unless asked for its window (or a school's server with
// no class of its own), stopped with kill -9; with openFiles, started with that soft limit of
// open files, as a desktop session starts programs.
class Server {
public:
    enum class Kind { Headless, Window, School };
    Server(QString data, Kind kind, rlim_t openFiles) : m_data(std::move(data)), m_kind(kind), m_openFiles(openFiles) {}
    ~Server() { kill(); }
    Server(const Server &) = delete;
    Server &operator=(const Server &) = delete;

    bool start()
    {
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::SeparateChannels);
        m_process->setReadChannel(QProcess::StandardOutput);
        QStringList arguments{QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                              QString::number(m_port),  QStringLiteral("--data"),    m_data};
        if (m_kind != Kind::Window)
            arguments.prepend(m_kind == Kind::School ? QStringLiteral("--school") : QStringLiteral("--headless"));
        if (m_openFiles > 0) {
            m_process->setChildProcessModifier([files = m_openFiles] {
                rlimit limit{};
                ::getrlimit(RLIMIT_NOFILE, &limit);
                limit.rlim_cur = files;
                ::setrlimit(RLIMIT_NOFILE, &limit);
            });
        }
        m_process->start(QStringLiteral(NUPERAKO_CLASS_PROGRAM), arguments);
        if (!runUntil([this] { return m_process->canReadLine(); }, kWaitMs))
            return false;
        const QUrl address(QString::fromUtf8(m_process->readLine().trimmed()));
        m_port = address.port();
        m_code = address.query().section(QLatin1Char('='), 1);
        return true;
    }
    void kill()
    {
        if (m_process && m_process->state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(m_process->processId()), SIGKILL);
            m_process->waitForFinished(kWaitMs);
        }
    }
    [[nodiscard]] qint64 pid() const { return m_process->processId(); }
    [[nodiscard]] int port() const { return m_port; }
    [[nodiscard]] const QString &code() const { return m_code; }

    [[nodiscard]] QJsonObject pool(const QString &code) const
    {
        QNetworkAccessManager network;
        QNetworkReply *reply = network.get(
            QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/pool.json?class=%2").arg(m_port).arg(code))));
        runUntil([reply] { return reply->isFinished(); }, kWaitMs);
        QJsonObject pool = QJsonDocument::fromJson(reply->readAll()).object();
        reply->deleteLater();
        return pool;
    }

    // What the data folder keeps of a class while the server is down, as --export reads it:
    // every experiment's rounds.
    [[nodiscard]] std::map<ExperimentKey, int> kept(const QString &code) const
    {
        QProcess exporter;
        exporter.start(QStringLiteral(NUPERAKO_CLASS_PROGRAM),
                       {QStringLiteral("--export"), code, QStringLiteral("--data"), m_data});
        exporter.waitForFinished(kWaitMs);
        std::map<ExperimentKey, int> rounds;
        const QList<QByteArray> rows = exporter.readAllStandardOutput().split('\n');
        for (const QByteArray &row : rows.mid(1)) { // below the header
            const QList<QByteArray> cells = row.trimmed().split(',');
            if (cells.size() > 2)
                rounds[{code, QString::fromUtf8(cells[0]), cells[1].toInt()}] = cells[2].toInt();
        }
        return rounds;
    }

private:
    QString m_data;
    Kind m_kind;
    rlim_t m_openFiles;
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
    QString m_code;
};

using Tally = std::array<int, 9>; // the board's nine counts

// When each acknowledged round first shows on its class's teacher's page.
class Arrivals {
public:
    Arrivals() { m_clock.start(); }
    void acknowledged(const ExperimentKey &experiment, int rounds)
    {
        m_awaited[experiment].emplace_back(rounds, m_clock.nsecsElapsed());
    }
    void seen(const ExperimentKey &experiment, int rounds)
    {
        const auto it = m_awaited.find(experiment);
        if (it == m_awaited.end())
            return;
        std::deque<std::pair<int, qint64>> &awaited = it->second;
        for (; !awaited.empty() && awaited.front().first <= rounds; awaited.pop_front())
            m_latencies.push_back(static_cast<double>(m_clock.nsecsElapsed() - awaited.front().second) / 1e6);
    }
    std::vector<double> takeLatencies() { return std::exchange(m_latencies, {}); }

private:
    QElapsedTimer m_clock;
    std::map<ExperimentKey, std::deque<std::pair<int, qint64>>> m_awaited; // rounds, and when acknowledged
    std::vector<double> m_latencies;
};

int roundsOf(const Tally &t)
{
    return nuperako::roundsOf(t[0], t[4], t[8]); // draws, wins alone, losses alone
}

// One student's page, as far as the server can tell: it plays, numbers and sends
// its states, keeps them until acknowledged, and reconnects with back-off.
class Student : public QObject {
public:
    // arrivals: where acknowledged rounds are noted, when teachers' pages watch for them; or null.
    // watching: the page shows the class's window, and hears what the students see of the class.
    Student(int id, Server &server, QString code, Arrivals *arrivals, bool watching)
        : m_server(server),
          m_code(std::move(code)),
          m_arrivals(arrivals),
          m_watching(watching),
          m_device(QStringLiteral("bench-device-%1").arg(id, 6, 10, QLatin1Char('0'))),
          m_socket(loopback(kStudentsBlock, id))
    {
        connect(&m_socket, &WebSocketClient::connected, this, [this] {
            m_socket.sendTextMessage(json({{"type", "join"}, {"class", m_code}, {"device", m_device}}));
        });
        connect(&m_socket, &WebSocketClient::disconnected, this, [this] {
            m_joined = false;
            m_sent.clear();
            const int ceiling = std::min(kRetryMaxMs, kRetryMinMs << std::min(m_attempt++, 5));
            QTimer::singleShot(uniform(kRetryMinMs, ceiling), this, &Student::open);
        });
        connect(&m_socket, &WebSocketClient::textMessageReceived, this, &Student::receive);
        m_tick.setInterval(kTickMs);
        m_tick.setTimerType(Qt::PreciseTimer); // pages are not in step with each other
        connect(&m_tick, &QTimer::timeout, this, &Student::tick);
        m_newExperimentAt = uniform(30, 80);
    }
    // The socket says it has disconnected while it is destroyed: no longer to this student.
    ~Student() override { m_socket.disconnect(this); }
    Student(const Student &) = delete;
    Student &operator=(const Student &) = delete;

    void open() { m_socket.open(static_cast<quint16>(m_server.port()), "/ws"); }
    void play()
    {
        QTimer::singleShot(uniform(0, kTickMs), this, [this] { m_tick.start(); });
    }
    void stop() { m_tick.stop(); }

    [[nodiscard]] bool joined() const { return m_joined; }
    [[nodiscard]] bool settled() const { return m_pending.empty(); }
    [[nodiscard]] const QString &code() const { return m_code; }
    [[nodiscard]] const QString &seat() const { return m_seat; }
    [[nodiscard]] const std::map<int, Tally> &experiments() const { return m_experiments; }
    [[nodiscard]] const std::map<int, int> &acknowledgedRounds() const { return m_ackedRounds; }
    std::vector<double> takeLatencies() { return std::exchange(m_latencies, {}); }
    // The bytes of the server's text messages since the last call, and of its overviews among them.
    std::pair<qint64, qint64> takeReceived() { return {std::exchange(m_received, 0), std::exchange(m_overviews, 0)}; }
    [[nodiscard]] qint64 largestOverview() const { return m_largestOverview; }

private:
    struct State {
        qint64 seq;   // cppcheck-suppress unusedStructMember
        Tally counts; // cppcheck-suppress unusedStructMember
    };

    static QByteArray json(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

    void tick()
    {
        if (++m_ticks % kTicksPerRound == 0)
            playRound();
        if (!m_experiments.empty())
            m_pending[m_experiment] = {++m_seq[m_experiment], m_experiments[m_experiment]};
        send();
    }

    // A round: a draw, one player winning alone or one losing alone, each a third of the time.
    void playRound()
    {
        if (m_experiments.empty() || roundsOf(m_experiments[m_experiment]) >= m_newExperimentAt) {
            ++m_experiment;
            m_newExperimentAt = uniform(30, 80);
        }
        Tally &t = m_experiments[m_experiment];
        const int player = uniform(0, 2);
        switch (uniform(0, 2)) {
        case 0: ++t[0]; break;
        case 1: ++t[1 + player], ++t[4]; break;
        default: ++t[5 + player], ++t[8]; break;
        }
    }

    void send()
    {
        if (!m_joined)
            return;
        for (const auto &[experiment, state] : m_pending) {
            if (m_sent.contains({experiment, state.seq}))
                continue;
            QJsonArray counts;
            for (const int n : state.counts)
                counts.append(n);
            m_socket.sendTextMessage(json({{"type", "state"},
                                           {"experiment", experiment},
                                           {"seq", state.seq},
                                           {"counts", counts},
                                           {"ended", false}}));
            m_sent[{experiment, state.seq}] = {m_clock.nsecsElapsed(), roundsOf(state.counts)};
        }
    }

    void receive(const QByteArray &text)
    {
        const QJsonObject message = QJsonDocument::fromJson(text).object();
        const QString type = message[QLatin1String("type")].toString();
        m_received += text.size();
        if (type == QLatin1String("overview")) {
            m_overviews += text.size();
            m_largestOverview = std::max(m_largestOverview, text.size());
        }
        if (type == QLatin1String("joined")) {
            m_joined = true;
            m_attempt = 0;
            m_seat = message[QLatin1String("seat")].toString();
            if (!m_clock.isValid())
                m_clock.start();
            if (m_watching)
                m_socket.sendTextMessage(json({{"type", "watch"}, {"watching", true}}));
            send();
        } else if (type == QLatin1String("ack")) {
            const int experiment = message[QLatin1String("experiment")].toInt();
            const qint64 seq = message[QLatin1String("seq")].toInteger();
            if (const auto sent = m_sent.find({experiment, seq}); sent != m_sent.end()) {
                m_latencies.push_back(static_cast<double>(m_clock.nsecsElapsed() - sent->second.first) / 1e6);
                int &acked = m_ackedRounds[experiment];
                if (m_arrivals != nullptr && sent->second.second > acked)
                    m_arrivals->acknowledged({m_code, m_seat, experiment}, sent->second.second);
                acked = std::max(acked, sent->second.second);
            }
            if (const auto pending = m_pending.find(experiment);
                pending != m_pending.end() && pending->second.seq <= seq)
                m_pending.erase(pending);
        }
    }

    Server &m_server;
    QString m_code;
    Arrivals *m_arrivals;
    bool m_watching;
    qint64 m_received = 0;
    qint64 m_overviews = 0;
    qint64 m_largestOverview = 0;
    QString m_device;
    QString m_seat;
    WebSocketClient m_socket;
    QTimer m_tick;
    QElapsedTimer m_clock;
    bool m_joined = false;
    int m_attempt = 0;
    int m_ticks = 0;
    int m_experiment = 0;
    int m_newExperimentAt = 0;
    std::map<int, Tally> m_experiments;
    std::map<int, qint64> m_seq;
    std::map<int, State> m_pending;                                  // by experiment: not acknowledged yet
    std::map<std::pair<int, qint64>, std::pair<qint64, int>> m_sent; // on this connection: when, and its rounds
    std::map<int, int> m_ackedRounds;
    std::vector<double> m_latencies;
};

// A teacher's page on a school's server, from an address of its own: it opens a class, follows
// it (again, with its key, after the server has started again), and tells arrivals of every
// experiment its class's view shows.
class Teacher : public QObject {
public:
    // reveals: the teacher shows the class to its students.
    Teacher(int id, Server &server, Arrivals &arrivals, bool reveals)
        : m_server(server), m_arrivals(arrivals), m_reveals(reveals), m_socket(loopback(kTeachersBlock, id))
    {
        connect(&m_socket, &WebSocketClient::connected, this, [this] {
            m_socket.sendTextMessage(m_code.isEmpty() ? json({{"type", "open"}})
                                                      : json({{"type", "follow"}, {"class", m_code}, {"key", m_key}}));
        });
        connect(&m_socket, &WebSocketClient::disconnected, this, [this] {
            m_following = false;
            const int ceiling = std::min(kRetryMaxMs, kRetryMinMs << std::min(m_attempt++, 5));
            QTimer::singleShot(uniform(kRetryMinMs, ceiling), this, &Teacher::open);
        });
        connect(&m_socket, &WebSocketClient::textMessageReceived, this, &Teacher::receive);
    }
    ~Teacher() override { m_socket.disconnect(this); }
    Teacher(const Teacher &) = delete;
    Teacher &operator=(const Teacher &) = delete;

    void open() { m_socket.open(static_cast<quint16>(m_server.port()), "/ws"); }
    [[nodiscard]] bool following() const { return m_following; }
    [[nodiscard]] const QString &code() const { return m_code; }

private:
    static QByteArray json(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

    void receive(const QByteArray &text)
    {
        const QJsonObject message = QJsonDocument::fromJson(text).object();
        const QString type = message[QLatin1String("type")].toString();
        if (type == QLatin1String("opened")) {
            m_code = message[QLatin1String("class")].toString();
            m_key = message[QLatin1String("key")].toString();
            if (m_reveals)
                m_socket.sendTextMessage(json({{"type", "reveal"}, {"revealed", true}}));
        } else if (type == QLatin1String("class")) {
            m_following = true;
            m_attempt = 0;
            for (const QJsonValue e : message[QLatin1String("experiments")].toArray()) {
                m_arrivals.seen({m_code, e[QLatin1String("seat")].toString(), e[QLatin1String("experiment")].toInt()},
                                e[QLatin1String("rounds")].toInt());
            }
        }
    }

    Server &m_server;
    Arrivals &m_arrivals;
    bool m_reveals;
    WebSocketClient m_socket;
    QString m_code;
    QString m_key;
    bool m_following = false;
    int m_attempt = 0;
};

// A new connection's GET of path, as a student's browser makes it, from 127.0.0.1:
// the milliseconds to the whole answer, or a negative number for none within kWaitMs.
class Probe : public QObject {
public:
    Probe(quint16 port, QByteArray path) : m_port(port), m_path(std::move(path))
    {
        connect(&m_timer, &QTimer::timeout, this, &Probe::start);
        m_timer.start(kProbeMs);
    }
    std::vector<double> takeTimes() { return std::exchange(m_times, {}); }
    [[nodiscard]] int unanswered() const { return m_unanswered; }

private:
    void start()
    {
        auto *socket = new QTcpSocket(this);
        auto clock = std::make_shared<QElapsedTimer>();
        auto response = std::make_shared<QByteArray>();
        clock->start();
        connect(socket, &QTcpSocket::connected, socket,
                [this, socket] { socket->write("GET " + m_path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"); });
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, clock, response] {
            *response += socket->readAll();
            const qsizetype body = response->indexOf("\r\n\r\n");
            const qsizetype field = response->indexOf("Content-Length: ");
            if (body < 0 || field < 0)
                return;
            const qsizetype length =
                response->mid(field + 16, response->indexOf("\r\n", field) - field - 16).toLongLong();
            if (response->size() - body - 4 < length)
                return;
            if (response->startsWith("HTTP/1.1 200"))
                m_times.push_back(static_cast<double>(clock->nsecsElapsed()) / 1e6);
            else
                ++m_unanswered;
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
        });
        QTimer::singleShot(kWaitMs, socket, [this, socket] {
            ++m_unanswered;
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
        });
        socket->connectToHost(QHostAddress::LocalHost, m_port);
    }

    quint16 m_port;
    QByteArray m_path;
    QTimer m_timer;
    std::vector<double> m_times;
    int m_unanswered = 0;
};

// A process's CPU time in seconds, its resident and peak memory in MiB, and its open files.
struct Usage {
    double cpuSeconds = 0;
    double rssMiB = 0;
    double peakMiB = 0;
    int openFiles = 0;
};

Usage usageOf(qint64 pid)
{
    Usage u;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; fields >> field && i <= 15; ++i) {
        if (i == 14 || i == 15)
            ticks += std::stol(field);
    }
    u.cpuSeconds = static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:"))
            u.rssMiB = std::stod(line.substr(6)) / 1024;
        else if (line.starts_with("VmHWM:"))
            u.peakMiB = std::stod(line.substr(6)) / 1024;
    }
    u.openFiles = static_cast<int>(QDir(QStringLiteral("/proc/%1/fd").arg(pid)).count()) - 2; // less . and ..
    return u;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::ranges::sort(v);
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

// The class's experiments in its pool: their rounds.
std::map<ExperimentKey, int> pooledRounds(const Server &server, const QString &code)
{
    std::map<ExperimentKey, int> rounds;
    for (const QJsonValue e : server.pool(code)[QLatin1String("experiments")].toArray())
        rounds[{code, e[QLatin1String("seat")].toString(), e[QLatin1String("experiment")].toInt()}] =
            e[QLatin1String("rounds")].toInt();
    return rounds;
}

// The experiments with an acknowledged state, and those of them whose newest
// acknowledged state is not kept.
std::pair<int, int> lostStates(const std::vector<std::unique_ptr<Student>> &students,
                               const std::map<ExperimentKey, int> &kept)
{
    int checked = 0;
    int lost = 0;
    for (const auto &s : students) {
        for (const auto &[experiment, rounds] : s->acknowledgedRounds()) {
            const auto it = kept.find({s->code(), s->seat(), experiment});
            ++checked;
            if (it == kept.end() || it->second < rounds)
                ++lost;
        }
    }
    return {checked, lost};
}

int argument(const QStringList &args, const QString &name, int fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : fallback;
}

} // namespace

// The bench's own limit of open files raised to the most allowed: it opens every connection's other end.
void raiseOwnOpenFiles()
{
    rlimit limit{};
    ::getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &limit);
}

void printTimes(const char *what, const std::vector<double> &times, int unanswered)
{
    std::printf("%s: %zu answered, p50 %.1f ms, p99 %.1f ms, max %.1f ms; %d unanswered\n", what, times.size(),
                percentile(times, 0.5), percentile(times, 0.99), percentile(times, 1.0), unanswered);
}

// The strangers, in a process of their own: every second a line "SLOW-OPEN IDLE-OPEN SLOW-CLOSED IDLE-CLOSED".
int keepStrangers(quint16 port, int slow, int idle, int addresses)
{
    std::vector<QHostAddress> from;
    from.reserve(static_cast<std::size_t>(addresses));
    for (int i = 0; i < addresses; ++i)
        from.push_back(loopback(kStrangersBlock, i));
    Strangers slowOnes(Strangers::Kind::Slow, slow, from, port);
    Strangers idleOnes(Strangers::Kind::Idle, idle, from, port);
    QTimer report;
    QObject::connect(&report, &QTimer::timeout, [&] {
        std::printf("%d %d %d %d\n", slowOnes.open(), idleOnes.open(), slowOnes.closed(), idleOnes.closed());
        std::fflush(stdout);
    });
    report.start(1000);
    return QCoreApplication::exec();
}

int main(int argc, char *argv[])
{
    raiseOwnOpenFiles();
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (const int port = argument(args, QStringLiteral("--strangers-of"), 0); port > 0) {
        return keepStrangers(static_cast<quint16>(port), argument(args, QStringLiteral("--slow"), 0),
                             argument(args, QStringLiteral("--idle"), 0),
                             argument(args, QStringLiteral("--stranger-addresses"), 1));
    }
    const int count = argument(args, QStringLiteral("--students"), 200);
    const int seconds = argument(args, QStringLiteral("--seconds"), 60);
    const int kills = argument(args, QStringLiteral("--kills"), 0);
    const int slow = argument(args, QStringLiteral("--slow"), 0);
    const int idle = argument(args, QStringLiteral("--idle"), 0);
    const int strangerAddresses = argument(args, QStringLiteral("--stranger-addresses"), 1);
    const int openFiles = argument(args, QStringLiteral("--open-files"), 0);
    const int classCount = argument(args, QStringLiteral("--classes"), 0);
    const bool watching = args.contains(QStringLiteral("--watching"));

    // With --window the teacher's window too (on whatever display the environment names),
    // with --data the class is kept there, to be opened again.
    const qsizetype dataAt = args.indexOf(QStringLiteral("--data"));
    QTemporaryDir temporary;
    const QString data = dataAt >= 0 && dataAt + 1 < args.size() ? args[dataAt + 1] : temporary.path();
    const Server::Kind kind = classCount > 0                              ? Server::Kind::School
                              : args.contains(QStringLiteral("--window")) ? Server::Kind::Window
                                                                          : Server::Kind::Headless;
    Server server(data, kind, static_cast<rlim_t>(openFiles));
    if (!server.start()) {
        std::fprintf(stderr, "nuperako-class did not start\n");
        return 1;
    }
    // The classes: the server's own, or those the teachers open.
    Arrivals arrivals;
    std::vector<std::unique_ptr<Teacher>> teachers;
    for (int i = 0; i < classCount; ++i) {
        teachers.push_back(std::make_unique<Teacher>(i, server, arrivals, watching));
        teachers.back()->open();
    }
    const auto allFollow = [&] { return std::ranges::all_of(teachers, [](const auto &t) { return t->following(); }); };
    if (!runUntil(allFollow, kWaitMs)) {
        std::fprintf(stderr, "not every teacher could open a class\n");
        return 1;
    }
    QStringList codes;
    for (const auto &t : teachers)
        codes.append(t->code());
    if (codes.isEmpty())
        codes.append(server.code());

    std::vector<std::unique_ptr<Student>> students;
    for (int i = 0; i < count; ++i) {
        students.push_back(std::make_unique<Student>(
            i, server, codes[i % codes.size()], teachers.empty() ? nullptr : &arrivals, watching && !teachers.empty()));
        students.back()->open();
    }
    if (!runUntil([&] { return std::ranges::all_of(students, [](const auto &s) { return s->joined(); }); }, kWaitMs)) {
        std::fprintf(stderr, "not every student could join\n");
        return 1;
    }
    for (const auto &s : students)
        s->play();

    int lost = 0;
    if (kills == 0) {
        const auto port = static_cast<quint16>(server.port());
        QProcess strangers;
        if (slow + idle > 0) {
            strangers.start(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--strangers-of"), QString::number(port), QStringLiteral("--slow"),
                             QString::number(slow), QStringLiteral("--idle"), QString::number(idle),
                             QStringLiteral("--stranger-addresses"), QString::number(strangerAddresses)});
        }
        Probe page(port, "/");
        Probe poolJson(port, "/pool.json?class=" + codes.front().toLatin1());
        runFor(2000); // every student has started playing, the strangers are there
        for (const auto &s : students) {
            s->takeLatencies();
            s->takeReceived();
        }
        arrivals.takeLatencies();
        page.takeTimes();
        poolJson.takeTimes();
        const Usage before = usageOf(server.pid());
        QElapsedTimer clock;
        clock.start();
        runFor(seconds * 1000);
        const double elapsed = static_cast<double>(clock.elapsed()) / 1000;
        const Usage after = usageOf(server.pid());
        std::vector<double> latencies;
        for (const auto &s : students)
            std::ranges::copy(s->takeLatencies(), std::back_inserter(latencies));
        std::printf("%d students, %.1f s: %zu states acknowledged (%.0f a second)\n", count, elapsed, latencies.size(),
                    static_cast<double>(latencies.size()) / elapsed);
        std::printf("send to acknowledge: p50 %.1f ms, p99 %.1f ms, max %.1f ms\n", percentile(latencies, 0.5),
                    percentile(latencies, 0.99), percentile(latencies, 1.0));
        if (!teachers.empty()) {
            const std::vector<double> shown = arrivals.takeLatencies();
            std::printf("%d classes; acknowledged to shown on the teacher's page: %zu rounds, p50 %.1f ms, p99 %.1f "
                        "ms, max %.1f ms\n",
                        classCount, shown.size(), percentile(shown, 0.5), percentile(shown, 0.99),
                        percentile(shown, 1.0));
        }
        std::vector<double> downloads;
        std::vector<double> overviews;
        qint64 largest = 0;
        for (const auto &s : students) {
            largest = std::max(largest, s->largestOverview());
            const auto [all, overview] = s->takeReceived();
            downloads.push_back(static_cast<double>(all) / elapsed);
            overviews.push_back(static_cast<double>(overview) / elapsed);
        }
        std::printf("a student downloads: p50 %.0f B/s, max %.0f B/s (the class's overviews: p50 %.0f B/s, max %.0f "
                    "B/s; the largest %lld bytes)\n",
                    percentile(downloads, 0.5), percentile(downloads, 1.0), percentile(overviews, 0.5),
                    percentile(overviews, 1.0), static_cast<long long>(largest));
        std::printf("server: %.1f %% of a core, RSS %.1f MiB (peak %.1f MiB), %d files open\n",
                    100 * (after.cpuSeconds - before.cpuSeconds) / elapsed, after.rssMiB, after.peakMiB,
                    after.openFiles);
        printTimes("a new connection's page (/)", page.takeTimes(), page.unanswered());
        printTimes("a new connection's pool (/pool.json)", poolJson.takeTimes(), poolJson.unanswered());
        if (slow + idle > 0) {
            const Usage theirs = usageOf(strangers.processId());
            const QList<QByteArray> lines = strangers.readAllStandardOutput().trimmed().split('\n');
            std::printf("strangers from %d addresses (their process: %.1f s of CPU): slow and idle open, closed by "
                        "the server: %s\n",
                        strangerAddresses, theirs.cpuSeconds, lines.back().constData());
            strangers.kill();
            strangers.waitForFinished(kWaitMs);
        }
    } else {
        for (int k = 1; k <= kills; ++k) {
            runFor(uniform(500, 4000));
            server.kill();
            // A school's classes are read from the data folder while the server is down; the
            // server's own class from its pool once it is up, before the students are back.
            std::map<ExperimentKey, int> kept;
            if (!teachers.empty()) {
                for (const QString &code : codes)
                    kept.merge(server.kept(code));
            }
            if (!server.start()) {
                std::fprintf(stderr, "nuperako-class did not start again\n");
                return 1;
            }
            if (teachers.empty())
                kept = pooledRounds(server, server.code());
            const auto [checked, lostNow] = lostStates(students, kept);
            lost += lostNow;
            std::printf("kill %d: of %d experiments acknowledged, %d missing after the restart\n", k, checked, lostNow);
        }
    }

    for (const auto &s : students)
        s->stop();
    const bool settled = runUntil(
        [&] { return std::ranges::all_of(students, [](const auto &s) { return s->joined() && s->settled(); }); },
        kSettleMs);
    std::map<ExperimentKey, int> pooled;
    int total = 0;
    for (const QString &code : codes) {
        pooled.merge(pooledRounds(server, code));
        total += server.pool(code)[QLatin1String("rounds")].toInt();
    }
    int own = 0;
    int twice = 0;
    int missing = 0;
    for (const auto &s : students) {
        for (const auto &[experiment, tally] : s->experiments()) {
            own += roundsOf(tally);
            const auto it = pooled.find({s->code(), s->seat(), experiment});
            const int rounds = it == pooled.end() ? 0 : it->second;
            twice += rounds > roundsOf(tally) ? 1 : 0;
            missing += rounds < roundsOf(tally) ? 1 : 0;
        }
    }
    std::printf("%s: pooled %d rounds, the students played %d; experiments counted twice %d, short %d; "
                "acknowledged states lost %d\n",
                settled ? "settled" : "NOT SETTLED", total, own, twice, missing, lost);
    return settled && total == own && twice == 0 && missing == 0 && lost == 0 ? 0 : 1;
}
