// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classhub.h"

#include <QTest>

#include <algorithm>

using namespace nuperako;
using namespace nuperako::pool;

Q_DECLARE_METATYPE(nuperako::pool::PageMessage)
Q_DECLARE_METATYPE(nuperako::protocol::Refusal)

class TestClassHub : public QObject {
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void answersWaitForTheWrite();
    void removedExperimentIsAnswered();
    void deadlinesAndSilence();
    void closedClassClosesItsPages();
};

namespace {

constexpr char kCode[] = "ABCDE";
const std::string kDevice = "0123456789abcdef";
constexpr std::int64_t kStart = 1'000'000;

// A clock the test moves on by hand.
struct ScriptedClock final : WallClock {
    std::int64_t now = kStart;
    [[nodiscard]] std::int64_t nowMs() const override { return now; }
};

// The nth state of an experiment in which every round was a draw.
StateMessage draws(int n, std::int64_t experiment = 1)
{
    return {experiment, n, {n, 0, 0, 0, 0, 0, 0, 0, 0}, false};
}

// A hub with one class open, and the requests it has made so far.
struct Hub {
    ScriptedClock clock;
    ClassHub hub{clock, {}};
    std::vector<SessionRequest> requests;

    Hub() { hub.open(ClassSession(ClassPool(kCode), {})); }
    void open(ConnectionId c, const std::string &device = kDevice)
    {
        hub.opened(c);
        hub.received(c, JoinMessage{kCode, device});
        take();
    }
    // Writes what is due, as the server does, and takes the requests.
    void write(bool ok = true)
    {
        static_cast<void>(hub.rowsToWrite());
        hub.written(ok);
        take();
    }
    void take() { std::ranges::move(hub.takeRequests(), std::back_inserter(requests)); }
    [[nodiscard]] const ClassSession &session() const { return *hub.openClass(kCode); }
    // The answers sent to a connection so far.
    [[nodiscard]] std::vector<ServerMessage> sentTo(ConnectionId c) const
    {
        std::vector<ServerMessage> sent;
        for (const SessionRequest &r : requests) {
            if (const auto *send = std::get_if<Send>(&r); send && send->to == c)
                sent.push_back(send->message);
        }
        return sent;
    }
};

bool asked(const Hub &h, const SessionRequest &request)
{
    return std::ranges::find(h.requests, request) != h.requests.end();
}

} // namespace

void TestClassHub::refused_data()
{
    QTest::addColumn<bool>("joinFirst");
    QTest::addColumn<PageMessage>("message");
    QTest::addColumn<int>("times");
    QTest::addColumn<protocol::Refusal>("refusal");
    StateMessage negative = draws(1);
    negative.counts[1] = -1;
    const PageMessage wrongClass = JoinMessage{"ZZZZZ", kDevice};
    QTest::newRow("wrong class") << false << wrongClass << 1 << protocol::Refusal{4404, "unknown class"};
    QTest::newRow("bad device id") << false << PageMessage(JoinMessage{kCode, "x<script>"}) << 1
                                   << protocol::Refusal{1008, "bad device id"};
    QTest::newRow("state before joining")
        << false << PageMessage(draws(1)) << 1 << protocol::Refusal{1008, "unexpected message"};
    QTest::newRow("joining twice") << true << PageMessage(JoinMessage{kCode, kDevice}) << 1
                                   << protocol::Refusal{1008, "unexpected message"};
    QTest::newRow("malformed JSON") << true << PageMessage(MessageFault::MalformedJson) << 1
                                    << protocol::Refusal{1007, "malformed JSON"};
    QTest::newRow("not an integer") << true << PageMessage(MessageFault::MalformedState) << 1
                                    << protocol::Refusal{1007, "malformed state"};
    QTest::newRow("unknown type") << true << PageMessage(MessageFault::UnknownType) << 1
                                  << protocol::Refusal{1008, "unexpected message"};
    QTest::newRow("negative count") << true << PageMessage(negative) << 1
                                    << protocol::Refusal{1008, reasonOf(Verdict::Negative)};
    // Twenty messages a second after a burst of sixty.
    QTest::newRow("too many messages") << true << PageMessage(SeatMessage{"x"}) << 60
                                       << protocol::Refusal{1008, "too many messages"};
}

