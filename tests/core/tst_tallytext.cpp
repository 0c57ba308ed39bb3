// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "tallytext.h"

#include <QTest>

using namespace nuperako;

class TestTallyText : public QObject {
    Q_OBJECT

private slots:
    void ratio_data();
    void ratio();
    void count_data();
    void count();
};

void TestTallyText::ratio_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0.000";
    QTest::newRow("one") << 1.0 << "1.000";
    QTest::newRow("a third") << 1.0 / 3.0 << "0.333";
    QTest::newRow("two thirds") << 2.0 / 3.0 << "0.667";
    QTest::newRow("a sixteenth, exact half") << 1.0 / 16.0 << "0.063";
    QTest::newRow("three sixteenths") << 3.0 / 16.0 << "0.188";
    QTest::newRow("a ninth") << 1.0 / 9.0 << "0.111";
    // Halves at the fourth decimal round up whichever side of it the double lies.
    QTest::newRow("half of a thousandth") << 1.0 / 2000.0 << "0.001";
    QTest::newRow("just below half") << 0.0004999999 << "0.000";
    // 0.1115 is stored below itself; its 15 digits read 0.111500000000000, a half.
    QTest::newRow("decimal half stored low") << 0.1115 << "0.112";
    QTest::newRow("999 of 2997") << 999.0 / 2997.0 << "0.333";
    QTest::newRow("1 of 2999") << 1.0 / 2999.0 << "0.000";
    QTest::newRow("rounds up to one") << 0.9995 << "1.000";
}

void TestTallyText::ratio()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ratioText(value)), text);
}

void TestTallyText::count_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("seven") << 7 << "7";
    QTest::newRow("998") << 998 << "998";
    QTest::newRow("1000") << 1000 << "1000";
}

void TestTallyText::count()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(countText(static_cast<std::int16_t>(value))), text);
}

QTEST_APPLESS_MAIN(TestTallyText)
#include "tst_tallytext.moc"
