// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/tallytext.h"

#include <QTest>

using namespace nuperako;

class TestTallyText : public QObject {
    Q_OBJECT

private slots:
    void ratio_data();
    void ratio();
    void ratioOfEveryFraction();
};

namespace {

// The ratio text of k/n worked out on integers alone: the first 15 significant
// digits of k/n by long division, rounded half up, then the thousandths rounded
// half up on those digits.
QString exactRatioText(int k, int n)
{
    if (k == 0)
        return QStringLiteral("0.000");
    // Decimal digits of k/n after the point, as many as make 15 significant ones plus one to round on.
    QList<int> digits;
    int remainder = k % n;
    int whole = k / n; // 0 or 1
    int significant = whole > 0 ? 1 : 0;
    do {
        remainder *= 10;
        const int d = remainder / n;
        remainder %= n;
        digits << d;
        if (significant > 0 || d != 0)
            ++significant;
    } while (significant < 16);
    // Round to 15 significant digits, half up.
    const qsizetype kept = digits.size() - 1;
    const bool up = digits.last() >= 5;
    digits.removeLast();
    if (up) {
        qsizetype i = kept - 1;
        while (i >= 0 && digits[i] == 9)
            digits[i--] = 0;
        if (i >= 0)
            ++digits[i];
        else
            ++whole;
    }
    // Thousandths, half up on the fourth decimal.
    int thousandths = whole * 1000 + digits.value(0) * 100 + digits.value(1) * 10 + digits.value(2);
    if (digits.value(3) >= 5)
        ++thousandths;
    return QStringLiteral("%1.%2").arg(thousandths / 1000).arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
}

} // namespace

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
    // 0.0115 is stored slightly below itself; its 15 digits read 0.0115000000000000, a half.
    QTest::newRow("decimal half stored low") << 0.0115 << "0.012";
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

// Every ratio the board can show: k of n rounds for every n up to 3000.
void TestTallyText::ratioOfEveryFraction()
{
    for (int n = 1; n <= 3000; ++n) {
        for (int k = 0; k <= n; ++k) {
            const QString got = QString::fromStdString(ratioText(static_cast<double>(k) / static_cast<double>(n)));
            const QString expected = exactRatioText(k, n);
            if (got != expected)
                QFAIL(qPrintable(QStringLiteral("%1/%2: %3, expected %4").arg(k).arg(n).arg(got, expected)));
        }
    }
}

QTEST_APPLESS_MAIN(TestTallyText)
#include "tst_tallytext.moc"
