// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// The graph and help windows, opened and closed over and over from the board.
#include "support/board.h"

using namespace nuperako;
using nuperako::test::Board;

Q_DECLARE_METATYPE(nuperako::Button)

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
};

void TestProgram::windowsComeAndGoWithoutTrace_data()
{
    QTest::addColumn<Button>("button");
    QTest::addColumn<QString>("window");
    QTest::newRow("graph") << Button::Command8 << "Form2";
    QTest::newRow("help") << Button::Command5 << "Form4";
}

void TestProgram::windowsComeAndGoWithoutTrace()
{
    QFETCH(Button, button);
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

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
