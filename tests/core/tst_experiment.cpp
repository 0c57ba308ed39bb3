// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/boardvariables.h"
#include "core/experiment.h"
#include "core/module1.h"
#include "core/systemclock.h"
#include "support/scriptedhands.h"

#include <QTest>

#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <string_view>

using namespace nuperako;
using nuperako::test::FrozenClock;
using nuperako::test::ScriptedHands;

namespace {

// One experiment with scripted hands and a frozen clock.
struct Bench {
    Module1 shared;
    BoardVariables vars;
    ScriptedHands hands;
    FrozenClock clock{1234.5F};
    Experiment experiment{shared, vars, hands, clock};

    Bench() { experiment.initialise(); }

    Round round(int a, int b, int c)
    {
        hands.push(a, b, c);
        return experiment.playRound();
    }
};

// A generator that always returns the same number.
class Constant final : public RandomSource {
public:
    explicit Constant(float r) : m_r(r) {}
    void reseed(float) override {}
    float next() override { return m_r; }

private:
    float m_r;
};

// A clock that moves on by one second at every reading.
class TickingClock final : public Clock {
public:
    float secondsSinceMidnight() override { return seconds += 1.0F; }
    float seconds = 100.0F;
};

// Remembers the seeds it was given, and draws from the last one only.
class SeedEcho final : public RandomSource {
public:
    void reseed(float seed) override { m_seed = seed; }
    float next() override { return static_cast<float>(static_cast<int>(m_seed) % 3) / 3.0F; }

private:
    float m_seed = 0;
};

} // namespace

class TestExperiment : public QObject {
    Q_OBJECT

private slots:
    void loadValues();
    void resetKeepsHistoriesAndHands();
    void drawMapsUniformNumberToHand_data();
    void drawMapsUniformNumberToHand();
    void eachDrawReseedsFromTheClockReadThen();
    void roundTalliesItsOutcome_data();
    void roundTalliesItsOutcome();
    void historyIsIndexedByCountAfterTally();
    void roundThatReaches999EndsExperiment();
    void roundAfterEndIsCountedButWritesNoHistory();
    void brokenPromisesFailLoudly();
    void systemClockReadsLocalTimeOfDay();
};

void TestExperiment::loadValues()
{
    Bench b;
    QCOMPARE(b.vars.hyouji1, 1);
    QCOMPARE(b.vars.hyouji2, 2);
    QCOMPARE(b.vars.hyouji3, 3);
    QCOMPARE(b.vars.jidou, 0);
    QCOMPARE(b.shared.owari, 0);
    QCOMPARE(kaisuu(b.shared), 0);
    QVERIFY(b.vars.te1.empty() && b.vars.te2.empty() && b.vars.te3.empty());
    for (const RatioHistory *h : {&b.shared.aikoritu, &b.shared.katiritu, &b.shared.makeritu})
        QVERIFY(std::all_of(h->begin(), h->end(), [](float v) { return v == 0.0F; }));
}

void TestExperiment::resetKeepsHistoriesAndHands()
{
    Bench b;
    b.round(1, 2, 2);
    b.round(2, 2, 2);
    b.round(3, 3, 1);
    b.vars.kotae = 7;
    b.vars.hyouji1 = 3;
    b.vars.jidou = 1;
    const Module1 before = b.shared;

    b.experiment.initialise();

    QCOMPARE(b.vars.hyouji1, 1);
    QCOMPARE(b.vars.jidou, 0);
    QCOMPARE(kaisuu(b.shared), 0);
    const Counts counts = b.experiment.counts();
    QVERIFY(std::ranges::all_of(counts.values, [](std::int16_t c) { return c == 0; }));
    QCOMPARE(b.vars.kotae, 7.0);
    QCOMPARE(b.vars.ransuu1, 3);
    QCOMPARE(b.vars.te3, std::string_view("guu"));
    QVERIFY(b.shared.aikoritu == before.aikoritu);
    QVERIFY(b.shared.katiritu == before.katiritu);
    QVERIFY(b.shared.makeritu == before.makeritu);
}

