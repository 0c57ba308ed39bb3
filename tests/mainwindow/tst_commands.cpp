// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "soundcontrol.h"
#include "support/board.h"
#include "support/scriptedanswer.h"

#include <QMessageBox>
#include <QTimer>

#include <string_view>

using namespace nuperako;
using nuperako::test::ScriptedAnswer;

namespace {

QWidgetList visibleForms()
{
    QWidgetList forms = QApplication::topLevelWidgets();
    forms.removeIf(
        [](const QWidget *w) { return !w->isVisible() || !w->objectName().startsWith(QLatin1String("Form")); });
    return forms;
}

void openGraphAndHelp(const test::Board &b)
{
    b.click(8);
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    b.click(5);
    QCOMPARE(visibleForms().size(), 3);
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void resetFromEndedState();
    void resetFromWaitingState();
    void resetRightAfterAutomaticStartStopsTheTimer();
    void exitAnsweredNoChangesNothing();
    void exitAnsweredYesClosesEveryWindow();
    void realQuestionBoxAnswers_data();
    void realQuestionBoxAnswers();
    void closingTheBoardClosesTheOthers();
    void graphCommandOpensOneWindowWithoutCue();
};

void TestCommands::resetFromEndedState()
{
    test::ScriptedHands hands;
    hands.push(1, 1, 2); // C loses alone, the 999th loss
    test::Board b(hands);
    b.form->state().c1make = 998;
    b.shared.abc1make = 998;
    b.click(1);
    b.click(2);
    QCOMPARE(b.shared.owari, 1);
    const Module1 ended = b.shared;

    b.click(4);
    QCOMPARE(b.shared.owari, 0);
    QCOMPARE(b.kaisuu(), 0);
    QCOMPARE(b.form->state().c1make, 0);
    QCOMPARE(b.enabledButtons(), QStringLiteral("1.3456.8"));
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QVERIFY(b.shared.makeritu == ended.makeritu);           // the histories stay
    QCOMPARE(b.form->state().te3, std::string_view("pii")); // and so do the drawn hands
    for (const QString name :
         {"hanntei1", "hanntei3", "aikolabel", "c1makelabel", "abc1makelabel", "aikow", "abc1makew"})
        QVERIFY2(b.text(name).isEmpty(), qPrintable(name));
}

void TestCommands::resetFromWaitingState()
{
    test::ScriptedHands hands;
    hands.push(2, 3, 3);
    test::Board b(hands);
    b.click(1);
    b.form->shuffleTick(Player::A);
    b.form->shuffleTick(Player::B);
    b.click(2);
    b.click(4);
    QCOMPARE(b.form->state().hyouji1, 1);
    QCOMPARE(b.form->state().hyouji2, 2);
    QCOMPARE(b.form->state().hyouji3, 3);
    QCOMPARE(b.form->state().a1kati, 0);
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QCOMPARE(b.enabledButtons(), QStringLiteral("1.3456.8"));
    QCOMPARE(b.runningTimers(), QStringLiteral("...."));
    // The result labels lose their text but keep their colour.
    QCOMPARE(b.label("hanntei1")->foreColor(), QColor(0, 0, 255));
}

void TestCommands::resetRightAfterAutomaticStartStopsTheTimer()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    b.click(3);
    b.click(4);
    QCOMPARE(b.runningTimers(), QStringLiteral("...."));
    QCOMPARE(b.form->state().jidou, 0);
    QTest::qWait(600); // past the first automatic tick: no round is played
    QCOMPARE(b.kaisuu(), 0);
    QCOMPARE(hands.reseeds, 0);
    QCOMPARE(b.enabledButtons(), QStringLiteral("1.3456.8"));
}

void TestCommands::exitAnsweredNoChangesNothing()
{
    test::ScriptedHands hands;
    hands.push(1, 2, 3);
    test::Board b(hands);
    b.click(1);
    b.click(2);
    auto question = std::make_unique<ScriptedAnswer>(QuestionBox::kNo);
    ScriptedAnswer *answer = question.get();
    b.form->setQuestionBox(std::move(question));
    const Module1 before = b.shared;

    b.click(6);
    QCOMPARE(answer->asked, 1);
    QCOMPARE(answer->lastText, QStringLiteral("終了していいですか？"));
    QCOMPARE(answer->lastTitle, QStringLiteral("ぬぺらこ"));
    QCOMPARE(b.form->state().kotae, 7.0);
    QVERIFY(b.form->isVisible());
    QCOMPARE(b.enabledButtons(), QStringLiteral("1.3456.8"));
    QCOMPARE(b.shared.aiko, before.aiko);
    QCOMPARE(b.text("aikolabel"), QStringLiteral("1"));
}

void TestCommands::exitAnsweredYesClosesEveryWindow()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    openGraphAndHelp(b);
    b.form->setQuestionBox(std::make_unique<ScriptedAnswer>(QuestionBox::kYes));
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    b.click(6);
    QCOMPARE(b.form->state().kotae, 6.0);
    QVERIFY(visibleForms().isEmpty());
}

void TestCommands::realQuestionBoxAnswers_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<double>("kotae");
    QTest::newRow("Enter takes the default, Yes") << int(Qt::Key_Return) << 6.0;
    QTest::newRow("Escape answers No") << int(Qt::Key_Escape) << 7.0;
}

void TestCommands::realQuestionBoxAnswers()
{
    QFETCH(int, key);
    QFETCH(double, kotae);
    test::ScriptedHands hands;
    test::Board b(hands);
    QString seenText;
    bool hadIcon = true;
    QTimer::singleShot(100, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenText = box->text();
        hadIcon = box->icon() != QMessageBox::NoIcon;
        QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    b.click(6);
    QCOMPARE(seenText, QStringLiteral("終了していいですか？"));
    QVERIFY(!hadIcon);
    QCOMPARE(b.form->state().kotae, kotae);
    QCOMPARE(b.form->isVisible(), kotae != 6.0);
}

void TestCommands::closingTheBoardClosesTheOthers()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    openGraphAndHelp(b);
    b.click(3); // the automatic timer is running too
    b.form->close();
    QVERIFY(visibleForms().isEmpty());
    QCOMPARE(b.runningTimers(), QStringLiteral("...."));
}

void TestCommands::graphCommandOpensOneWindowWithoutCue()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    auto *sound = b.form->findChild<SoundControl *>(QStringLiteral("MMControl1"));
    QVERIFY(sound);
    b.click(8);
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    b.click(8);
    QCOMPARE(visibleForms().size(), 2);
    QCOMPARE(b.enabledButtons(), QStringLiteral("1.3456.8"));
    QVERIFY(sound->openFile().isEmpty()); // no cue was opened
    b.click(4);
    QVERIFY(sound->openFile().endsWith(QLatin1String("mypinpon.wav")));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
