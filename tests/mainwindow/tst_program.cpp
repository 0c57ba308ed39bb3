// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The whole program at once: the board with its graph and help windows.
#include "mixinggenerator.h"
#include "support/boardstates.h"
#include "support/scriptedanswer.h"

#include <QRandomGenerator>

using namespace nuperako;
using namespace nuperako::test::states;
using nuperako::test::Board;

namespace {

using nuperako::test::openWindow;

// Window objects of that name, shown or not, deleted or not yet.
qsizetype windowsNamed(const char *name)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::count_if(windows.begin(), windows.end(),
                         [name](const QWidget *w) { return w->objectName() == QLatin1String(name); });
}

void activate(QWidget *window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT

private slots:
    void windowsComeAndGoWithoutTrace_data();
    void windowsComeAndGoWithoutTrace();
    void randomEventsAcrossAllWindows();
    void experimentRunsToItsNaturalEnd();
};

void TestProgram::windowsComeAndGoWithoutTrace_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("window");
    QTest::newRow("graph") << 8 << "Form2";
    QTest::newRow("help") << 5 << "Form4";
}

void TestProgram::windowsComeAndGoWithoutTrace()
{
    QFETCH(int, button);
    QFETCH(QString, window);
    test::ScriptedHands hands;
    Board b(hands);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int widgetsBefore = static_cast<int>(QApplication::allWidgets().size());
    const int topLevelsBefore = static_cast<int>(QApplication::topLevelWidgets().size());

    for (int i = 0; i < 500; ++i) {
        b.click(button);
        QWidget *w = openWindow(window.toLatin1().constData());
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (i % 2 == 0)
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        else
            w->close(); // the close box
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!openWindow(window.toLatin1().constData()));
        activate(b.form.get());
    }
    QCOMPARE(windowsNamed(window.toLatin1().constData()), 0);
    QCOMPARE(QApplication::topLevelWidgets().size(), topLevelsBefore);
    QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
}

// From fixed seeds: clicks on any button of any open window, enabled or not (the
// exit question answered No), ticks of the running timers, activations of any
// open window and closing the secondary windows through their close boxes.
void TestProgram::randomEventsAcrossAllWindows()
{
    MixingGenerator generator(5);
    Board b(generator);
    b.form->setQuestionBox(std::make_unique<test::ScriptedAnswer>(QuestionBox::kNo));
    QRandomGenerator events(11);
    const QStringList states = test::allStates();
    int opened = 0;
    int ends = 0;

    for (int i = 0; i < 50000; ++i) {
        const int owariBefore = b.shared.owari;
        QWidget *graph = openWindow("Form2");
        QWidget *help = openWindow("Form4");
        const int kind = events.bounded(100);
        if (kind < 50) {
            b.click(events.bounded(1, 9));
        } else if (kind < 55 && (graph || help)) {
            QWidget *w = graph && (!help || events.bounded(2) == 0) ? graph : help;
            QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        } else if (kind < 57 && (graph || help)) {
            (graph ? graph : help)->close();
        } else if (kind < 97) {
            const int n = events.bounded(1, 5);
            if (b.timer(n)->isEnabled())
                emit b.timer(n)->tick();
        } else {
            QWidgetList open{b.form.get()};
            for (QWidget *w : {graph, help})
                if (w)
                    open << w;
            activate(open.at(events.bounded(static_cast<int>(open.size()))));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        opened += (!graph && openWindow("Form2")) || (!help && openWindow("Form4")) ? 1 : 0;

        QVERIFY2(states.contains(test::describe(b)),
                 qPrintable(QStringLiteral("event %1: %2").arg(i).arg(test::describe(b))));
        test::checkInvariants(b);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("after event %1").arg(i)));
        QVERIFY(windowsNamed("Form2") <= 1 && windowsNamed("Form4") <= 1);
        QVERIFY(b.form->isVisible());

        ends += b.shared.owari == 1 && owariBefore == 0 ? 1 : 0;
        if (b.kaisuu() == 0)
            b.shared.aiko = 996; // a fresh experiment starts near its end, to reach it often
    }
    QVERIFY(opened > 100);
    QVERIFY(ends > 10);
}

// About 3000 rounds through the automatic timer's own tick, to the round that
// makes a total 999, then the one further round the board allows.
void TestProgram::experimentRunsToItsNaturalEnd()
{
    MixingGenerator generator(1);
    Board b(generator);
    b.click(3);
    Timer *automatic = b.timer(4);
    int ticks = 0;
    while (automatic->isEnabled() && ticks < 4000) {
        emit automatic->tick();
        ++ticks;
    }
    QCOMPARE(b.kaisuu(), ticks);
    QVERIFY(ticks > 2000);
    QCOMPARE(test::describe(b), test::describe(kEndedShuffle));
    const int kaisuu = b.kaisuu();
    const std::array<std::int16_t, 3> totals{b.shared.aiko, b.shared.abc1kati, b.shared.abc1make};
    QCOMPARE(*std::max_element(totals.begin(), totals.end()), 999);
    QCOMPARE(b.text("abc1makelabel"), QString::number(b.shared.abc1make));

    // The element of the total that ended it holds its final ratio.
    const RatioHistory *histories[] = {&b.shared.aikoritu, &b.shared.katiritu, &b.shared.makeritu};
    for (std::size_t t = 0; t < 3; ++t) {
        const auto expected = static_cast<float>(static_cast<double>(totals[t]) / kaisuu);
        QCOMPARE(histories[t]->at(static_cast<std::size_t>(totals[t])), expected);
    }
    const Module1 atEnd = b.shared;

    b.click(2); // the shuffle left by the last tick still resolves one round
    QCOMPARE(b.kaisuu(), kaisuu + 1);
    QCOMPARE(test::describe(b), test::describe(kEnded));
    QVERIFY(b.shared.aikoritu == atEnd.aikoritu);
    QVERIFY(b.shared.katiritu == atEnd.katiritu);
    QVERIFY(b.shared.makeritu == atEnd.makeritu);
    test::checkInvariants(b);
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
