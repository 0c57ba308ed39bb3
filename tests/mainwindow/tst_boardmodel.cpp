// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The board's behaviour, without a window: states, rounds, shuffle, automatic
// play, activation and the commands with their requests.
#include "core/mixinggenerator.h"
#include "support/modelboard.h"

#include <QRandomGenerator>

#include <algorithm>

Q_DECLARE_METATYPE(std::vector<nuperako::Request>)

using namespace nuperako;
using namespace nuperako::test::states;
using nuperako::test::ModelBoard;
using nuperako::test::ScriptedHands;

namespace {

using enum Button;

std::vector<Request> cue(std::string_view file)
{
    return {{Request::Kind::PlayCue, file}};
}

} // namespace

class TestBoardModel : public QObject {
    Q_OBJECT

private slots:
    void stateTransitions_data();
    void stateTransitions();
    void disabledButtonsAndStoppedTimersDoNothing();
    void ratiosAfterThreeRounds();
    void shuffleRunsFromThePhasesItStoppedAt();
    void automaticPlay();
    void automaticRunEndsIntoShuffleThenEnded();
    void activation();
    void resetFromEndedState();
    void resetRightAfterAutomaticStartStopsTheTimer();
    void commandRequests_data();
    void commandRequests();
    void experimentRunsToItsNaturalEnd();
    void randomEventsKeepStateAndInvariants();
};

void TestBoardModel::stateTransitions_data()
{
    // Steps: 1..8 click that button (only if enabled), t ticks the automatic timer, e ends the
    // experiment at the next round by putting a total at 998, a activates the board.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("state");
    QTest::newRow("start-up") << "" << kWaiting;
    QTest::newRow("waiting -> manual shuffle") << "1" << kManualShuffle;
    QTest::newRow("manual shuffle -> waiting") << "12" << kWaiting;
    QTest::newRow("manual shuffle -> ended") << "e12" << kEnded;
    QTest::newRow("waiting -> automatic, pending") << "3" << kAutomaticPending;
    QTest::newRow("pending -> automatic") << "3t" << kAutomatic;
    QTest::newRow("automatic stays automatic") << "3ttt" << kAutomatic;
    QTest::newRow("automatic -> waiting") << "3t7" << kWaiting;
    QTest::newRow("shuffle started while pending") << "31" << kAutomatic;
    QTest::newRow("tick after a shuffle started while pending") << "31t" << kAutomatic;
    QTest::newRow("automatic -> ended shuffle") << "3tet" << kEndedShuffle;
    QTest::newRow("ended shuffle -> ended") << "3tet2" << kEnded;
    QTest::newRow("clicks on disabled buttons in manual shuffle") << "1134578" << kManualShuffle;
    QTest::newRow("clicks on disabled buttons in automatic play") << "3t12348" << kAutomatic;
    QTest::newRow("clicks on disabled buttons when ended") << "e121237" << kEnded;
    QTest::newRow("ended -> waiting by reset") << "e124" << kWaiting;
    QTest::newRow("reset while pending stops automatic play") << "34" << kWaiting;
    QTest::newRow("graph, help and exit change no state") << "856" << kWaiting;
    QTest::newRow("graph, help and exit when ended") << "e12856" << kEnded;
    QTest::newRow("activation in waiting") << "12a" << kWaiting;
    QTest::newRow("activation in automatic play") << "3ta" << kAutomaticActivated;
    QTest::newRow("the tick after an activation") << "3tat" << kAutomatic;
    QTest::newRow("activation keeps a manual shuffle stoppable") << "1a" << kManualShuffle;
}

void TestBoardModel::stateTransitions()
{
    QFETCH(QString, steps);
    QFETCH(QString, state);

    ScriptedHands hands;
    for (int i = 0; i < 10; ++i)
        hands.push(1, 1, 1);
    ModelBoard b(hands);
    for (QChar step : steps) {
        if (step == u't')
            b.board.tick(BoardTimer::Timer4);
        else if (step == u'e')
            b.shared.aiko = 998;
        else if (step == u'a')
            b.board.activate();
        else
            b.board.click(static_cast<Button>(step.digitValue() - 1));
    }
    QCOMPARE(test::describe(b), state);
}

void TestBoardModel::disabledButtonsAndStoppedTimersDoNothing()
{
    ScriptedHands hands;
    ModelBoard b(hands);
    b.board.click(Command2); // disabled while waiting: no round may be drawn
    b.board.tick(BoardTimer::Timer4);
    b.board.tick(BoardTimer::Timer1);
    QCOMPARE(hands.reseeds, 0);
    QCOMPARE(kaisuu(b.shared), 0);
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QVERIFY(b.text(Count::Aiko).isEmpty());
}

