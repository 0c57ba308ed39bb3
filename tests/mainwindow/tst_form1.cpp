// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The board's window: its elements, and each of them wired to the model.
#include "resources/pictures.h"
#include "support/board.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <set>

using namespace nuperako;
using namespace nuperako::test::states;
using nuperako::test::Board;
using nuperako::test::ScriptedHands;
using enum nuperako::Button;

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void firstDisplay();
    void textsFitTheirCells();
    void timersHaveTheirIntervals();
    void tallyRowsLookAsDesigned();
    void picturesIconAndPositions();
    void everyOutcomeShowsInItsOwnCells_data();
    void everyOutcomeShowsInItsOwnCells();
    void disabledButtonRaisesNothing();
    void buttonsAndTimersFollowTheModel();
    void drawnHandStaysAfterRound();
    void activationComesFromTheWindowSystem();
};

void TestForm1::firstDisplay()
{
    ScriptedHands hands;
    Board b(hands);
    QCOMPARE(b.shownState(), kWaiting);
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QCOMPARE(b.form->windowTitle(), QStringLiteral(" ぬぺらこ"));
    QCOMPARE(b.form->size(), QSize(488, 497));
    QCOMPARE(b.button(Command2)->text(), QStringLiteral("ポ\u3000ン"));
    QCOMPARE(QApplication::focusWidget(), b.button(Command1));
    for (const QString name : {"hanntei1", "hanntei2", "hanntei3", "aikolabel", "abc1makelabel", "aikow", "abc1makew"})
        QVERIFY2(b.text(name).isEmpty(), qPrintable(name));
    // Neighbouring tally cells share their frame line.
    QCOMPARE(b.label("aikolabel")->geometry().left(), b.label("Label4")->geometry().right());
    QCOMPARE(b.label("b1katilabel")->geometry().top(), b.label("a1katilabel")->geometry().bottom());

    b.form->resize(700, 700);
    QCOMPARE(b.button(Command8)->geometry(), QRect(328, 440, 121, 33));
    QCOMPARE(b.label("abc1makew")->geometry(), QRect(208, 448, 73, 25));
}

void TestForm1::textsFitTheirCells()
{
    ScriptedHands hands;
    Board b(hands);
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

void TestForm1::timersHaveTheirIntervals()
{
    ScriptedHands hands;
    Board b(hands);
    const std::chrono::milliseconds shuffle(50);
    const std::chrono::milliseconds automatic(500);
    QCOMPARE(b.timer(BoardTimer::Timer1)->interval(), shuffle);
    QCOMPARE(b.timer(BoardTimer::Timer2)->interval(), shuffle);
    QCOMPARE(b.timer(BoardTimer::Timer3)->interval(), shuffle);
    QCOMPARE(b.timer(BoardTimer::Timer4)->interval(), automatic);
}

void TestForm1::tallyRowsLookAsDesigned()
{
    ScriptedHands hands;
    Board b(hands);
    const QColor blue(0, 0, 255);
    const QColor red(255, 0, 0);
    const QColor text = b.label("Label1")->foreColor(); // the default text colour
    const struct {
        const char *cells[3];
        bool italic;
        QColor color;
    } rows[] = {
        {{"Label4", "aikolabel", "aikow"}, true, text},         {{"Label5", "a1katilabel", "a1katiw"}, false, blue},
        {{"Label6", "b1katilabel", "b1katiw"}, false, blue},    {{"Label7", "c1katilabel", "c1katiw"}, false, blue},
        {{"Label8", "abc1katiLabel", "abc1katiw"}, true, text}, {{"Label12", "a1makelabel", "a1makew"}, false, red},
        {{"Label11", "b1makelabel", "b1makew"}, false, red},    {{"Label10", "c1makelabel", "c1makew"}, false, red},
        {{"Label9", "abc1makelabel", "abc1makew"}, true, text},
    };
    for (const auto &row : rows) {
        for (const char *name : row.cells) {
            const Label *cell = b.label(QString::fromLatin1(name));
            QVERIFY2(cell->font().italic() == row.italic, name);
            QVERIFY2(cell->font().bold(), name);
            QCOMPARE(cell->font().pointSizeF(), 15.75);
            QCOMPARE(cell->foreColor(), row.color);
        }
    }
    QVERIFY(text != blue && text != red);
    QVERIFY(!b.label("Label13")->font().italic());
    QCOMPARE(b.button(Command1)->font().pointSizeF(), 12.0);
    QVERIFY(b.button(Command1)->font().bold());
}

void TestForm1::picturesIconAndPositions()
{
    const std::set<QRgb> threeColours{qRgb(255, 255, 128), qRgb(0, 0, 0), qRgb(255, 255, 255)};
    for (Hand hand : kHands) {
        const QImage picture = handPicture(hand).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(picture.size(), QSize(32, 33));
        std::set<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y));
        QVERIFY(colours == threeColours);
    }
    QCOMPARE(programIcon().availableSizes(), QList<QSize>{QSize(32, 32)});

    ScriptedHands hands;
    Board b(hands);
    QVERIFY(!b.form->windowIcon().isNull());
    QCOMPARE(b.form->geometry().topLeft(), QPoint(269, 136));
    b.click(Command8);
    QWidget *graph = test::openWindow("Form2");
    QVERIFY(graph);
    QCOMPARE(graph->geometry().topLeft(), QPoint(194, 149));
    graph->close();
    b.click(Command5);
    QWidget *help = test::openWindow("Form4");
    QVERIFY(help);
    QCOMPARE(help->geometry().topLeft(), QPoint(232, 149));
    help->close();
}

