// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "mixinggenerator.h"
#include "support/board.h"
#include "support/boardstates.h"
#include "support/scriptedanswer.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QRandomGenerator>

using namespace nuperako;
using nuperako::test::Board;
using nuperako::test::ScriptedHands;

using test::describe;
using test::State;
using namespace test::states;

Q_DECLARE_METATYPE(State)

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void firstDisplay();
    void textsFitTheirCells();
    void stateTransitions_data();
    void stateTransitions();
    void disabledButtonRaisesNothing();
    void roundShowsResults_data();
    void roundShowsResults();
    void ratiosAfterThreeRounds();
    void shuffleFirstTickShowsHandOnScreen();
    void shufflePhasesCarryOver();
    void drawnHandStaysAfterRound();
    void automaticStartChangesNoButton();
    void automaticFirstTickResolvesWithoutShuffle();
    void automaticStopLeavesShufflePictures();
    void automaticRunEndsIntoShuffleThenEnded();
    void activationRestoresInitialHands();
    void activationDuringManualShuffleChangesNothing();
    void randomEventsKeepStateAndInvariants();
};

void TestForm1::firstDisplay()
{
    ScriptedHands hands;
    Board b(hands);
    QCOMPARE(describe(b), describe(kWaiting));
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QCOMPARE(b.form->windowTitle(), QStringLiteral(" ぬぺらこ"));
    QCOMPARE(b.form->size(), QSize(488, 497));
    QCOMPARE(b.button(2)->text(), QStringLiteral("ポ\u3000ン"));
    QCOMPARE(QApplication::focusWidget(), b.button(1));
    for (const QString name : {"hanntei1", "hanntei2", "hanntei3", "aikolabel", "abc1makelabel", "aikow", "abc1makew"})
        QVERIFY2(b.text(name).isEmpty(), qPrintable(name));
    // Neighbouring tally cells share their frame line.
    QCOMPARE(b.label("aikolabel")->geometry().left(), b.label("Label4")->geometry().right());
    QCOMPARE(b.label("b1katilabel")->geometry().top(), b.label("a1katilabel")->geometry().bottom());

    b.form->resize(700, 700);
    QCOMPARE(b.button(8)->geometry(), QRect(328, 440, 121, 33));
    QCOMPARE(b.label("abc1makew")->geometry(), QRect(208, 448, 73, 25));
}

void TestForm1::textsFitTheirCells()
{
    ScriptedHands hands;
    Board b(hands);
    QVERIFY2(QFontInfo(b.label("Label4")->font()).family().contains(QLatin1String("Gothic")) ||
                 QFontInfo(b.label("Label4")->font()).family().contains(QStringLiteral("ゴシック")),
             qPrintable(QFontInfo(b.label("Label4")->font()).family()));
    // The widest text each cell ever holds, against the room inside its frame.
    const QList<Label *> labels = b.form->findChildren<Label *>();
    QCOMPARE(labels.size(), 35);
    for (Label *label : labels) {
        const bool isCount = label->objectName().endsWith(QLatin1String("label"), Qt::CaseInsensitive);
        const bool isRatio = label->objectName().endsWith(u'w');
        const QString widest = isCount ? QStringLiteral("1000") : isRatio ? QStringLiteral("1.000") : label->text();
        const QString sample =
            label->objectName().startsWith(QLatin1String("hanntei")) ? QStringLiteral("あいこ") : widest;
        const int width = QFontMetrics(label->font()).horizontalAdvance(sample);
        QVERIFY2(
            width <= label->contentsRect().width(),
            qPrintable(
                QStringLiteral("%1: %2 > %3").arg(label->objectName()).arg(width).arg(label->contentsRect().width())));
        QVERIFY(QFontMetrics(label->font()).height() <= label->contentsRect().height() + 2);
    }
}

void TestForm1::stateTransitions_data()
{
    // Steps: 1..8 click that button, t ticks the automatic timer, e ends the experiment
    // at the next round by putting a total at 998.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<State>("state");
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
    QTest::newRow("a second round") << "1212" << kWaiting;
    QTest::newRow("ended -> waiting by reset") << "e124" << kWaiting;
    QTest::newRow("reset while pending stops automatic play") << "34" << kWaiting;
    QTest::newRow("graph, help and exit answered No change no state") << "856" << kWaiting;
    QTest::newRow("graph, help and exit when ended") << "e12856" << kEnded;
}