void TestBoardModel::ratiosAfterThreeRounds()
{
    ScriptedHands hands;
    ModelBoard b(hands);
    b.round(hands, 1, 2, 3);
    b.round(hands, 1, 2, 2);
    b.round(hands, 3, 1, 1);
    QCOMPARE(b.ratio(Count::Aiko), QStringLiteral("0.333"));
    QCOMPARE(b.ratio(Count::A1Kati), QStringLiteral("0.667"));
    QCOMPARE(b.ratio(Count::Abc1Kati), QStringLiteral("0.667"));
    QCOMPARE(b.ratio(Count::B1Kati), QStringLiteral("0.000"));
    QCOMPARE(b.ratio(Count::Abc1Make), QStringLiteral("0.000"));
    QCOMPARE(b.text(Count::A1Kati), QStringLiteral("2"));
    QCOMPARE(b.text(Count::Abc1Make), QStringLiteral("0"));
}

// Each step shows the phase, then moves it on; a round neither shows nor resets the phases.
void TestBoardModel::shuffleRunsFromThePhasesItStoppedAt()
{
    ScriptedHands hands;
    hands.push(3, 3, 2);
    ModelBoard b(hands);
    b.board.click(Command1);
    for (BoardTimer t : {BoardTimer::Timer1, BoardTimer::Timer2, BoardTimer::Timer3})
        b.board.tick(t);
    QCOMPARE(b.shownHands(), QStringLiteral("123")); // the first step shows the hands on screen
    b.board.tick(BoardTimer::Timer1);
    b.board.tick(BoardTimer::Timer1);
    b.board.tick(BoardTimer::Timer2);
    QCOMPARE(b.shownHands(), QStringLiteral("333"));

    b.board.click(Command2);
    QCOMPARE(b.shownHands(), QStringLiteral("332")); // the drawn hands, whatever the shuffle showed
    QCOMPARE(b.board.variables().hyouji1, 1);
    QCOMPARE(b.board.variables().hyouji2, 1);
    QCOMPARE(b.board.variables().hyouji3, 1);

    b.board.click(Command1);
    for (BoardTimer t : {BoardTimer::Timer1, BoardTimer::Timer2, BoardTimer::Timer3})
        b.board.tick(t);
    QCOMPARE(b.shownHands(), QStringLiteral("111"));
}

void TestBoardModel::automaticPlay()
{
    ScriptedHands hands;
    hands.push(2, 2, 2);
    hands.push(1, 1, 1);
    ModelBoard b(hands);
    b.board.click(Command3);
    QCOMPARE(kaisuu(b.shared), 0); // no round and no button until the first tick
    const unsigned shuffleStarts = b.board.startsOf(BoardTimer::Timer1);

    b.board.tick(BoardTimer::Timer4); // resolved without a shuffle before it
    QCOMPARE(b.shownHands(), QStringLiteral("222"));
    QCOMPARE(b.caption(Player::B), QStringLiteral("あいこ"));
    // The shuffle starts anew, so its first step comes one interval after the round.
    QCOMPARE(b.board.startsOf(BoardTimer::Timer1), shuffleStarts + 1);
    const unsigned automaticStarts = b.board.startsOf(BoardTimer::Timer4);

    b.board.tick(BoardTimer::Timer1);
    b.board.tick(BoardTimer::Timer1);
    b.board.tick(BoardTimer::Timer4);
    QCOMPARE(b.board.startsOf(BoardTimer::Timer4), automaticStarts); // the automatic timer keeps its beat
    b.board.tick(BoardTimer::Timer1);
    b.board.tick(BoardTimer::Timer3);
    b.board.click(Command7);
    QCOMPARE(test::describe(b), kWaiting);
    QCOMPARE(b.shownHands(), QStringLiteral("313")); // the shuffle's pictures, not a round
    QCOMPARE(kaisuu(b.shared), 2);
}

void TestBoardModel::automaticRunEndsIntoShuffleThenEnded()
{
    ScriptedHands hands;
    hands.push(1, 2, 2); // A wins alone: the 999th win
    hands.push(2, 2, 2); // one more round, after the end
    ModelBoard b(hands);
    b.board.variables().a1kati = 500;
    b.board.variables().c1kati = 498;
    b.shared.abc1kati = 998;
    b.board.click(Command3);
    b.board.tick(BoardTimer::Timer4);

    QCOMPARE(test::describe(b), kEndedShuffle);
    QCOMPARE(b.text(Count::Abc1Kati), QStringLiteral("999"));
    QCOMPARE(b.shared.katiritu[999], 1.0F);
    const Module1 atEnd = b.shared;

    b.board.click(Command2);
    QCOMPARE(test::describe(b), kEnded);
    QCOMPARE(b.text(Count::Aiko), QStringLiteral("1"));
    QCOMPARE(b.ratio(Count::Aiko), QStringLiteral("0.001"));
    QVERIFY(b.shared.aikoritu == atEnd.aikoritu);
}

