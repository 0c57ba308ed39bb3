// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classserver.h"
#include "classroom/classstore.h"
#include "pool/classcode.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>
#include <QWebSocket>

#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>
#include <sys/resource.h>

using namespace nuperako;
using namespace nuperako::classroom;

class TestClassServer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void roundsReachThePoolOnceWritten();
    void refused_data();
    void refused();
    void filesStayInsideThePage();
    void killedServerLosesNoAcknowledgedState();
    void holdsAgainstSlowAndIdleClients();
    void withoutThePageOnlyThePool();
    void exportWritesTheClassAsCsv();
    void removedExperimentLeavesForGood();
    void newClassLeavesTheOldOne();
    void newClassClosesTheOldPages();
    void teacherOpensAndFollowsAClass();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ClassStore> m_store;
    std::unique_ptr<ClassServer> m_server;
    QString m_file;
};

namespace {

constexpr char kCode[] = "ABCDE";
constexpr int kWaitMs = 5000;
constexpr double kTimeScale = 0.3; // a request's 10 s are 3 s
const QString kDevice = QStringLiteral("0123456789abcdef");

QJsonObject join(const QString &device = kDevice, const QString &code = QString::fromLatin1(kCode))
{
    return {{"type", "join"}, {"class", code}, {"device", device}};
}

// The nth state of an experiment in which every round was a draw.
QJsonObject draws(int n, int experiment = 1)
{
    return {{"type", "state"},
            {"experiment", experiment},
            {"seq", n},
            {"counts", QJsonArray{n, 0, 0, 0, 0, 0, 0, 0, 0}},
            {"ended", false}};
}

// A student's page, as far as the server can tell.
class Page : public QObject {
public:
    explicit Page(quint16 port)
    {
        connect(&socket, &QWebSocket::textMessageReceived, this,
                [this](const QString &text) { replies << QJsonDocument::fromJson(text.toUtf8()).object(); });
        QSignalSpy opened(&socket, &QWebSocket::connected);
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/ws").arg(port)));
        opened.wait(kWaitMs);
    }
    void send(const QJsonObject &message)
    {
        socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
    }
    // Waits for the nth reply.
    [[nodiscard]] bool replied(qsizetype n) const
    {
        return QTest::qWaitFor([&] { return replies.size() >= n; }, kWaitMs);
    }
    [[nodiscard]] bool closed() const
    {
        return QTest::qWaitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; }, kWaitMs);
    }

    QWebSocket socket;
    QList<QJsonObject> replies;
};

// GET of path, answered by a server that may run in this very event loop.
QJsonObject get(quint16 port, const QByteArray &path, QByteArray *status = nullptr)
{
    QTcpSocket http;
    QByteArray response;
    QObject::connect(&http, &QTcpSocket::connected, &http,
                     [&] { http.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"); });
    QObject::connect(&http, &QTcpSocket::readyRead, &http, [&] { response += http.readAll(); });
    http.connectToHost(QHostAddress::LocalHost, port);
    const auto complete = [&] {
        const qsizetype body = response.indexOf("\r\n\r\n");
        if (body < 0)
            return false;
        const qsizetype length = response.indexOf("\r\nContent-Length: ");
        const qsizetype end = response.indexOf("\r\n", length + 2);
        return length >= 0 && response.size() - body - 4 >= response.mid(length + 18, end - length - 18).toInt();
    };
    if (!QTest::qWaitFor(complete, kWaitMs))
        return {};
    if (status)
        *status = response.left(response.indexOf("\r\n"));
    return QJsonDocument::fromJson(response.mid(response.indexOf("\r\n\r\n") + 4)).object();
}

// nuperako-class itself, without a window, on the test's data folder; with
// openFiles, under that limit of open files, and its connections' time limits
// a third of their length.
struct Program {
    explicit Program(const QString &data, const QStringList &more = {}, rlim_t openFiles = 0,
                     const QString &program = QStringLiteral(NUPERAKO_CLASS_PROGRAM))
    {
        if (openFiles > 0) {
            process.setChildProcessModifier([openFiles] {
                const rlimit limit{openFiles, openFiles};
                ::setrlimit(RLIMIT_NOFILE, &limit);
            });
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("NUPERAKO_CLASS_TIME_SCALE"), QString::number(kTimeScale));
            process.setProcessEnvironment(environment);
        }
        process.start(program, QStringList{"--headless", "--bind", "127.0.0.1", "--port", "0", "--data", data} + more);
        process.waitForReadyRead(kWaitMs);
        const QUrl address(QString::fromUtf8(process.readLine().trimmed()));
        port = static_cast<quint16>(address.port());
        code = QUrlQuery(address).queryItemValue(QStringLiteral("class"));
    }
    ~Program()
    {
        process.kill();
        process.waitForFinished(kWaitMs);
    }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;
    QProcess process;
    quint16 port = 0;
    QString code;
};

// Clients from their own loopback address that each send the beginning of what
// they say and nothing more, as a script on a school's network can.
struct Strangers {
    Strangers(const QString &address, quint16 port, int count, const QByteArray &says)
    {
        for (int i = 0; i < count; ++i) {
            auto &s = sockets.emplace_back(std::make_unique<QTcpSocket>());
            QObject::connect(s.get(), &QTcpSocket::connected, s.get(),
                             [socket = s.get(), says] { socket->write(says); });
            s->bind(QHostAddress(address));
            s->connectToHost(QHostAddress::LocalHost, port);
        }
    }
    [[nodiscard]] qsizetype connected() const
    {
        return std::ranges::count_if(sockets,
                                     [](const auto &s) { return s->state() == QAbstractSocket::ConnectedState; });
    }
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
};

} // namespace

