// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "experiment.h"
#include "form1state.h"
#include "mixinggenerator.h"
#include "module1.h"
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
    Form1State vars;
    MixingGenerator generator;
    test::FrozenClock clock(37800.25F);
    Experiment experiment(shared, vars, generator, clock);

    std::array<int, 27> combinations{};
    std::array<int, 3> totals{}; // draws, wins alone, losses alone
    for (int i = 0; i < kRounds; ++i) {
        const int a = experiment.drawHand(Player::A);
        const int b = experiment.drawHand(Player::B);
        const int c = experiment.drawHand(Player::C);
        ++combinations.at((a - 1) * 9 + (b - 1) * 3 + (c - 1));
        const Outcome o = experiment.judge()->outcome;
        ++totals.at(o == Outcome::Aiko ? 0 : o <= Outcome::C1Kati ? 1 : 2);
    }

    for (int total : totals)
        QVERIFY2(std::abs(total / double(kRounds) - 1.0 / 3.0) < 0.015, qPrintable(QString::number(total)));
    for (int n : combinations)
        QVERIFY2(std::abs(n / double(kRounds) - 1.0 / 27.0) < 0.006, qPrintable(QString::number(n)));
}

QTEST_APPLESS_MAIN(TestMixingGenerator)
#include "tst_mixinggenerator.moc"