void TestExperiment::drawMapsUniformNumberToHand_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("zero") << 0.0F << 1 << "guu";
    QTest::newRow("below a third") << 0.3333F << 1 << "guu";
    QTest::newRow("a third") << 1.0F / 3.0F << 2 << "pii";
    QTest::newRow("two thirds") << 2.0F / 3.0F << 3 << "paa";
    QTest::newRow("largest below one") << std::nextafter(1.0F, 0.0F) << 3 << "paa";
}

void TestExperiment::drawMapsUniformNumberToHand()
{
    QFETCH(float, r);
    QFETCH(int, code);
    QFETCH(QString, name);

    Module1 shared;
    BoardVariables vars;
    Constant random(r);
    FrozenClock clock;
    Experiment experiment(shared, vars, random, clock);
    const Round round = experiment.playRound();
    QCOMPARE(nuperako::code(round.hands[1]), code);
    QCOMPARE(vars.ransuu2, code);
    QCOMPARE(QString::fromLatin1(vars.te2), name);
    QCOMPARE(round.judgement.outcome, Outcome::Aiko); // three equal hands
}

// The generator is reseeded before each draw from the clock as read at that
// moment, so a clock that moves between the draws changes the hands.
void TestExperiment::eachDrawReseedsFromTheClockReadThen()
{
    Module1 shared;
    BoardVariables vars;
    SeedEcho random;
    TickingClock clock;
    Experiment experiment(shared, vars, random, clock);
    const Round round = experiment.playRound();
    // Seeds 101, 102, 103: hands 101 % 3 + 1 = 3, then 1, then 2.
    QCOMPARE(round.hands, (std::array<Hand, 3>{Hand::Paa, Hand::Guu, Hand::Pii}));
}

void TestExperiment::roundTalliesItsOutcome_data()
{
    QTest::addColumn<QList<int>>("hands");
    QTest::addColumn<QList<int>>("after"); // the nine counts in the board's order
    // Starting from aiko 4, kati 1 2 3, make 5 6 7.
    QTest::newRow("draw") << QList<int>{1, 2, 3} << QList<int>{5, 1, 2, 3, 6, 5, 6, 7, 18};
    QTest::newRow("A wins") << QList<int>{1, 2, 2} << QList<int>{4, 2, 2, 3, 7, 5, 6, 7, 18};
    QTest::newRow("B wins") << QList<int>{2, 1, 2} << QList<int>{4, 1, 3, 3, 7, 5, 6, 7, 18};
    QTest::newRow("C wins") << QList<int>{2, 2, 1} << QList<int>{4, 1, 2, 4, 7, 5, 6, 7, 18};
    QTest::newRow("A loses") << QList<int>{2, 1, 1} << QList<int>{4, 1, 2, 3, 6, 6, 6, 7, 19};
    QTest::newRow("B loses") << QList<int>{1, 2, 1} << QList<int>{4, 1, 2, 3, 6, 5, 7, 7, 19};
    QTest::newRow("C loses") << QList<int>{1, 1, 2} << QList<int>{4, 1, 2, 3, 6, 5, 6, 8, 19};
}

void TestExperiment::roundTalliesItsOutcome()
{
    QFETCH(QList<int>, hands);
    QFETCH(QList<int>, after);

    Bench b;
    b.shared.aiko = 4;
    b.vars.a1kati = 1;
    b.vars.b1kati = 2;
    b.vars.c1kati = 3;
    b.vars.a1make = 5;
    b.vars.b1make = 6;
    b.vars.c1make = 7;
    // Stale totals: the tally must recompute them, not increase them.
    b.shared.abc1kati = 100;
    b.shared.abc1make = -3;

    b.round(hands[0], hands[1], hands[2]);

    const Counts counts = b.experiment.counts();
    QCOMPARE(QList<int>(counts.values.begin(), counts.values.end()), after);
    QCOMPARE(kaisuu(b.shared), after[0] + after[4] + after[8]);
}

