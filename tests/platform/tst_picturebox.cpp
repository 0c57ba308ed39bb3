// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/picturebox.h"
#include "platform/qtconvert.h"

#include <QTest>

using namespace nuperako;

class TestPictureBox : public QObject {
    Q_OBJECT

private slots:
    void pixelAndLineMeet_data();
    void pixelAndLineMeet();
    void linesAreOnePixelWide();
    void textLeavesBackgroundAlone();
    void printMovesToNextLine();
    void clearEmptiesAndRestarts();
    void drawingSurvivesBeingCoveredInItsBorder();
};

namespace {

// The graph's surface: 629 x 317 pixels inside, 1100 x 120 units.
PictureBox *graphSurface(QWidget *parent)
{
    auto *box = new PictureBox(QStringLiteral("Picture1"), QRect(120, 600, 9495, 4815), parent);
    box->setScale(1100, 120);
    return box;
}

} // namespace

void TestPictureBox::pixelAndLineMeet_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QPoint>("pixel");
    // Points whose fractions lie on both sides of a half, where a floor and a round part ways.
    QTest::newRow("curve start at the axis") << 101.0F << 110.0F << QPoint(58, 291);
    QTest::newRow("one third") << 101.0F << 76.666664F << QPoint(58, 203);
    QTest::newRow("origin") << 0.0F << 0.0F << QPoint(0, 0);
    QTest::newRow("low fractions") << 100.0F << 10.0F << QPoint(57, 26);
    QTest::newRow("right edge") << 1099.0F << 119.0F << QPoint(628, 314);
}

void TestPictureBox::pixelAndLineMeet()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QPoint, pixel);
    QWidget window;
    PictureBox *box = graphSurface(&window);
    QCOMPARE(box->toPixel(x, y), pixel);

    box->pset(x, y, Rgb{255, 0, 0});
    QCOMPARE(box->colorAt(pixel), QColor(Qt::red));
    box->clear();
    box->line(x, y, 50, 60, Rgb{0, 0, 255});
    QCOMPARE(box->colorAt(pixel), QColor(Qt::blue));
    box->lineTo(x, y, Rgb{0, 255, 0}); // from the current point back to the start
    QCOMPARE(box->colorAt(box->toPixel(50, 60)), QColor(0, 255, 0));
    QCOMPARE(box->colorAt(pixel), QColor(0, 255, 0));
}

void TestPictureBox::linesAreOnePixelWide()
{
    QWidget window;
    PictureBox *box = graphSurface(&window);
    box->line(100, 50, 600, 50, Rgb{0, 0, 0});
    const QPoint on = box->toPixel(300, 50);
    QCOMPARE(box->colorAt(on), QColor(Qt::black));
    QCOMPARE(box->colorAt(on + QPoint(0, 1)), QColor(Qt::white));
    QCOMPARE(box->colorAt(on - QPoint(0, 1)), QColor(Qt::white));
}

void TestPictureBox::textLeavesBackgroundAlone()
{
    QWidget window;
    PictureBox *box = graphSurface(&window);
    for (int y = 0; y < 30; ++y)
        box->line(0, static_cast<float>(y) * 0.5F, 300, static_cast<float>(y) * 0.5F, Rgb{255, 0, 0});
    box->setForeColor(Rgb{0, 0, 255});
    box->setCurrentPosition(10, 0);
    box->print("■■■ 0.33");
    int red = 0;
    int blue = 0;
    for (int x = 0; x < 170; ++x) {
        for (int y = 0; y < 15; ++y) {
            const QColor c = box->colorAt(QPoint(x, y));
            red += c == QColor(Qt::red) ? 1 : 0;
            blue += c == QColor(Qt::blue) ? 1 : 0;
        }
    }
    QVERIFY(blue > 20);
    QVERIFY(red > 200); // the gaps between glyphs keep what was there
}

void TestPictureBox::printMovesToNextLine()
{
    QWidget window;
    auto *box = new PictureBox(QStringLiteral("Picture1"), QRect(0, 0, 3000, 3000), &window);
    box->setCurrentPosition(600, 300);
    box->print("x");
    box->print({});
    box->lineTo(1500, 0, Rgb{255, 0, 0});
    // Two lines down from y = 300 twips, back at the left edge.
    const int lineHeight = QFontMetrics(box->font()).height();
    QCOMPARE(box->colorAt(QPoint(0, 20 + 2 * lineHeight)), QColor(Qt::red));
}

void TestPictureBox::clearEmptiesAndRestarts()
{
    QWidget window;
    PictureBox *box = graphSurface(&window);
    box->line(0, 0, 1100, 120, Rgb{0, 0, 0});
    box->clear();
    QImage white(box->image().size(), box->image().format());
    white.fill(Qt::white);
    QCOMPARE(box->image(), white);
    box->lineTo(0, 60, Rgb{255, 0, 0}); // from (0, 0)
    QCOMPARE(box->colorAt(QPoint(0, 0)), QColor(Qt::red));
}

void TestPictureBox::drawingSurvivesBeingCoveredInItsBorder()
{
    QWidget window;
    window.resize(700, 400);
    PictureBox *box = graphSurface(&window);
    box->pset(500, 60, Rgb{255, 0, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shown = box->grab().toImage();
    QCOMPARE(shown.pixelColor(box->toPixel(500, 60) + QPoint(2, 2)), QColor(Qt::red));

    // The sunken border, two pixels on every side: shadow outside and dark shadow inside
    // at the top and left, white outside and the face colour inside at the right and bottom.
    const int right = shown.width() - 1;
    const int bottom = shown.height() - 1;
    const QPoint middle(shown.width() / 2, shown.height() / 2);
    const QColor shadow(128, 128, 128), darkShadow(64, 64, 64), light(255, 255, 255), face(227, 227, 227);
    QCOMPARE(shown.pixelColor(0, middle.y()), shadow);
    QCOMPARE(shown.pixelColor(1, middle.y()), darkShadow);
    QCOMPARE(shown.pixelColor(middle.x(), 0), shadow);
    QCOMPARE(shown.pixelColor(middle.x(), 1), darkShadow);
    QCOMPARE(shown.pixelColor(right, middle.y()), light);
    QCOMPARE(shown.pixelColor(right - 1, middle.y()), face);
    QCOMPARE(shown.pixelColor(middle.x(), bottom), light);
    QCOMPARE(shown.pixelColor(middle.x(), bottom - 1), face);
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
