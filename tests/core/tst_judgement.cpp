// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/judgement.h"

#include <QTest>

#include <algorithm>

using namespace nuperako;

class TestJudgement : public QObject {
    Q_OBJECT

private slots:
    void everyCombinationByTheRule();
};

namespace {

constexpr bool beats(Hand x, Hand y)
{
    return (x == Hand::Guu && y == Hand::Pii) || (x == Hand::Pii && y == Hand::Paa) ||
           (x == Hand::Paa && y == Hand::Guu);
}

constexpr std::array<Outcome, 3> kWinsAlone{Outcome::A1Kati, Outcome::B1Kati, Outcome::C1Kati};
constexpr std::array<Outcome, 3> kLosesAlone{Outcome::A1Make, Outcome::B1Make, Outcome::C1Make};

} // namespace

// All equal or all different is a draw. Otherwise two hands are shown and one
// beats the other: the player alone with the winning hand wins alone, the
// player alone with the losing hand loses alone, and the others take the
// opposite result.
void TestJudgement::everyCombinationByTheRule()
{
    std::array<int, 7> outcomes{};
    for (Hand a : kHands) {
        for (Hand b : kHands) {
            for (Hand c : kHands) {
                const std::array<Hand, 3> hands{a, b, c};
                const Judgement j = judge(a, b, c);
                const QByteArray name =
                    QByteArray::number(code(a)) + QByteArray::number(code(b)) + QByteArray::number(code(c));
                ++outcomes.at(static_cast<std::size_t>(j.outcome));

                const bool allEqual = a == b && b == c;
                const bool allDifferent = a != b && b != c && a != c;
                if (allEqual || allDifferent) {
                    QVERIFY2(j.outcome == Outcome::Aiko, name);
                    QVERIFY2(std::ranges::all_of(j.results, [](Result r) { return r == Result::Aiko; }), name);
                    continue;
                }
                // The player whose hand no one else shows is alone.
                std::size_t alone = 0;
                while (std::ranges::count(hands, hands[alone]) != 1)
                    ++alone;
                const Hand other = hands[(alone + 1) % 3];
                const bool winsAlone = beats(hands[alone], other);
                const Outcome expected = winsAlone ? kWinsAlone.at(alone) : kLosesAlone.at(alone);
                QVERIFY2(j.outcome == expected, name);
                for (std::size_t p = 0; p < 3; ++p) {
                    const bool wins = (p == alone) == winsAlone;
                    QVERIFY2(j.results[p] == (wins ? Result::Kati : Result::Make), name);
                }
            }
        }
    }
    // 9 draws, and 3 wins alone and 3 losses alone for each player.
    QCOMPARE(outcomes, (std::array<int, 7>{9, 3, 3, 3, 3, 3, 3}));
}

QTEST_APPLESS_MAIN(TestJudgement)
#include "tst_judgement.moc"
