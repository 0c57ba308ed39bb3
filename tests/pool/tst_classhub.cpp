// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classhub.h"
#include "pool/overview.h"

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
    void teachersOpenAndFollow();
    void keysAreGuessedSlowly();
    void pastClassOpensForItsPages();
    void teacherActsOnItsClass();
    void viewsAreSpreadOverTheInterval();
    void watchingStudentsSeeTheRevealedClass();
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
        hub.opened(c, "127.0.1.1");
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

// The page on connection c opens a class as a teacher, and the server makes it with this key.
void openAsTeacher(Hub &h, ConnectionId c, const std::string &code, const std::string &address = "127.0.2.1")
{
    h.hub.opened(c, address);
    h.hub.received(c, OpenMessage{});
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Create{c, {}}));
    h.hub.created(c, ClassSession(ClassPool(code), {}, "hash of " + code), "key of " + code);
    h.write();
}

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
    QTest::newRow("watching before joining")
        << false << PageMessage(WatchMessage{true}) << 1 << protocol::Refusal{1008, "unexpected message"};
    QTest::newRow("a student revealing") << true << PageMessage(RevealMessage{true}) << 1
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
    h.hub.opened(2, "127.0.1.2");
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
    QCOMPARE(h.hub.writeDueAt(), std::optional(kStart + ClassHub::kWriteEveryMs));
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
    h.hub.opened(2, "127.0.1.2"); // never joins
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

void TestClassHub::teachersOpenAndFollow()
{
    Hub h;
    h.hub.opened(4, "127.0.2.4");
    h.hub.received(4, OpenMessage{});
    h.hub.created(4, ClassSession(ClassPool("KLMNP"), {}, "hash of KLMNP"), "key of KLMNP");
    h.hub.publish();
    h.take();
    QVERIFY(!asked(h, Publish{"KLMNP", {4}})); // not before the page has heard its key
    h.write();
    h.hub.publish();
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Publish{"KLMNP", {4}}));
    openAsTeacher(h, 5, "FGHJK");
    // The key is said once, to the teacher who opened the class; the page follows it at once.
    QCOMPARE(h.sentTo(5), (std::vector<ServerMessage>{OpenedReply{"FGHJK", "key of FGHJK"}}));
    QVERIFY(asked(h, Admit{5}));
    h.hub.publish();
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Publish{"FGHJK", {5}}));
    // Nothing new: nothing sent; a student joins: the view goes again, to every teacher's page of the class.
    h.hub.opened(6, "127.0.2.2");
    h.hub.received(6, FollowMessage{"FGHJK", "hash of FGHJK"});
    h.hub.publish();
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Publish{"FGHJK", {6}}));
    h.hub.opened(1, "127.0.1.1");
    h.hub.received(1, JoinMessage{"FGHJK", kDevice});
    const std::size_t before = h.requests.size();
    h.hub.publish(); // at most five times a second
    h.clock.now += protocol::kViewMs;
    h.hub.publish();
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Publish{"FGHJK", {5, 6}}));
    h.hub.publish();
    h.take();
    QCOMPARE(h.requests.size(), before + 2); // the Admit of the join, and one view
    // A wrong key is refused; with the teachers' password, so is a wrong password.
    h.hub.opened(7, "127.0.2.3");
    h.hub.received(7, FollowMessage{"FGHJK", "hash of a guess"});
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Close{7, protocol::Refusal{4403, "wrong key"}}));
    ScriptedClock clock;
    ClassHub guarded(clock, {}, "hash of the password");
    guarded.opened(1, "127.0.2.1");
    guarded.received(1, OpenMessage{"hash of a guess"});
    QCOMPARE(guarded.takeRequests().back(), SessionRequest(Close{1, protocol::Refusal{4403, "wrong password"}}));
    guarded.opened(2, "127.0.2.1");
    guarded.received(2, OpenMessage{"hash of the password"});
    QCOMPARE(guarded.takeRequests().back(), SessionRequest(Create{2, {}}));
}