void TestBoardModel::activation()
{
    ScriptedHands hands;
    ModelBoard b(hands);
    b.round(hands, 3, 1, 2);
    b.board.activate();
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QCOMPARE(b.caption(Player::A), QStringLiteral("あいこ"));
    QCOMPARE(b.text(Count::Aiko), QStringLiteral("1"));

    // During a manual shuffle nothing changes, so "ポ　ン" can still stop it.
    b.board.click(Command1);
    b.board.tick(BoardTimer::Timer1);
    b.board.tick(BoardTimer::Timer1);
    b.board.activate();
    QCOMPARE(b.shownHands().at(0), u'2');
    QVERIFY(b.board.isEnabled(Command2));
}

void TestBoardModel::resetFromEndedState()
{
    ScriptedHands hands;
    ModelBoard b(hands);
    b.board.click(Command1);
    b.board.tick(BoardTimer::Timer1);
    b.board.variables().c1make = 998;
    b.shared.abc1make = 998;
    hands.push(1, 1, 2); // C loses alone, the 999th loss
    b.board.click(Command2);
    QCOMPARE(test::describe(b), kEnded);
    const Module1 ended = b.shared;

    b.board.click(Command4);
    QCOMPARE(b.board.takeRequests(), cue("mypinpon.wav"));
    QCOMPARE(test::describe(b), kWaiting);
    QCOMPARE(kaisuu(b.shared), 0);
    QCOMPARE(b.board.variables().c1make, 0);
    QCOMPARE(b.board.variables().hyouji1, 1);
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QVERIFY(b.shared.makeritu == ended.makeritu);                         // the histories stay
    QCOMPARE(b.board.variables().te3, std::string_view("pii"));           // and so do the drawn hands
    QCOMPARE(b.board.result(Player::C).color, std::optional(kLoseColor)); // and the result colours
    QVERIFY(b.caption(Player::C).isEmpty());
    for (std::size_t c = 0; c < kCountCount; ++c) {
        QVERIFY(b.text(static_cast<Count>(c)).isEmpty());
        QVERIFY(b.ratio(static_cast<Count>(c)).isEmpty());
    }
}

void TestBoardModel::resetRightAfterAutomaticStartStopsTheTimer()
{
    ScriptedHands hands;
    ModelBoard b(hands);
    b.board.click(Command3);
    b.board.click(Command4);
    QCOMPARE(test::describe(b), kWaiting);
    b.board.tick(BoardTimer::Timer4); // a tick already due is not delivered
    QCOMPARE(hands.reseeds, 0);
}

void TestBoardModel::commandRequests_data()
{
    QTest::addColumn<QString>("steps"); // buttons clicked; Y and N answer the exit question
    QTest::addColumn<std::vector<Request>>("requests");
    QTest::addColumn<double>("kotae");
    using Kind = Request::Kind;
    QTest::newRow("reset") << "4" << cue("mypinpon.wav") << 0.0;
    QTest::newRow("help") << "5" << std::vector<Request>{{Kind::PlayCue, "mypinpon.wav"}, {Kind::OpenHelp, {}}} << 0.0;
    QTest::newRow("graph, without a cue") << "8" << std::vector<Request>{{Kind::OpenGraph, {}}} << 0.0;
    QTest::newRow("exit answered No") << "6N"
                                      << std::vector<Request>{{Kind::PlayCue, "endpinpon.wav"}, {Kind::AskToExit, {}}}
                                      << 7.0;
    QTest::newRow("exit answered Yes") << "6Y"
                                       << std::vector<Request>{{Kind::PlayCue, "endpinpon.wav"},
                                                               {Kind::AskToExit, {}},
                                                               {Kind::EndProgram, {}}}
                                       << 6.0;
}

