// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// What the board's commands ask of the windows: cues, the question, other windows, the end.
#include "platform/questionbox.h"
#include "platform/soundcontrol.h"
#include "support/board.h"
#include "support/scriptedanswer.h"

#include <QMessageBox>
#include <QTimer>

using namespace nuperako;
using enum nuperako::Button;

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
    b.click(Command8);
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    b.click(Command5);
    QCOMPARE(visibleForms().size(), 3);
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void exitAnsweredYesClosesEveryWindow();
    void realQuestionBoxAnswers_data();
    void realQuestionBoxAnswers();
    void closingTheBoardClosesTheOthers();
    void cuesAndTheGraphWindow();
};

void TestCommands::exitAnsweredYesClosesEveryWindow()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    openGraphAndHelp(b);
    auto question = std::make_unique<test::ScriptedAnswer>(kAnswerYes);
    test::ScriptedAnswer *answer = question.get();
    b.form->setQuestionBox(std::move(question));
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    b.click(Command6);
    QCOMPARE(answer->lastText, QStringLiteral("終了していいですか？"));
    QCOMPARE(answer->lastTitle, QStringLiteral("ぬぺらこ"));
    QVERIFY(visibleForms().isEmpty());
}

void TestCommands::realQuestionBoxAnswers_data()
{
    QTest::addColumn<int>("key"); // 0: the No button is clicked
    QTest::addColumn<double>("kotae");
    QTest::newRow("Enter takes the default, Yes") << int(Qt::Key_Return) << 6.0;
    QTest::newRow("Escape answers No") << int(Qt::Key_Escape) << 7.0;
    QTest::newRow("the No button") << 0 << 7.0;
}

void TestCommands::realQuestionBoxAnswers()
{
    QFETCH(int, key);
    QFETCH(double, kotae);
    test::ScriptedHands hands;
    hands.push(1, 2, 2);
    test::Board b(hands);
    b.click(Command1);
    b.click(Command2);
    const QString state = b.shownState();
    QString seenText;
    bool hadIcon = true;
    QTimer::singleShot(100, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenText = box->text();
        hadIcon = box->icon() != QMessageBox::NoIcon;
        if (key == 0)
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
        else
            QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    b.click(Command6);
    QCOMPARE(seenText, QStringLiteral("終了していいですか？"));
    QVERIFY(!hadIcon);
    QCOMPARE(b.form->model().variables().kotae, kotae);
    QCOMPARE(b.form->isVisible(), kotae != 6.0);
    if (kotae != 6.0) {
        QCOMPARE(b.shownState(), state);
        QCOMPARE(b.shownHands(), QStringLiteral("122"));
        QCOMPARE(b.text("a1katilabel"), QStringLiteral("1"));
        QCOMPARE(b.text("hanntei1"), QStringLiteral("勝ち"));
    }
}

void TestCommands::closingTheBoardClosesTheOthers()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    openGraphAndHelp(b);
    b.click(Command3); // the automatic timer is running too
    b.form->close();
    QVERIFY(visibleForms().isEmpty());
    QCOMPARE(b.shownState().section(u' ', 1, 1), QStringLiteral("...."));
}

void TestCommands::cuesAndTheGraphWindow()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    auto *sound = b.form->findChild<SoundControl *>(QStringLiteral("MMControl1"));
    QVERIFY(sound);
    b.click(Command8);
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    b.click(Command8);
    QCOMPARE(visibleForms().size(), 2);   // one graph window, whatever the clicks
    QVERIFY(sound->openFile().isEmpty()); // and no cue
    b.click(Command4);
    QVERIFY(sound->openFile().endsWith(QLatin1String("/mypinpon.wav")));
    b.form->setQuestionBox(std::make_unique<test::ScriptedAnswer>(kAnswerNo));
    b.click(Command6);
    QVERIFY(sound->openFile().endsWith(QLatin1String("/endpinpon.wav")));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
