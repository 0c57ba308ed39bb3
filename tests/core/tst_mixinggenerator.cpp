// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/boardvariables.h"
#include "core/experiment.h"
#include "core/mixinggenerator.h"
#include "core/module1.h"
#include "support/scriptedhands.h"

#include <QTest>

#include <array>

using namespace nuperako;

class TestMixingGenerator : public QObject {
    Q_OBJECT

private slots:
    void staysInUnitInterval();
    void reseedChangesTheSequence();
    void frozenClockStillGivesIndependentHands();
};

void TestMixingGenerator::staysInUnitInterval()
{
    MixingGenerator g;
    float lowest = 1.0F;
    float highest = 0.0F;
    for (int i = 0; i < 100000; ++i) {
        g.reseed(static_cast<float>(i % 7));
        const float r = g.next();
        QVERIFY(r >= 0.0F && r < 1.0F);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest < 0.001F);
    QVERIFY(highest > 0.999F);
}

void TestMixingGenerator::reseedChangesTheSequence()
{
    MixingGenerator a(42);
    MixingGenerator b(42);
    a.reseed(100.0F);
    b.reseed(100.5F);
    QVERIFY(a.next() != b.next());
}

// Three reseeds with the same clock value in every round, as on a fast machine:
// the 27 combinations and the three outcome totals must still come out even.
void TestMixingGenerator::frozenClockStillGivesIndependentHands()
{
    constexpr int kRounds = 30000;
    Module1 shared;
    BoardVariables vars;
    MixingGenerator generator;
    test::FrozenClock clock(37800.25F);
    Experiment experiment(shared, vars, generator, clock);

    std::array<int, 27> combinations{};
    std::array<int, 3> totals{}; // draws, wins alone, losses alone
    for (int i = 0; i < kRounds; ++i) {
        if (shared.owari == 1)
            experiment.initialise();
        const Round round = experiment.playRound();
        const auto at = [&round](std::size_t p) { return static_cast<std::size_t>(code(round.hands.at(p)) - 1); };
        ++combinations.at(at(0) * 9 + at(1) * 3 + at(2));
        const Outcome o = round.judgement.outcome;
        ++totals.at(o == Outcome::Aiko ? 0 : o <= Outcome::C1Kati ? 1 : 2);
    }

    for (int total : totals)
        QVERIFY2(std::abs(total / double(kRounds) - 1.0 / 3.0) < 0.015, qPrintable(QString::number(total)));
    for (int n : combinations)
        QVERIFY2(std::abs(n / double(kRounds) - 1.0 / 27.0) < 0.006, qPrintable(QString::number(n)));
}

QTEST_APPLESS_MAIN(TestMixingGenerator)
#include "tst_mixinggenerator.moc"