void TestClassHub::refused()
{
    QFETCH(bool, joinFirst);
    QFETCH(PageMessage, message);
    QFETCH(int, times);
    QFETCH(protocol::Refusal, refusal);
    Hub h;
    h.open(1, "bystander-000000000");
    h.hub.received(1, draws(1));
    h.hub.opened(2);
    if (joinFirst)
        h.hub.received(2, JoinMessage{kCode, kDevice});
    for (int i = 0; i < times; ++i)
        h.hub.received(2, message);
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Close{2, refusal}));
    // Nothing of it reaches the store or the class, and the bystander goes on.
    h.hub.received(2, draws(2));
    h.write();
    QCOMPARE(h.session().pool().tally().rounds, 1);
    QVERIFY(
        std::ranges::none_of(h.sentTo(2), [](const ServerMessage &m) { return std::holds_alternative<AckReply>(m); }));
    h.hub.received(1, draws(2));
    h.write();
    QCOMPARE(h.sentTo(1).back(), ServerMessage(AckReply{1, 2}));
}

void TestClassHub::answersWaitForTheWrite()
{
    Hub h;
    h.open(1);
    h.hub.received(1, draws(3));
    h.take();
    QVERIFY(h.sentTo(1).empty());
    QCOMPARE(h.hub.writeDueAt(), std::optional(kStart + 40));
    // The store cannot write: no page hears of its state, and the write is tried again a second later.
    h.write(false);
    QVERIFY(h.sentTo(1).empty());
    QCOMPARE(h.hub.writeDueAt(), std::optional(kStart + 1000));
    h.clock.now += 1000;
    const std::vector<const ClassRows *> rows = h.hub.rowsToWrite();
    QCOMPARE(rows.size(), 1U);
    QCOMPARE(rows.front()->students.at(kDevice).seat, "1番");
    QCOMPARE(rows.front()->experiments.at({kDevice, 1}).counts[Count::Aiko], 3);
    h.hub.written(true);
    h.take();
    QCOMPARE(h.sentTo(1), (std::vector<ServerMessage>{JoinedReply{kCode, "1番"}, AckReply{1, 3}}));
    QVERIFY(!h.hub.writeDueAt());
    // A state faster than a student plays is answered "later", after the write too.
    h.hub.received(1, draws(500, 2));
    h.write();
    QCOMPARE(h.sentTo(1).back(), ServerMessage(LaterReply{2}));
}

void TestClassHub::removedExperimentIsAnswered()
{
    Hub h;
    h.open(1);
    h.hub.received(1, draws(3));
    h.write();
    QVERIFY(!h.hub.removeExperiment(kCode, 1, 7));
    QVERIFY(h.hub.removeExperiment(kCode, 1, 1));
    h.write();
    QCOMPARE(h.sentTo(1).back(), ServerMessage(RemovedReply{1}));
    // A state of it still on its way is not taken either: the page hears it again.
    h.hub.received(1, draws(4));
    h.write();
    QCOMPARE(h.sentTo(1).back(), ServerMessage(RemovedReply{1}));
    QCOMPARE(h.session().pool().tally().rounds, 0);
}

void TestClassHub::deadlinesAndSilence()
{
    Hub h;
    h.open(1);
    h.hub.opened(2); // never joins
    h.clock.now += 9'999;
    h.hub.tick();
    h.take();
    QVERIFY(!asked(h, SessionRequest(Close{2, protocol::kJoinFirst})));
    h.clock.now += 1;
    h.hub.tick();
    h.take();
    QVERIFY(asked(h, SessionRequest(Close{2, protocol::kJoinFirst})));
    // Every 15 s each page is pinged; a page that says nothing for 40 s, not even a pong, has gone.
    h.clock.now = kStart + 15'000;
    h.hub.tick();
    h.take();
    QVERIFY(asked(h, SessionRequest(Ping{1})));
    h.clock.now = kStart + 40'000;
    h.hub.tick();
    h.take();
    QCOMPARE(h.session().summary().connected, 1);
    h.clock.now = kStart + 40'001;
    h.hub.tick();
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Abort{2}));
    QVERIFY(asked(h, SessionRequest(Abort{1})));
    QCOMPARE(h.session().summary().connected, 0);
}

void TestClassHub::closedClassClosesItsPages()
{
    Hub h;
    h.open(1);
    h.hub.received(1, draws(2));
    h.take();
    h.hub.close(kCode);
    h.hub.open(ClassSession(ClassPool("FGHJK"), {}));
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Close{1, protocol::kClassClosed}));
    // What the class had not written is written still.
    const std::vector<const ClassRows *> rows = h.hub.rowsToWrite();
    QCOMPARE(rows.size(), 1U);
    QCOMPARE(rows.front()->classCode, kCode);
    QCOMPARE(rows.front()->experiments.size(), 1U);
}

QTEST_APPLESS_MAIN(TestClassHub)
#include "tst_classhub.moc"