void TestClassHub::keysAreGuessedSlowly()
{
    Hub h;
    openAsTeacher(h, 100, "FGHJK");
    // Ten tries a minute from one address; another address is not slowed by it.
    for (ConnectionId c = 1; c <= 11; ++c) {
        h.hub.opened(c, "127.0.3.1");
        h.hub.received(c, FollowMessage{"FGHJK", "hash of a guess"});
    }
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Close{11, protocol::Refusal{1008, "too many tries"}}));
    h.hub.opened(12, "127.0.3.2");
    h.hub.received(12, FollowMessage{"FGHJK", "hash of FGHJK"});
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Admit{12}));
    h.clock.now += 6'000; // one try back
    h.hub.opened(13, "127.0.3.1");
    h.hub.received(13, FollowMessage{"FGHJK", "hash of FGHJK"});
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Admit{13}));
    // Twenty classes an hour from one address.
    for (ConnectionId c = 200; c < 220; ++c) {
        h.hub.opened(c, "127.0.4.1");
        h.hub.received(c, OpenMessage{});
    }
    h.hub.opened(220, "127.0.4.1");
    h.hub.received(220, OpenMessage{});
    h.take();
    QCOMPARE(h.requests.back(),
             SessionRequest(Close{220, protocol::Refusal{1013, "too many classes opened from this address"}}));
}

void TestClassHub::pastClassOpensForItsPages()
{
    Hub h;
    h.hub.opened(5, "127.0.2.1");
    h.hub.received(5, FollowMessage{"PQRST", "hash of PQRST"});
    h.hub.opened(6, "127.0.2.2");
    h.hub.received(6, FollowMessage{"PQRST", "hash of a guess"});
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Load{"PQRST"})); // asked for once
    // Waiting for the store, a teacher's page is not held to the time to join.
    h.clock.now += 20'000;
    h.hub.tick();
    h.hub.loaded("PQRST", ClassSession(ClassPool("PQRST"), {}, "hash of PQRST"));
    h.take();
    QVERIFY(asked(h, Admit{5}));
    QCOMPARE(h.requests.back(), SessionRequest(Close{6, protocol::Refusal{4403, "wrong key"}}));
    QVERIFY(h.hub.openClass("PQRST") != nullptr);
    // A student's page, back after the server has started again: the class opens for it too.
    h.hub.opened(7, "127.0.1.7");
    h.hub.received(7, JoinMessage{"VWXYZ", kDevice});
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Load{"VWXYZ"}));
    h.hub.loaded("VWXYZ", ClassSession(ClassPool("VWXYZ"), {}, "hash of VWXYZ"));
    h.hub.received(7, draws(1));
    h.write();
    QCOMPARE(h.hub.openClass("VWXYZ")->pool().tally().rounds, 1);
    // A class the store does not have.
    h.hub.opened(8, "127.0.1.8");
    h.hub.received(8, JoinMessage{"ZZZZZ", kDevice});
    h.hub.loaded("ZZZZZ", std::nullopt);
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Close{8, protocol::Refusal{4404, "unknown class"}}));
}

void TestClassHub::teacherActsOnItsClass()
{
    Hub h;
    openAsTeacher(h, 5, "FGHJK");
    h.hub.opened(1, "127.0.1.1");
    h.hub.received(1, JoinMessage{"FGHJK", kDevice});
    h.hub.received(1, draws(3));
    h.write();
    h.hub.received(5, RemoveMessage{1, 1});
    h.write();
    QCOMPARE(h.sentTo(1).back(), ServerMessage(RemovedReply{1}));
    QVERIFY(!h.hub.mayRead("FGHJK", "hash of FGHJK", "127.0.2.1"));
    QCOMPARE(h.hub.mayRead("FGHJK", "hash of a guess", "127.0.2.1"),
             std::optional(protocol::Refusal{4403, "wrong key"}));
    // A new class in its place: the old one's pages hear it has closed, the teacher goes with the new one.
    h.hub.received(5, NewClassMessage{});
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Create{5, "FGHJK"}));
    h.hub.created(5, ClassSession(ClassPool("KLMNP"), {}, "hash of KLMNP"), "key of KLMNP");
    h.write();
    QVERIFY(asked(h, Close{1, protocol::kClassClosed}));
    QVERIFY(!asked(h, Close{5, protocol::kClassClosed}));
    QCOMPARE(h.sentTo(5).back(), ServerMessage(OpenedReply{"KLMNP", "key of KLMNP"}));
    QVERIFY(h.hub.openClass("FGHJK") == nullptr);
    // A student's message from a teacher's page is refused.
    h.hub.received(5, draws(1));
    h.take();
    QCOMPARE(h.requests.back(), SessionRequest(Close{5, protocol::Refusal{1008, "unexpected message"}}));
}