void TestForm1::everyOutcomeShowsInItsOwnCells_data()
{
    QTest::addColumn<QList<int>>("hands");
    QTest::addColumn<QString>("results"); // D draw, W wins, L loses, for A, B, C
    QTest::addColumn<QStringList>("counted");
    QTest::newRow("draw") << QList<int>{1, 2, 3} << "DDD" << QStringList{"aikolabel"};
    QTest::newRow("A wins alone") << QList<int>{1, 2, 2} << "WLL" << QStringList{"a1katilabel", "abc1katiLabel"};
    QTest::newRow("B wins alone") << QList<int>{2, 1, 2} << "LWL" << QStringList{"b1katilabel", "abc1katiLabel"};
    QTest::newRow("C wins alone") << QList<int>{2, 2, 1} << "LLW" << QStringList{"c1katilabel", "abc1katiLabel"};
    QTest::newRow("A loses alone") << QList<int>{2, 1, 1} << "LWW" << QStringList{"a1makelabel", "abc1makelabel"};
    QTest::newRow("B loses alone") << QList<int>{3, 1, 3} << "WLW" << QStringList{"b1makelabel", "abc1makelabel"};
    QTest::newRow("C loses alone") << QList<int>{1, 1, 2} << "WWL" << QStringList{"c1makelabel", "abc1makelabel"};
}

void TestForm1::everyOutcomeShowsInItsOwnCells()
{
    QFETCH(QList<int>, hands);
    QFETCH(QString, results);
    QFETCH(QStringList, counted);

    ScriptedHands scripted;
    scripted.push(hands[0], hands[1], hands[2]);
    Board b(scripted);
    b.click(Command1);
    b.click(Command2);

    QCOMPARE(b.shownHands(), QStringLiteral("%1%2%3").arg(hands[0]).arg(hands[1]).arg(hands[2]));
    for (int p = 0; p < 3; ++p) {
        const Label *result = b.label(QStringLiteral("hanntei%1").arg(p + 1));
        const QChar r = results[p];
        QCOMPARE(result->text(), r == u'D'   ? QStringLiteral("あいこ")
                                 : r == u'W' ? QStringLiteral("勝ち")
                                             : QStringLiteral("負け"));
        QCOMPARE(result->foreColor(), r == u'D'   ? QColor(0, 128, 0)
                                      : r == u'W' ? QColor(0, 0, 255)
                                                  : QColor(255, 0, 0));
    }
    const QStringList counts{"aikolabel",   "a1katilabel", "b1katilabel", "c1katilabel",  "abc1katiLabel",
                             "a1makelabel", "b1makelabel", "c1makelabel", "abc1makelabel"};
    for (const QString &name : counts) {
        const bool isCounted = counted.contains(name);
        QString ratioName = name;
        ratioName.replace(QLatin1String("label"), QLatin1String("w"), Qt::CaseInsensitive);
        QCOMPARE(b.text(name), isCounted ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(b.text(ratioName), isCounted ? QStringLiteral("1.000") : QStringLiteral("0.000"));
    }
}

void TestForm1::disabledButtonRaisesNothing()
{
    ScriptedHands hands;
    Board b(hands);
    b.click(Command2); // "ポ　ン" is disabled while waiting: no round may be drawn
    QCOMPARE(hands.reseeds, 0);
    QVERIFY(b.text("aikolabel").isEmpty());
}

void TestForm1::buttonsAndTimersFollowTheModel()
{
    ScriptedHands hands;
    for (int i = 0; i < 3; ++i)
        hands.push(1, 1, 1);
    Board b(hands);
    b.click(Command1);
    QCOMPARE(b.shownState(), kManualShuffle);
    b.click(Command2);
    QCOMPARE(b.shownState(), kWaiting);
    b.click(Command3);
    QCOMPARE(b.shownState(), kAutomaticPending);
    emit b.timer(BoardTimer::Timer4)->tick();
    QCOMPARE(b.shownState(), kAutomatic);
    b.click(Command7);
    QCOMPARE(b.shownState(), kWaiting);
    b.shared.aiko = 998;
    b.click(Command1);
    b.click(Command2);
    QCOMPARE(b.shownState(), kEnded);
}

void TestForm1::drawnHandStaysAfterRound()
{
    ScriptedHands hands;
    hands.push(3, 3, 2);
    Board b(hands);
    b.click(Command1);
    QTRY_VERIFY_WITH_TIMEOUT(b.shownHands() != QLatin1String("123"), 1000); // the real timers shuffle
    b.click(Command2);
    QCOMPARE(b.shownHands(), QStringLiteral("332"));
    QTest::qWait(120); // no late shuffle tick may replace the drawn hands
    QCOMPARE(b.shownHands(), QStringLiteral("332"));
}

void TestForm1::activationComesFromTheWindowSystem()
{
    ScriptedHands hands;
    hands.push(3, 1, 2);
    Board b(hands);
    b.click(Command1);
    b.click(Command2);
    QCOMPARE(b.shownHands(), QStringLiteral("312"));
    test::leaveAndReturn(*b.form);
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QCOMPARE(b.shownState(), kWaiting);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
