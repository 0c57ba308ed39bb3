// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/japanesefont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

using namespace nuperako;

class TestJapaneseFont : public QObject {
    Q_OBJECT

private slots:
    void drawsEveryTextInAPreferredFamily_data();
    void drawsEveryTextInAPreferredFamily();
};

void TestJapaneseFont::drawsEveryTextInAPreferredFamily_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("tally") << 15.75 << true << false;
    QTest::newRow("tally, italic row") << 15.75 << true << true;
    QTest::newRow("buttons") << 12.0 << true << false;
    QTest::newRow("help") << 11.25 << false << false;
}

// Only installed families are asked for, and the Japanese and the digits alike
// are drawn in one of them, not in whatever fontconfig substitutes.
void TestJapaneseFont::drawsEveryTextInAPreferredFamily()
{
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const QStringList preferred{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                QStringLiteral("Ume P Gothic")};

    const QFont font = japaneseFont(pointSize, bold, italic);
    QVERIFY(!font.families().isEmpty());
    for (const QString &family : font.families()) {
        QVERIFY2(preferred.contains(family), qPrintable(family));
        QVERIFY2(QFontDatabase::families().contains(family), qPrintable(family));
    }
    QVERIFY(preferred.contains(QFontInfo(font).family()));

    QTextLayout layout(QStringLiteral("あいこ　一人勝ち 0.333 ポ　ン"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QVERIFY(!runs.isEmpty());
    for (const QGlyphRun &run : runs)
        QVERIFY2(preferred.contains(run.rawFont().familyName()), qPrintable(run.rawFont().familyName()));
}

QTEST_MAIN(TestJapaneseFont)
#include "tst_japanesefont.moc"