void TestClassServer::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_file = m_dir->filePath(QStringLiteral("classes.sqlite"));
    m_store = std::make_unique<ClassStore>(m_file);
    QVERIFY(m_store->addClass(kCode, 0));
    m_server = std::make_unique<ClassServer>(
        *m_store, pool::ClassSession(pool::ClassPool(kCode), {}),
        ClassServer::Settings{m_dir->path().toStdString(), pool::ConnectionGate::Limits::forOpenFiles(1024), {}, {}});
    QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
}

void TestClassServer::cleanup()
{
    m_server.reset();
    m_store.reset();
    m_dir.reset();
}

void TestClassServer::roundsReachThePoolOnceWritten()
{
    Page page(m_server->port());
    page.send(join());
    QVERIFY(page.replied(1));
    QCOMPARE(page.replies[0]["seat"].toString(), QStringLiteral("1番"));
    page.send(draws(1));
    page.send(draws(2));
    page.send(draws(1)); // late, and older: the newest stands
    QVERIFY(page.replied(4));
    QCOMPARE(page.replies[3], (QJsonObject{{"type", "ack"}, {"experiment", 1}, {"seq", 2}}));
    // Faster than a student can play: not yet, and the page is told to send it again later.
    page.send(draws(500, 2));
    QVERIFY(page.replied(5));
    QCOMPARE(page.replies[4], (QJsonObject{{"type", "later"}, {"experiment", 2}}));

    const QJsonObject pool = get(m_server->port(), "/pool.json");
    QCOMPARE(pool["rounds"].toInt(), 2);
    QCOMPARE(pool["connected"].toInt(), 1);
    QCOMPARE(pool["ratios"].toArray().first().toString(), QStringLiteral("1.000"));
    QCOMPARE(pool["experiments"].toArray().first()["seat"].toString(), QStringLiteral("1番"));
    QCOMPARE(pool["experiments"].toArray().first()["student"].toInt(), 1);

    // Acknowledged means written: another reader of the file sees it.
    ClassStore reader(m_file);
    pool::ClassPool copy(kCode);
    QVERIFY(reader.load(copy));
    QCOMPARE(copy.summary().tally.rounds, 2);
}

void TestClassServer::refused_data()
{
    QTest::addColumn<QList<QJsonObject>>("before");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("binary");
    QTest::addColumn<int>("closeCode");
    const QList<QJsonObject> joined{join()};
    const auto text = [](const QJsonObject &o) { return QJsonDocument(o).toJson(); };
    // The rules' refusals are the hub's (tst_classhub); here, the ones the socket and the JSON make.
    QJsonObject fractional = draws(1);
    fractional["seq"] = 1.5;
    QTest::newRow("wrong class") << QList<QJsonObject>{} << text(join(kDevice, "ZZZZZ")) << false << 4404;
    QTest::newRow("not an integer") << joined << text(fractional) << false << 1007;
    QTest::newRow("binary frame") << joined << QByteArray("\x01\x02") << true << 1003;
    QTest::newRow("over 4 KiB") << joined << QByteArray(5000, ' ') << false << 1009;
}

