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

// Every glyph, the Japanese and the digits alike, is drawn in the design's
// gothic where this machine has it, else in Ume P Gothic, drawn to its metrics;
// never in whatever fontconfig substitutes.
void TestJapaneseFont::drawsEveryTextInAPreferredFamily()
{
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    const QStringList installed = QFontDatabase::families();
    QString expected = QStringLiteral("Ume P Gothic");
    for (const QString &design : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")}) {
        if (installed.contains(design)) {
            expected = design;
            break;
        }
    }

    const QFont font = japaneseFont(pointSize, bold, italic);
    QCOMPARE(QFontInfo(font).family(), expected);
    QTextLayout layout(QStringLiteral("あいこ　一人勝ち 0.333 ポ　ン"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QVERIFY(!runs.isEmpty());
    for (const QGlyphRun &run : runs)
        QCOMPARE(run.rawFont().familyName(), expected);
}

QTEST_MAIN(TestJapaneseFont)
#include "tst_japanesefont.moc"
