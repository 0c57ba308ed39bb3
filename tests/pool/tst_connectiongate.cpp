// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/connectiongate.h"

#include <QTest>

using namespace nuperako::pool;
using Phase = ConnectionGate::Phase;

class TestConnectionGate : public QObject {
    Q_OBJECT

private slots:
    void admitsBelowItsCeilings();
    void timeRunsOutByPhase_data();
    void timeRunsOutByPhase();
};

namespace {

ConnectionGate::Limits small()
{
    ConnectionGate::Limits limits;
    limits.connections = 4;
    limits.webSockets = 2;
    limits.waitingPerAddress = 2;
    return limits;
}

// How a connection is brought to the phase a row tests.
enum class Path { Unfinished, Answered, FurtherRequest, Upgraded, Joined };

} // namespace

Q_DECLARE_METATYPE(Path)

void TestConnectionGate::admitsBelowItsCeilings()
{
    ConnectionGate gate(small());
    const auto a1 = gate.open("a", 0);
    const auto a2 = gate.open("a", 0);
    QVERIFY(a1 && a2);
    QVERIFY(!gate.open("a", 0)); // two of a's are waiting
    gate.answered(*a1, 0);       // one has shown what it is for
    const auto a3 = gate.open("a", 0);
    QVERIFY(a3);
    const auto b1 = gate.open("b", 0);
    QVERIFY(b1);
    QVERIFY(!gate.open("c", 0)); // four: the ceiling of every kind
    QCOMPARE(gate.size(), 4U);

    // Two WebSockets at most; the third is on its way out, and counts until it is closed.
    QVERIFY(gate.upgraded(*a2, 0));
    QVERIFY(gate.upgraded(*a3, 0));
    QVERIFY(!gate.upgraded(*b1, 0));
    QCOMPARE(gate.phaseOf(*b1), Phase::Closing);
    QVERIFY(!gate.open("c", 0));
    gate.closed(*b1);
    gate.joined(*a2);
    const auto c1 = gate.open("c", 0);
    QVERIFY(c1);
    QVERIFY(!gate.upgraded(*c1, 0)); // a joined page still holds its WebSocket
    gate.closed(*a2);
    gate.closed(*c1);
    // a's waiting connection (a3, not joined) and a new one: a is full again.
    QVERIFY(gate.open("a", 0));
    QVERIFY(!gate.open("a", 0));
}

void TestConnectionGate::timeRunsOutByPhase_data()
{
    QTest::addColumn<Path>("path");
    QTest::addColumn<qint64>("deadline"); // 0: never
    QTest::addColumn<Phase>("phase");
    const ConnectionGate::Limits l = small();
    // Opened at 0; answered at 5; the further request began at 20; upgraded at 3.
    QTest::newRow("a request not finished") << Path::Unfinished << qint64(l.requestMs) << Phase::Request;
    QTest::newRow("idle after its answer") << Path::Answered << qint64(5 + l.idleMs) << Phase::Idle;
    QTest::newRow("a further request") << Path::FurtherRequest << qint64(20 + l.requestMs) << Phase::Request;
    // A WebSocket's time to join is the class's rules'.
    QTest::newRow("a WebSocket not joined") << Path::Upgraded << qint64(0) << Phase::Joining;
    QTest::newRow("a joined page") << Path::Joined << qint64(0) << Phase::Joined;
}

void TestConnectionGate::timeRunsOutByPhase()
{
    QFETCH(Path, path);
    QFETCH(qint64, deadline);
    QFETCH(Phase, phase);
    ConnectionGate gate(small());
    const ConnectionGate::Id id = *gate.open("a", 0);
    if (path == Path::Answered || path == Path::FurtherRequest)
        gate.answered(id, 5);
    if (path == Path::FurtherRequest)
        gate.requestStarted(id, 20);
    if (path == Path::Upgraded || path == Path::Joined)
        QVERIFY(gate.upgraded(id, 3));
    if (path == Path::Joined)
        gate.joined(id);
    QCOMPARE(gate.phaseOf(id), phase);

    if (deadline == 0) {
        QVERIFY(gate.expire(1'000'000).empty());
        return;
    }
    QVERIFY(gate.expire(deadline - 1).empty());
    QCOMPARE(gate.expire(deadline), (std::vector{std::pair(id, phase)}));
    // Told once: it is on its way out, still counted until it is closed.
    QCOMPARE(gate.phaseOf(id), Phase::Closing);
    QVERIFY(gate.expire(1'000'000).empty());
    QCOMPARE(gate.size(), 1U);
}

QTEST_APPLESS_MAIN(TestConnectionGate)
#include "tst_connectiongate.moc"