QTEST_APPLESS_MAIN(TestClassHub)
void TestClassHub::watchingStudentsSeeTheRevealedClass()
{
    Hub h;
    h.open(1);
    h.open(2, "fedcba9876543210");
    h.write();
    // The overviews the hub has asked for since the last call.
    const auto overviews = [&h] {
        h.hub.publish();
        h.take();
        std::vector<std::vector<ConnectionId>> to;
        for (const SessionRequest &r : std::exchange(h.requests, {})) {
            if (const auto *o = std::get_if<ShowOverview>(&r))
                to.push_back(o->to);
        }
        return to;
    };
    using Sent = std::vector<std::vector<ConnectionId>>;

    // A page that opens its window hears at once, even of a hidden class; then only of changes.
    h.hub.received(1, WatchMessage{true});
    QCOMPARE(overviews(), Sent{{1}});
    h.clock.now += protocol::kOverviewMs;
    h.hub.received(2, draws(3));
    QCOMPARE(overviews(), Sent{});
    h.hub.reveal(kCode, true);
    QCOMPARE(overviews(), Sent{{1}});
    QCOMPARE(h.hub.rowsToWrite().front()->revealed, std::optional(true));
    h.write();

    // At most once a second, to every watching page at once; a page new to it hears at once.
    h.hub.received(2, draws(4));
    h.clock.now += protocol::kOverviewMs - 1;
    QCOMPARE(overviews(), Sent{});
    h.hub.received(2, WatchMessage{true});
    QCOMPARE(overviews(), Sent{{2}});
    h.clock.now += 1;
    QCOMPARE(overviews(), (Sent{{1, 2}}));
    h.hub.received(1, WatchMessage{false});
    h.hub.received(2, draws(5));
    h.clock.now += protocol::kOverviewMs;
    QCOMPARE(overviews(), Sent{{2}});
    // A large class's overview, less often: at most so many bytes a second.
    h.hub.overviewSent(kCode, std::size_t{2} * protocol::kOverviewBytesPerSecond);
    h.hub.received(2, draws(6));
    h.clock.now += 2 * protocol::kOverviewMs - 1;
    QCOMPARE(overviews(), Sent{});
    h.clock.now += 1;
    QCOMPARE(overviews(), Sent{{2}});

    // What they see: numbers only, an experiment's rounds, draws and wins alone, and the history thinned.
    PooledHistory history;
    for (std::int64_t n = 1; n <= 100; ++n)
        history.record({n, {n, 0, 0}});
    const Overview seen = overviewOf(h.session().summary(), history.points(), true);
    QCOMPARE(seen.dots, (std::vector<KindTotals>{{6, 6, 0}}));
    QCOMPARE(seen.history.size(), protocol::kOverviewPoints);
    QCOMPARE(seen.history.front(), (KindTotals{1, 1, 0}));
    QCOMPARE(seen.history.back(), (KindTotals{100, 100, 0}));
    QVERIFY(overviewOf(h.session().summary(), history.points(), false).dots.empty());
}

#include "tst_classhub.moc"

void TestClassHub::viewsAreSpreadOverTheInterval()
{
    Hub h; // with a class of its own
    constexpr int kClasses = 15;
    for (int i = 0; i < kClasses; ++i)
        openAsTeacher(h, 100 + i, "CLS" + std::to_string(10 + i));
    const auto views = [&h] {
        h.requests.clear();
        h.hub.publish();
        h.take();
        return std::ranges::count_if(h.requests, [](const auto &r) { return std::holds_alternative<Publish>(r); });
    };
    QCOMPARE(views(), kClasses); // every new page hears of its class at once
    h.clock.now += protocol::kViewMs;
    for (int i = 0; i < kClasses; ++i) {
        h.hub.opened(200 + i, "127.0.1.1");
        h.hub.received(200 + i, JoinMessage{"CLS" + std::to_string(10 + i), kDevice});
    }
    // Sixteen classes in eight calls: two at each, until every changed one has been shown.
    for (int call = 0; call < 7; ++call)
        QCOMPARE(views(), 2);
    QCOMPARE(views(), 1);
    QCOMPARE(views(), 0);
}