void TestBoardModel::commandRequests()
{
    QFETCH(QString, steps);
    QFETCH(std::vector<Request>, requests);
    QFETCH(double, kotae);
    ScriptedHands hands;
    ModelBoard b(hands);
    b.round(hands, 1, 2, 3);
    const QString before = test::describe(b);
    std::vector<Request> seen;
    for (QChar step : steps) {
        if (step == u'Y' || step == u'N')
            b.board.exitAnswered(step == u'Y' ? kAnswerYes : kAnswerNo);
        else
            b.board.click(static_cast<Button>(step.digitValue() - 1));
        const std::vector<Request> taken = b.board.takeRequests();
        seen.insert(seen.end(), taken.begin(), taken.end());
    }
    QVERIFY(seen == requests);
    QCOMPARE(b.board.variables().kotae, kotae);
    if (steps != QLatin1String("4")) { // every command but the reset leaves the board as it was
        QCOMPARE(test::describe(b), before);
        QCOMPARE(b.text(Count::Aiko), QStringLiteral("1"));
    }
}

// About 3000 rounds through the automatic timer's tick, to the round that
// makes a total 999, then the one further round the board allows.
void TestBoardModel::experimentRunsToItsNaturalEnd()
{
    MixingGenerator generator(1);
    ModelBoard b(generator);
    b.board.click(Command3);
    int ticks = 0;
    while (b.board.isRunning(BoardTimer::Timer4) && ticks < 4000) {
        b.board.tick(BoardTimer::Timer4);
        ++ticks;
    }
    QCOMPARE(kaisuu(b.shared), ticks);
    QCOMPARE(test::describe(b), kEndedShuffle);
    const std::array<std::int16_t, 3> totals{b.shared.aiko, b.shared.abc1kati, b.shared.abc1make};
    QCOMPARE(*std::max_element(totals.begin(), totals.end()), kEndTotal);
    QCOMPARE(b.text(Count::Abc1Make), QString::number(b.shared.abc1make));
    const Module1 atEnd = b.shared;

    b.board.click(Command2); // the shuffle left by the last tick still resolves one round
    QCOMPARE(kaisuu(b.shared), ticks + 1);
    QCOMPARE(test::describe(b), kEnded);
    QVERIFY(b.shared.aikoritu == atEnd.aikoritu && b.shared.katiritu == atEnd.katiritu &&
            b.shared.makeritu == atEnd.makeritu);
}

// From a fixed seed: clicks on any button, enabled or not, the exit question
// answered No, ticks of any timer and activations. After each event the board
// is in one of its states and keeps the experiment's invariants.
void TestBoardModel::randomEventsKeepStateAndInvariants()
{
    MixingGenerator generator(20261208);
    ModelBoard b(generator);
    QRandomGenerator events(7);
    const QStringList states{kWaiting,          kManualShuffle, kAutomatic,         kEnded,
                             kAutomaticPending, kEndedShuffle,  kAutomaticActivated};
    int rounds = 0;
    int ends = 0;
    for (int i = 0; i < 50000; ++i) {
        const int before = kaisuu(b.shared);
        const int owariBefore = b.shared.owari;
        const int kind = events.bounded(100);
        bool roundExpected = false;
        if (kind < 55) {
            const auto button = static_cast<Button>(events.bounded(8));
            roundExpected = button == Command2 && b.board.isEnabled(button);
            b.board.click(button);
            if (button == Command6 && b.board.isEnabled(button))
                b.board.exitAnswered(kAnswerNo);
        } else if (kind < 98) {
            const auto timer = static_cast<BoardTimer>(events.bounded(4));
            roundExpected = timer == BoardTimer::Timer4 && b.board.isRunning(timer);
            b.board.tick(timer);
        } else {
            b.board.activate();
        }
        b.board.takeRequests();
        rounds += roundExpected ? 1 : 0;

        const QString state = test::describe(b);
        const BoardVariables &v = b.board.variables();
        if (!states.contains(state) || b.shared.abc1kati != v.a1kati + v.b1kati + v.c1kati ||
            b.shared.abc1make != v.a1make + v.b1make + v.c1make ||
            (b.shared.owari == 0 && std::max({b.shared.aiko, b.shared.abc1kati, b.shared.abc1make}) >= kEndTotal) ||
            (kaisuu(b.shared) >= before && kaisuu(b.shared) - before != (roundExpected ? 1 : 0)))
            QFAIL(qPrintable(QStringLiteral("event %1: %2").arg(i).arg(state)));
        ends += b.shared.owari == 1 && owariBefore == 0 ? 1 : 0;
        if (kaisuu(b.shared) == 0)
            b.shared.aiko = 996; // a fresh experiment starts near its end, to reach it often
    }
    QVERIFY(rounds > 1000);
    QVERIFY(ends > 10);
}

QTEST_APPLESS_MAIN(TestBoardModel)
#include "tst_boardmodel.moc"