void TestForm1::stateTransitions()
{
    QFETCH(QString, steps);
    QFETCH(State, state);

    ScriptedHands hands;
    for (int i = 0; i < 10; ++i)
        hands.push(1, 1, 1);
    Board b(hands);
    b.form->setQuestionBox(std::make_unique<test::ScriptedAnswer>(QuestionBox::kNo));
    for (QChar step : steps) {
        if (step == u't') {
            b.form->timer4Tick();
        } else if (step == u'e') {
            b.shared.aiko = 998;
        } else {
            b.click(step.digitValue());
        }
    }
    QCOMPARE(describe(b), describe(state));
    QCOMPARE(b.shownHands().count(u'0'), 0);
}

void TestForm1::disabledButtonRaisesNothing()
{
    ScriptedHands hands;
    Board b(hands);
    b.click(2); // "ポ　ン" is disabled while waiting: no round may be drawn
    QCOMPARE(hands.reseeds, 0);
    QCOMPARE(b.kaisuu(), 0);
    QVERIFY(b.text("aikolabel").isEmpty());
}

void TestForm1::roundShowsResults_data()
{
    QTest::addColumn<QList<int>>("hands");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QList<QRgb>>("colors");
    QTest::addColumn<QString>("countCell");

    const QRgb green = qRgb(0, 128, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb red = qRgb(255, 0, 0);
    QTest::newRow("draw: rock scissors paper") << QList<int>{1, 2, 3} << QStringList{"あいこ", "あいこ", "あいこ"}
                                               << QList<QRgb>{green, green, green} << "aikolabel";
    QTest::newRow("A wins alone") << QList<int>{1, 2, 2} << QStringList{"勝ち", "負け", "負け"}
                                  << QList<QRgb>{blue, red, red} << "a1katilabel";
    QTest::newRow("B loses alone") << QList<int>{3, 1, 3} << QStringList{"勝ち", "負け", "勝ち"}
                                   << QList<QRgb>{blue, red, blue} << "b1makelabel";
    QTest::newRow("C wins alone") << QList<int>{2, 2, 1} << QStringList{"負け", "負け", "勝ち"}
                                  << QList<QRgb>{red, red, blue} << "c1katilabel";
}

void TestForm1::roundShowsResults()
{
    QFETCH(QList<int>, hands);
    QFETCH(QStringList, results);
    QFETCH(QList<QRgb>, colors);
    QFETCH(QString, countCell);

    ScriptedHands scripted;
    scripted.push(hands[0], hands[1], hands[2]);
    Board b(scripted);
    b.click(1);
    b.click(2);

    for (int p = 0; p < 3; ++p) {
        const Label *result = b.label(QStringLiteral("hanntei%1").arg(p + 1));
        QCOMPARE(result->text(), results[p]);
        QCOMPARE(result->foreColor().rgb(), colors[p]);
    }
    QCOMPARE(b.shownHands(), QStringLiteral("%1%2%3").arg(hands[0]).arg(hands[1]).arg(hands[2]));

    const QStringList counts{"aikolabel",   "a1katilabel", "b1katilabel", "c1katilabel",  "abc1katiLabel",
                             "a1makelabel", "b1makelabel", "c1makelabel", "abc1makelabel"};
    const bool win = countCell.contains(QLatin1String("kati"));
    const bool loss = countCell.contains(QLatin1String("make"));
    for (const QString &name : counts) {
        const bool counted = name == countCell || (win && name == "abc1katiLabel") || (loss && name == "abc1makelabel");
        QCOMPARE(b.text(name), counted ? QStringLiteral("1") : QStringLiteral("0"));
        QString ratioName = name;
        ratioName.replace(QLatin1String("label"), QLatin1String("w"), Qt::CaseInsensitive);
        QCOMPARE(b.text(ratioName), counted ? QStringLiteral("1.000") : QStringLiteral("0.000"));
    }
}

void TestForm1::ratiosAfterThreeRounds()
{
    ScriptedHands hands;
    hands.push(1, 2, 3);
    hands.push(1, 2, 2);
    hands.push(3, 1, 1);
    Board b(hands);
    for (int i = 0; i < 3; ++i) {
        b.click(1);
        b.click(2);
    }
    QCOMPARE(b.text("aikow"), QStringLiteral("0.333"));
    QCOMPARE(b.text("a1katiw"), QStringLiteral("0.667"));
    QCOMPARE(b.text("abc1katiw"), QStringLiteral("0.667"));
    QCOMPARE(b.text("b1katiw"), QStringLiteral("0.000"));
    QCOMPARE(b.text("abc1makew"), QStringLiteral("0.000"));
    QCOMPARE(b.text("a1katilabel"), QStringLiteral("2"));
}

void TestForm1::shuffleFirstTickShowsHandOnScreen()
{
    ScriptedHands hands;
    Board b(hands);
    b.click(1);
    for (Player p : kPlayers)
        b.form->shuffleTick(p);
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    for (Player p : kPlayers)
        b.form->shuffleTick(p);
    QCOMPARE(b.shownHands(), QStringLiteral("231"));
    // The real timers move the pictures on at their own pace.
    QTRY_COMPARE_WITH_TIMEOUT(b.shownHands(), QStringLiteral("312"), 1000);
}

void TestForm1::shufflePhasesCarryOver()
{
    ScriptedHands hands;
    hands.push(1, 1, 1);
    Board b(hands);
    b.click(1);
    b.form->shuffleTick(Player::A);
    b.form->shuffleTick(Player::A);
    b.form->shuffleTick(Player::B);
    b.click(2);
    QCOMPARE(b.form->state().hyouji1, 3);
    QCOMPARE(b.form->state().hyouji2, 3);
    QCOMPARE(b.form->state().hyouji3, 3);

    b.click(1);
    b.form->shuffleTick(Player::A);
    b.form->shuffleTick(Player::B);
    b.form->shuffleTick(Player::C);
    QCOMPARE(b.shownHands(), QStringLiteral("333"));
    QCOMPARE(b.form->state().hyouji1, 1);
}

void TestForm1::drawnHandStaysAfterRound()
{
    ScriptedHands hands;
    hands.push(3, 3, 2);
    Board b(hands);
    b.click(1);
    QTest::qWait(120); // let the shuffle run a couple of steps
    b.click(2);
    QCOMPARE(b.shownHands(), QStringLiteral("332"));
    QTest::qWait(120); // no late shuffle tick may replace the drawn hands
    QCOMPARE(b.shownHands(), QStringLiteral("332"));
    QCOMPARE(b.runningTimers(), QStringLiteral("...."));
}

void TestForm1::automaticStartChangesNoButton()
{
    ScriptedHands hands;
    Board b(hands);
    b.click(3);
    QCOMPARE(b.enabledButtons(), QString::fromLatin1(kWaiting.buttons));
    QCOMPARE(b.form->state().jidou, 1);
    QCOMPARE(b.kaisuu(), 0);
}

void TestForm1::automaticFirstTickResolvesWithoutShuffle()
{
    ScriptedHands hands;
    hands.push(2, 2, 2);
    Board b(hands);
    b.click(3);
    QTRY_COMPARE_WITH_TIMEOUT(b.kaisuu(), 1, 2000); // the real 500 ms timer
    // The tick restarted the shuffle, whose first step is still 50 ms away.
    QCOMPARE(b.shownHands(), QStringLiteral("222"));
    QCOMPARE(b.text("hanntei2"), QStringLiteral("あいこ"));
    QCOMPARE(describe(b), describe(kAutomatic));
    b.click(7);
}

void TestForm1::automaticStopLeavesShufflePictures()
{
    ScriptedHands hands;
    hands.push(1, 1, 1);
    Board b(hands);
    b.click(3);
    b.form->timer4Tick();
    b.form->shuffleTick(Player::A); // shows A's phase 1
    b.form->shuffleTick(Player::A); // shows A's phase 2
    b.form->shuffleTick(Player::C); // shows C's phase 3
    b.click(7);
    QCOMPARE(describe(b), describe(kWaiting));
    QCOMPARE(b.shownHands(), QStringLiteral("213"));
    QCOMPARE(b.text("hanntei1"), QStringLiteral("あいこ"));
    QCOMPARE(b.kaisuu(), 1);
    b.click(1);
    b.form->shuffleTick(Player::A);
    QCOMPARE(b.shownHands(), QStringLiteral("313"));
}

void TestForm1::automaticRunEndsIntoShuffleThenEnded()
{
    ScriptedHands hands;
    hands.push(1, 2, 2); // A wins alone: the 999th win
    hands.push(2, 2, 2); // one more round, after the end
    Board b(hands);
    b.form->state().a1kati = 500;
    b.form->state().c1kati = 498;
    b.shared.abc1kati = 998;
    b.click(3);
    b.form->timer4Tick();

    QCOMPARE(describe(b), describe(kEndedShuffle));
    QCOMPARE(b.shared.abc1kati, 999);
    QCOMPARE(b.text("abc1katiLabel"), QStringLiteral("999"));
    QCOMPARE(b.shared.katiritu[999], 1.0F);
    const Module1 atEnd = b.shared;

    b.click(2);
    QCOMPARE(describe(b), describe(kEnded));
    QCOMPARE(b.shared.aiko, 1);
    QCOMPARE(b.text("aikolabel"), QStringLiteral("1"));
    QCOMPARE(b.text("aikow"), QStringLiteral("0.001"));
    QVERIFY(b.shared.aikoritu == atEnd.aikoritu);
    QVERIFY(b.shared.katiritu == atEnd.katiritu);
    QVERIFY(b.shared.makeritu == atEnd.makeritu);
}

void TestForm1::activationRestoresInitialHands()
{
    ScriptedHands hands;
    hands.push(3, 1, 2);
    Board b(hands);
    b.click(1);
    b.click(2);
    QCOMPARE(b.shownHands(), QStringLiteral("312"));

    test::leaveAndReturn(*b.form);
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QCOMPARE(b.text("hanntei1"), QStringLiteral("あいこ"));
    QCOMPARE(b.text("aikolabel"), QStringLiteral("1"));
    QCOMPARE(describe(b), describe(kWaiting));

    // In automatic play "自動停止" is off until the next tick.
    hands.push(1, 1, 1);
    b.click(3);
    b.form->timer4Tick();
    test::leaveAndReturn(*b.form);
    QCOMPARE(describe(b), describe(kAutomaticActivated));
    hands.push(1, 1, 1);
    b.form->timer4Tick();
    QCOMPARE(describe(b), describe(kAutomatic));
    b.click(7);
}

void TestForm1::activationDuringManualShuffleChangesNothing()
{
    ScriptedHands hands;
    hands.push(1, 1, 1);
    Board b(hands);
    b.click(1);
    b.form->shuffleTick(Player::A);
    b.form->shuffleTick(Player::A);
    test::leaveAndReturn(*b.form);
    QCOMPARE(describe(b), describe(kManualShuffle));
    QCOMPARE(b.shownHands().at(0), u'2');
    b.click(2); // the shuffle can still be stopped
    QCOMPARE(b.kaisuu(), 1);
}

// Random events from a fixed seed: clicks on any button, enabled or not (the
// exit question answered No), ticks of the running timers and activations. After each, the board must be in one
// of its states, show one picture per player and keep the core's invariants.
void TestForm1::randomEventsKeepStateAndInvariants()
{
    MixingGenerator generator(20261208);
    Board b(generator);
    b.form->setQuestionBox(std::make_unique<test::ScriptedAnswer>(QuestionBox::kNo));
    QRandomGenerator events(7);
    const QStringList states = test::allStates();
    int rounds = 0;
    int ends = 0;
    for (int i = 0; i < 20000; ++i) {
        const int before = b.kaisuu();
        const int owariBefore = b.shared.owari;
        const int kind = events.bounded(100);
        bool roundExpected = false;
        if (kind < 55) {
            const int n = events.bounded(1, 9);
            roundExpected = n == 2 && b.button(2)->isEnabled();
            b.click(n);
        } else if (kind < 98) {
            const int n = events.bounded(1, 5);
            if (b.timer(n)->isEnabled()) {
                roundExpected = n == 4;
                emit b.timer(n)->tick();
            }
        } else {
            test::leaveAndReturn(*b.form);
        }
        rounds += roundExpected ? 1 : 0;

        const QString state = describe(b);
        QVERIFY2(states.contains(state), qPrintable(QStringLiteral("event %1: %2").arg(i).arg(state)));
        test::checkInvariants(b);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("after event %1").arg(i)));
        if (b.kaisuu() >= before)
            QCOMPARE(b.kaisuu() - before, roundExpected ? 1 : 0);
        // A fresh experiment starts near its end, so that the end comes within a few rounds.
        ends += b.shared.owari == 1 && owariBefore == 0 ? 1 : 0;
        if (b.kaisuu() == 0)
            b.shared.aiko = 996;
    }
    QVERIFY(rounds > 1000);
    QVERIFY(ends > 0);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