void TestClassServer::refused()
{
    QFETCH(QList<QJsonObject>, before);
    QFETCH(QByteArray, message);
    QFETCH(bool, binary);
    QFETCH(int, closeCode);
    Page bystander(m_server->port());
    bystander.send(join(QStringLiteral("bystander-0000000")));
    bystander.send(draws(1));
    QVERIFY(bystander.replied(2));

    Page page(m_server->port());
    for (const QJsonObject &m : before)
        page.send(m);
    if (binary)
        page.socket.sendBinaryMessage(message);
    else
        page.socket.sendTextMessage(QString::fromUtf8(message));
    QVERIFY(page.closed());
    QCOMPARE(static_cast<int>(page.socket.closeCode()), closeCode);
    // Nothing of it reached the pool, and the others go on.
    QCOMPARE(get(m_server->port(), "/pool.json")["rounds"].toInt(), 1);
    bystander.send(draws(2));
    QVERIFY(bystander.replied(3));
    QCOMPARE(bystander.replies[2]["seq"].toInt(), 2);
}

void TestClassServer::filesStayInsideThePage()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("inside")));
    QByteArray status;
    get(m_server->port(), "/../classes.sqlite", &status);
    QCOMPARE(status, QByteArray("HTTP/1.1 404 Not Found"));
    get(m_server->port(), "/inside/..%2Fclasses.sqlite", &status);
    QCOMPARE(status, QByteArray("HTTP/1.1 404 Not Found"));
}

void TestClassServer::killedServerLosesNoAcknowledgedState()
{
    m_server.reset();
    m_store.reset();
    int acknowledged = 0;
    {
        Program program(m_dir->path());
        Page page(program.port);
        page.send(join());
        QVERIFY(page.replied(1));
        QObject::connect(&page.socket, &QWebSocket::textMessageReceived, &page, [&](const QString &text) {
            acknowledged = QJsonDocument::fromJson(text.toUtf8())["seq"].toInt();
        });
        for (int n = 1; n <= 40; ++n) {
            page.send(draws(n));
            QTest::qWait(5);
        }
        QVERIFY(QTest::qWaitFor([&] { return acknowledged >= 10; }, kWaitMs));
        ::kill(static_cast<pid_t>(program.process.processId()), SIGKILL);
        QVERIFY(program.process.waitForFinished(kWaitMs));
    }
    Program again(m_dir->path());
    QVERIFY(get(again.port, "/pool.json")["rounds"].toInt() >= acknowledged);
    // The page fills in the rest when it is back.
    Page page(again.port);
    page.send(join());
    QVERIFY(page.replied(1));
    QCOMPARE(page.replies[0]["seat"].toString(), QStringLiteral("1番"));
    page.send(draws(40));
    QVERIFY(page.replied(2));
    QCOMPARE(get(again.port, "/pool.json")["rounds"].toInt(), 40);
}