void TestExperiment::historyIsIndexedByCountAfterTally()
{
    Bench b;
    b.shared.katiritu[0] = 0.5F; // left over from an earlier experiment
    b.round(1, 2, 3);
    QCOMPARE(b.shared.aikoritu[1], 1.0F); // the first round, a draw
    QCOMPARE(b.shared.katiritu[0], 0.0F);
    for (int i = 0; i < 4; ++i)
        b.round(1, 1, 1);
    QCOMPARE(b.shared.aikoritu[5], 1.0F);

    b.round(1, 2, 2); // A wins: the draw ratio falls, still at element 5
    QCOMPARE(b.shared.aikoritu[5], static_cast<float>(5.0 / 6.0));
    b.round(1, 3, 3); // A loses
    QCOMPARE(b.shared.aikoritu[5], static_cast<float>(5.0 / 7.0));
    QCOMPARE(b.shared.aikoritu[6], 0.0F);
    QCOMPARE(b.shared.katiritu[1], static_cast<float>(1.0 / 7.0));
    QCOMPARE(b.shared.makeritu[1], static_cast<float>(1.0 / 7.0));

    b.round(2, 2, 2); // the next draw moves the writes on
    QCOMPARE(b.shared.aikoritu[6], static_cast<float>(6.0 / 8.0));
    QCOMPARE(b.shared.aikoritu[5], static_cast<float>(5.0 / 7.0));
}

void TestExperiment::roundThatReaches999EndsExperiment()
{
    Bench b;
    b.vars.b1make = 998;
    b.shared.abc1make = 998;
    b.shared.aiko = 10;
    b.vars.jidou = 1;

    QVERIFY(!b.round(2, 2, 1).endedNow); // C wins alone: not the end yet
    QCOMPARE(b.shared.owari, 0);
    QCOMPARE(b.vars.jidou, 1);

    QVERIFY(b.round(1, 2, 1).endedNow); // B loses alone: abc1make becomes 999
    QCOMPARE(b.shared.abc1make, 999);
    QCOMPARE(b.shared.makeritu[999], static_cast<float>(999.0 / 1010.0));
    QCOMPARE(b.shared.owari, 1);
    QCOMPARE(b.vars.jidou, 0);
}

void TestExperiment::roundAfterEndIsCountedButWritesNoHistory()
{
    Bench b;
    b.shared.aiko = 998;
    QVERIFY(b.round(3, 3, 3).endedNow);
    const Module1 ended = b.shared;

    b.vars.jidou = 1;
    QVERIFY(b.round(3, 1, 2).endedNow); // the end is reported again
    QCOMPARE(b.shared.aiko, 1000);
    QCOMPARE(b.vars.jidou, 0);
    QVERIFY(b.shared.aikoritu == ended.aikoritu);
    QVERIFY(b.shared.katiritu == ended.katiritu);
    QVERIFY(b.shared.makeritu == ended.makeritu);
}

// Counts that would overflow, history writes past the end and a generator
// outside [0, 1) are faults, not data: they throw instead of corrupting the tallies.
void TestExperiment::brokenPromisesFailLoudly()
{
    Bench b;
    b.vars.c1kati = 32767;
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, b.round(2, 2, 1));
    QCOMPARE(b.vars.c1kati, 32767);

    Bench past;
    past.shared.aiko = 1000; // only reachable if the end rule were bypassed
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, past.round(1, 1, 1));

    Module1 shared;
    BoardVariables vars;
    Constant one(1.0F);
    FrozenClock clock;
    Experiment experiment(shared, vars, one, clock);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, experiment.playRound());
}

// Seconds since local midnight, in a time zone nine hours from UTC: a clock
// that read UTC, or seconds since the epoch, would be hours off.
void TestExperiment::systemClockReadsLocalTimeOfDay()
{
    setenv("TZ", "JST-9", 1);
    tzset();
    SystemClock clock;
    const float seconds = clock.secondsSinceMidnight();
    const std::time_t now = std::time(nullptr);
    constexpr std::time_t kNineHours = 32400;
    const auto expected = static_cast<double>((now + kNineHours) % 86400);
    unsetenv("TZ");
    tzset();
    QVERIFY2(seconds >= 0.0F && seconds < 86400.0F, qPrintable(QString::number(seconds)));
    const double off = std::abs(static_cast<double>(seconds) - expected);
    QVERIFY2(off < 2.0 || off > 86398.0, qPrintable(QStringLiteral("%1 against %2").arg(seconds).arg(expected)));
}

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
