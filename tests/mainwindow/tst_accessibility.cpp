// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// What a screen reader hears, and the board played from the keyboard alone.
#include "platform/picturebox.h"
#include "support/board.h"

#include <QAccessible>

using namespace nuperako;
using nuperako::test::Board;
using nuperako::test::openWindow;

namespace {

QString spokenName(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// The names of the pictures a screen reader finds on screen, player by player.
QStringList spokenHands(const Board &b)
{
    QStringList hands;
    for (auto *box : b.form->findChildren<ImageBox *>())
        if (!box->isHidden())
            hands << spokenName(box);
    hands.sort();
    return hands;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void handsAreSpokenAsShown();
    void tallyCellsNameRowAndColumn_data();
    void tallyCellsNameRowAndColumn();
    void graphPictureSpeaksTheRatios();
    void helpPictureSpeaksItsText();
    void boardPlaysFromTheKeyboard();
};

void TestAccessibility::handsAreSpokenAsShown()
{
    test::ScriptedHands hands;
    hands.push(3, 3, 2);
    Board b(hands);
    QCOMPARE(spokenHands(b), (QStringList{"Ａくん: グー", "Ｂくん: チョキ", "Ｃくん: パー"}));
    b.click(Button::Command1);
    b.click(Button::Command2);
    QCOMPARE(spokenHands(b), (QStringList{"Ａくん: パー", "Ｂくん: パー", "Ｃくん: チョキ"}));
    QCOMPARE(spokenName(b.label("hanntei3")), QStringLiteral("Ｃくん 結果 勝ち"));
}

void TestAccessibility::tallyCellsNameRowAndColumn_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("afterRounds");
    QTest::addColumn<QString>("afterReset");
    QTest::newRow("draw count") << "aikolabel"
                                << "あいこ 回数 3"
                                << "あいこ 回数";
    QTest::newRow("draw ratio") << "aikow"
                                << "あいこ 割合 0.333"
                                << "あいこ 割合";
    QTest::newRow("A wins count") << "a1katilabel"
                                  << "Ａ一人勝ち 回数 6"
                                  << "Ａ一人勝ち 回数";
    QTest::newRow("any loses ratio") << "abc1makew"
                                     << "一人負け 割合 0.000"
                                     << "一人負け 割合";
}

void TestAccessibility::tallyCellsNameRowAndColumn()
{
    QFETCH(QString, cell);
    QFETCH(QString, afterRounds);
    QFETCH(QString, afterReset);
    test::ScriptedHands hands;
    for (int i = 0; i < 3; ++i) {
        hands.push(1, 1, 1);
        hands.push(1, 2, 2);
        hands.push(2, 3, 3);
    }
    Board b(hands);
    for (int i = 0; i < 9; ++i) {
        b.click(Button::Command1);
        b.click(Button::Command2);
    }
    QCOMPARE(spokenName(b.label(cell)), afterRounds);
    b.click(Button::Command4);
    QCOMPARE(spokenName(b.label(cell)), afterReset);
}

void TestAccessibility::graphPictureSpeaksTheRatios()
{
    test::ScriptedHands hands;
    hands.push(1, 1, 1);
    hands.push(1, 2, 2);
    hands.push(1, 3, 3);
    hands.push(1, 3, 3);
    Board b(hands);
    for (int i = 0; i < 4; ++i) {
        b.click(Button::Command1);
        b.click(Button::Command2);
    }
    b.click(Button::Command8);
    QWidget *graph = openWindow("Form2");
    QVERIFY(graph);
    QVERIFY(QTest::qWaitForWindowActive(graph));
    QCOMPARE(spokenName(graph->findChild<PictureBox *>()),
             QStringLiteral("割合のグラフ、4回: あいこ 0.250、一人勝ち 0.250、一人負け 0.500（理論値 1/3 = 0.333）"));
    graph->close();
}

void TestAccessibility::helpPictureSpeaksItsText()
{
    test::ScriptedHands hands;
    Board b(hands);
    b.click(Button::Command5);
    QWidget *help = openWindow("Form4");
    QVERIFY(help);
    QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(help->findChild<PictureBox *>());
    QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("ヘルプ"));
    const QString text = picture->text(QAccessible::Description);
    QVERIFY(text.startsWith(QStringLiteral("【問\u3000\u3000題】")));
    QVERIFY(text.contains(QStringLiteral("実験を最初からやり直せます。")));
    help->close();
}

void TestAccessibility::boardPlaysFromTheKeyboard()
{
    test::ScriptedHands hands;
    hands.push(1, 2, 3);
    Board b(hands);
    QWidget *focus = QApplication::focusWidget();
    QCOMPARE(focus, b.button(Button::Command1));
    QTest::keyClick(focus, Qt::Key_Space); // ヌペラコ
    QVERIFY(b.timer(BoardTimer::Timer1)->isEnabled());

    // Focus follows the board's order and skips what is disabled: from ヌペラコ to ポ　ン.
    b.button(Button::Command2)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(kaisuu(b.shared), 1);

    // Waiting again: Tab from ヌペラコ goes to 自動開始, then 初期化, HELP, 終了, グラフ表示.
    b.button(Button::Command1)->setFocus();
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << static_cast<QPushButton *>(QApplication::focusWidget())->text();
    }
    QCOMPARE(order, (QStringList{"自動開始", "初期化", "HELP", "終了", "グラフ表示"}));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