void TestClassServer::holdsAgainstSlowAndIdleClients()
{
    m_server.reset();
    m_store.reset();
    // A desktop's limit of open files, or below: without a ceiling these clients would use them all up.
    Program program(m_dir->path(), {}, 256);
    QVERIFY(program.port != 0);
    Strangers slow(QStringLiteral("127.0.0.2"), program.port, 300, "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n");
    Strangers idle(QStringLiteral("127.0.0.3"), program.port, 300,
                   "GET /ws HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                   "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    // Each address keeps 32 connections that have not finished a request or joined; the rest are closed at once.
    QVERIFY(QTest::qWaitFor([&] { return slow.connected() == 32 && idle.connected() == 32; }, kWaitMs));

    // Meanwhile a new student's page, the pool and a join answer at once.
    QElapsedTimer clock;
    clock.start();
    QByteArray status;
    get(program.port, "/pool.json", &status);
    QCOMPARE(status, QByteArray("HTTP/1.1 200 OK"));
    get(program.port, "/", &status);
    QVERIFY(status == "HTTP/1.1 200 OK" || status == "HTTP/1.1 404 Not Found"); // a build without the page
    Page page(program.port);
    page.send(join(kDevice, program.code));
    QVERIFY(page.replied(1));
    QCOMPARE(page.replies[0]["type"].toString(), QStringLiteral("joined"));
    QVERIFY(clock.elapsed() < 1000);
    QCOMPARE(slow.connected(), 32); // all the while they were held

    // Their time runs out: an unfinished request after 10 s, a WebSocket that has not joined after 10 s (scaled).
    QVERIFY(QTest::qWaitFor([&] { return slow.connected() == 0 && idle.connected() == 0; }, kWaitMs));
    QCOMPARE(page.socket.state(), QAbstractSocket::ConnectedState);
}

void TestClassServer::withoutThePageOnlyThePool()
{
    m_server.reset();
    m_store.reset();
    // The program alone in a folder of its own: no page beside it or in its share/ folder.
    const QString alone = m_dir->filePath(QStringLiteral("bin/nuperako-class"));
    QVERIFY(QDir().mkpath(m_dir->filePath(QStringLiteral("bin"))));
    QVERIFY(QFile::copy(QStringLiteral(NUPERAKO_CLASS_PROGRAM), alone));
    Program program(m_dir->path(), {}, 0, alone);
    QVERIFY(program.port != 0);
    QVERIFY(program.process.readAllStandardError().contains("students cannot join"));
    QByteArray status;
    get(program.port, "/", &status);
    QCOMPARE(status, QByteArray("HTTP/1.1 404 Not Found"));
    QCOMPARE(get(program.port, "/pool.json")["class"].toString(), program.code);
}

void TestClassServer::exportWritesTheClassAsCsv()
{
    Page page(m_server->port());
    page.send(join());
    page.send({{"type", "seat"}, {"name", "=はなこ"}});
    page.send(draws(3));
    QVERIFY(page.replied(3));

    QProcess exporter;
    exporter.start(QStringLiteral(NUPERAKO_CLASS_PROGRAM), {"--export", kCode, "--data", m_dir->path()});
    QVERIFY(exporter.waitForFinished(kWaitMs));
    QCOMPARE(exporter.exitCode(), 0);
    QCOMPARE(
        exporter.readAllStandardOutput(),
        QByteArray("seat,experiment,rounds,aiko,a1kati,b1kati,c1kati,abc1kati,a1make,b1make,c1make,abc1make,ended\r\n"
                   "'=はなこ,1,3,3,0,0,0,0,0,0,0,0,0\r\n"));

    exporter.start(QStringLiteral(NUPERAKO_CLASS_PROGRAM), {"--export", "ZZZZZ", "--data", m_dir->path()});
    QVERIFY(exporter.waitForFinished(kWaitMs));
    QCOMPARE(exporter.exitCode(), 1);
    QVERIFY(exporter.readAllStandardOutput().isEmpty());
    // Not a class's code at all: the command line is wrong.
    exporter.start(QStringLiteral(NUPERAKO_CLASS_PROGRAM), {"--export", "../x", "--data", m_dir->path()});
    QVERIFY(exporter.waitForFinished(kWaitMs));
    QCOMPARE(exporter.exitCode(), 2);
}

void TestClassServer::removedExperimentLeavesForGood()
{
    Page page(m_server->port());
    page.send(join());
    page.send(draws(3));
    page.send(draws(2, 2));
    QVERIFY(page.replied(3));
    QVERIFY(m_server->removeExperiment(1, 1));
    QVERIFY(page.replied(4));
    QCOMPARE(page.replies[3], (QJsonObject{{"type", "removed"}, {"experiment", 1}}));

    // After a restart: still out, and the class's history goes back to the rounds left.
    m_server.reset();
    m_store.reset();
    ClassStore store(m_file);
    pool::ClassPool kept(kCode);
    pool::PooledHistory history;
    QVERIFY(store.load(kept) && store.loadHistory(kCode, history));
    QCOMPARE(kept.tally().rounds, 2);
    QVERIFY(kept.offer(kDevice.toStdString(), {1, 9, {9, 0, 0, 0, 0, 0, 0, 0, 0}, false}, 1 << 30) ==
            pool::Verdict::Removed);
    QVERIFY(!history.points().empty());
    QCOMPARE(history.points().back(), (pool::HistoryPoint{2, {2, 0, 0}}));
    QVERIFY(std::ranges::all_of(history.points(), [](const pool::HistoryPoint &p) { return p.rounds <= 2; }));
}

void TestClassServer::newClassLeavesTheOldOne()
{
    Page page(m_server->port());
    page.send(join());
    page.send(draws(3));
    QVERIFY(page.replied(2));
    m_server.reset();
    m_store.reset();

    QString code;
    {
        Program again(m_dir->path());
        QCOMPARE(again.code, QString::fromLatin1(kCode)); // the class goes on
        Program fresh(m_dir->path(), {"--new-class"});
        code = fresh.code;
        QVERIFY(pool::isClassCode(code.toStdString()) && code != QString::fromLatin1(kCode));
        QCOMPARE(get(fresh.port, "/pool.json")["rounds"].toInt(), 0);
    }
    // The old class is kept, and the new one is the one to go on with.
    ClassStore store(m_file);
    pool::ClassPool old(kCode);
    QVERIFY(store.load(old));
    QCOMPARE(old.summary().tally.rounds, 3);
    QCOMPARE(store.newestClass(), std::optional<std::string>(code.toStdString()));
}

void TestClassServer::newClassClosesTheOldPages()
{
    Page page(m_server->port());
    page.send(join());
    QVERIFY(page.replied(1));
    QSignalSpy changed(m_server.get(), &ClassServer::classChanged);
    QVERIFY(m_server->startNewClass());
    QCOMPARE(changed.size(), 1);
    QVERIFY(page.closed());
    QCOMPARE(static_cast<int>(page.socket.closeCode()), 4404);
    const std::string code = m_server->session().code();
    QVERIFY(code != kCode);
    QVERIFY(m_server->studentAddress().endsWith(QString::fromStdString("?class=" + code)));
    QCOMPARE(m_store->newestClass(), std::optional<std::string>(code));
}

void TestClassServer::teacherOpensAndFollowsAClass()
{
    Page teacher(m_server->port());
    teacher.send({{"type", "open"}});
    QVERIFY(teacher.replied(1));
    const QJsonObject opened = teacher.replies.first();
    QCOMPARE(opened["type"].toString(), QStringLiteral("opened"));
    const QString code = opened["class"].toString();
    QCOMPARE(opened["key"].toString().size(), 22); // 128 random bits, base64url

    Page student(m_server->port());
    student.send(join(kDevice, code));
    student.send(draws(2));
    QVERIFY(student.replied(2));
    // The teacher's view: the class's pool, and its history as [rounds, あいこ, 一人勝ち, 一人負け] points
    // (a point is added once its rounds are written, so a view may come before it).
    const auto pointShown = [&] {
        return teacher.replies.last()["history"].toArray().last().toArray() == QJsonArray{2, 2, 0, 0};
    };
    QVERIFY(QTest::qWaitFor(pointShown, kWaitMs));
    const QJsonObject view = teacher.replies.last();
    QCOMPARE(view["type"].toString(), QStringLiteral("class"));
    QCOMPARE(view["rounds"].toInt(), 2);
    QCOMPARE(view["experiments"].toArray().size(), 1);
    QCOMPARE(view["revealed"].toBool(), false);

    // Revealed, the class reaches the student's open window as numbers only; the choice is kept.
    teacher.send({{"type", "reveal"}, {"revealed", true}});
    student.send({{"type", "watch"}, {"watching", true}});
    QVERIFY(QTest::qWaitFor([&] { return student.replies.last()["revealed"].toBool(); }, kWaitMs));
    const QJsonObject overview = student.replies.last();
    QCOMPARE(overview.keys(), (QStringList{"dots", "history", "revealed", "type"}));
    QCOMPARE(overview["type"].toString(), QStringLiteral("overview"));
    QCOMPARE(overview["dots"].toArray(), (QJsonArray{2, 2, 0}));
    ClassStore reader(m_file);
    QVERIFY(QTest::qWaitFor([&] { return reader.loadSession(code.toStdString())->revealed(); }, kWaitMs));

    // Another page with a wrong key is refused, and hears nothing of the class.
    Page stranger(m_server->port());
    stranger.send({{"type", "follow"}, {"class", code}, {"key", QString(22, u'A')}});
    QVERIFY(stranger.closed());
    QCOMPARE(static_cast<int>(stranger.socket.closeCode()), protocol::kForbiddenCode);
    QVERIFY(stranger.replies.isEmpty());
}

QTEST_GUILESS_MAIN(TestClassServer)
#include "tst_classserver.moc"
