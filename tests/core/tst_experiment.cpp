// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "experiment.h"
#include "form1state.h"
#include "module1.h"
#include "support/scriptedhands.h"

#include <QTest>

#include <stdexcept>
#include <string_view>

using namespace nuperako;
using nuperako::test::FrozenClock;
using nuperako::test::ScriptedHands;

Q_DECLARE_METATYPE(nuperako::Outcome)

namespace {

// One experiment with scripted hands and a frozen clock.
struct Bench {
    Module1 shared;
    Form1State vars;
    ScriptedHands hands;
    FrozenClock clock{1234.5F};
    Experiment experiment{shared, vars, hands, clock};

    Bench() { experiment.initialise(); }

    std::optional<Judgement> round(int a, int b, int c)
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

} // namespace

class TestExperiment : public QObject {
    Q_OBJECT

private slots:
    void loadValues();
    void resetKeepsHistoriesAndHands();
    void drawMapsUniformNumberToHand_data();
    void drawMapsUniformNumberToHand();
    void drawReseedsFromClockBeforeEveryHand();
    void tallyIncreasesOneCountAndRecomputesTotals_data();
    void tallyIncreasesOneCountAndRecomputesTotals();
    void ratiosAfterThreeRounds();
    void firstDrawWritesElementOneAndZeros();
    void historyIsIndexedByCountAfterTally();
    void roundThatReaches999EndsExperiment();
    void roundAfterEndIsCountedButWritesNoHistory();
    void countOverflowThrowsInsteadOfWrapping();
    void historyWriteOutOfRangeThrows();
};

void TestExperiment::loadValues()
{
    Bench b;
    QCOMPARE(b.vars.hyouji1, 1);
    QCOMPARE(b.vars.hyouji2, 2);
    QCOMPARE(b.vars.hyouji3, 3);
    QCOMPARE(b.vars.jidou, 0);
    QCOMPARE(b.shared.owari, 0);
    QCOMPARE(b.experiment.kaisuu(), 0);
    QVERIFY(b.vars.te1.empty() && b.vars.te2.empty() && b.vars.te3.empty());
    QCOMPARE(b.vars.ransuu1, 0);
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
    QCOMPARE(b.experiment.kaisuu(), 0);
    QCOMPARE(b.vars.a1kati + b.vars.b1kati + b.vars.c1kati + b.vars.a1make + b.vars.b1make + b.vars.c1make, 0);
    QCOMPARE(b.vars.kotae, 7.0);
    QCOMPARE(b.vars.ransuu1, 3);
    QCOMPARE(b.vars.ransuu3, 1);
    QCOMPARE(b.vars.te1, std::string_view("paa"));
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
    QTest::newRow("half") << 0.5F << 2 << "pii";
    QTest::newRow("two thirds") << 2.0F / 3.0F << 3 << "paa";
    QTest::newRow("largest below one") << std::nextafter(1.0F, 0.0F) << 3 << "paa";
}

void TestExperiment::drawMapsUniformNumberToHand()
{
    QFETCH(float, r);
    QFETCH(int, code);
    QFETCH(QString, name);

    Module1 shared;
    Form1State vars;
    Constant random(r);
    FrozenClock clock;
    Experiment experiment(shared, vars, random, clock);
    QCOMPARE(experiment.drawHand(Player::B), code);
    QCOMPARE(vars.ransuu2, code);
    QCOMPARE(QString::fromLatin1(vars.te2), name);
    QCOMPARE(vars.ransuu1, 0); // other players untouched
    QVERIFY(vars.te3.empty());
}

void TestExperiment::drawReseedsFromClockBeforeEveryHand()
{
    Bench b;
    b.round(1, 2, 3);
    QCOMPARE(b.hands.reseeds, 3);
    QCOMPARE(b.hands.lastSeed, 1234.5F);
}

void TestExperiment::tallyIncreasesOneCountAndRecomputesTotals_data()
{
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QList<int>>("after"); // aiko, a/b/c kati, a/b/c make, abc1kati, abc1make
    // Starting from aiko 4, kati 1 2 3, make 5 6 7.
    QTest::newRow("draw") << Outcome::Aiko << QList<int>{5, 1, 2, 3, 5, 6, 7, 6, 18};
    QTest::newRow("A wins") << Outcome::A1Kati << QList<int>{4, 2, 2, 3, 5, 6, 7, 7, 18};
    QTest::newRow("B wins") << Outcome::B1Kati << QList<int>{4, 1, 3, 3, 5, 6, 7, 7, 18};
    QTest::newRow("C wins") << Outcome::C1Kati << QList<int>{4, 1, 2, 4, 5, 6, 7, 7, 18};
    QTest::newRow("A loses") << Outcome::A1Make << QList<int>{4, 1, 2, 3, 6, 6, 7, 6, 19};
    QTest::newRow("B loses") << Outcome::B1Make << QList<int>{4, 1, 2, 3, 5, 7, 7, 6, 19};
    QTest::newRow("C loses") << Outcome::C1Make << QList<int>{4, 1, 2, 3, 5, 6, 8, 6, 19};
}

void TestExperiment::tallyIncreasesOneCountAndRecomputesTotals()
{
    QFETCH(Outcome, outcome);
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

    b.experiment.tally(outcome);

    const QList<int> got{b.shared.aiko, b.vars.a1kati, b.vars.b1kati,     b.vars.c1kati,    b.vars.a1make,
                         b.vars.b1make, b.vars.c1make, b.shared.abc1kati, b.shared.abc1make};
    QCOMPARE(got, after);
    QCOMPARE(b.experiment.kaisuu(), after[0] + after[7] + after[8]);
}

void TestExperiment::ratiosAfterThreeRounds()
{
    Bench b;
    b.round(1, 2, 3); // draw
    b.round(1, 2, 2); // A wins alone
    b.round(2, 3, 3); // A wins alone
    QCOMPARE(b.experiment.ratio(b.shared.aiko), 1.0 / 3.0);
    QCOMPARE(b.experiment.ratio(b.shared.abc1kati), 2.0 / 3.0);
    QCOMPARE(b.experiment.ratio(b.shared.abc1make), 0.0);
    QCOMPARE(b.shared.aikoritu[1], 1.0F / 3.0F);
    QCOMPARE(b.shared.katiritu[2], static_cast<float>(2.0 / 3.0));
    QCOMPARE(b.shared.makeritu[0], 0.0F);
}

void TestExperiment::firstDrawWritesElementOneAndZeros()
{
    Bench b;
    b.shared.katiritu[0] = 0.5F; // left over from an earlier experiment
    b.shared.makeritu[0] = 0.5F;
    const auto j = b.round(1, 2, 3);
    QVERIFY(j && j->outcome == Outcome::Aiko);
    QCOMPARE(b.shared.aiko, 1);
    QCOMPARE(b.shared.aikoritu[1], 1.0F);
    QCOMPARE(b.shared.katiritu[0], 0.0F);
    QCOMPARE(b.shared.makeritu[0], 0.0F);
}

void TestExperiment::historyIsIndexedByCountAfterTally()
{
    Bench b;
    for (int i = 0; i < 5; ++i)
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

    b.round(2, 2, 1); // C wins alone: not the end yet
    QCOMPARE(b.shared.owari, 0);
    QCOMPARE(b.vars.jidou, 1);
    QVERIFY(!b.experiment.applyEndRule());

    b.round(1, 2, 1); // B loses alone: abc1make becomes 999
    QCOMPARE(b.shared.abc1make, 999);
    QCOMPARE(b.shared.makeritu[999], static_cast<float>(999.0 / 1010.0));
    QCOMPARE(b.shared.owari, 1);
    QCOMPARE(b.vars.jidou, 0);
    QVERIFY(b.experiment.applyEndRule()); // reported on every later check too
}

void TestExperiment::roundAfterEndIsCountedButWritesNoHistory()
{
    Bench b;
    b.shared.aiko = 998;
    b.round(3, 3, 3);
    QCOMPARE(b.shared.owari, 1);
    const Module1 ended = b.shared;

    b.vars.jidou = 1;
    b.hands.push(3, 1, 2);
    for (Player p : kPlayers)
        b.experiment.drawHand(p);
    b.experiment.tally(b.experiment.judge()->outcome);
    b.experiment.recordHistory();
    QVERIFY(b.experiment.applyEndRule());

    QCOMPARE(b.shared.aiko, 1000);
    QCOMPARE(b.experiment.kaisuu(), 1000);
    QCOMPARE(b.vars.jidou, 0);
    QVERIFY(b.shared.aikoritu == ended.aikoritu);
    QVERIFY(b.shared.katiritu == ended.katiritu);
    QVERIFY(b.shared.makeritu == ended.makeritu);
    QCOMPARE(b.shared.aikoritu[1000], 0.0F);
}

void TestExperiment::countOverflowThrowsInsteadOfWrapping()
{
    Bench b;
    b.vars.c1kati = 32767;
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, b.experiment.tally(Outcome::C1Kati));
    QCOMPARE(b.vars.c1kati, 32767);

    b.vars.c1kati = 32000;
    b.vars.a1kati = 1000;
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, b.experiment.tally(Outcome::Aiko));
}

void TestExperiment::historyWriteOutOfRangeThrows()
{
    Bench b;
    b.shared.aiko = 1000; // only reachable if the end rule were bypassed
    b.experiment.tally(Outcome::Aiko);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, b.experiment.recordHistory());
}

QTEST_APPLESS_MAIN(TestExperiment)
#include "tst_experiment.moc"
