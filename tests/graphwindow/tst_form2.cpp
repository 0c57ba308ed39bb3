// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/module1.h"
#include "graphwindow/form2.h"
#include "platform/picturebox.h"

#include <QPushButton>
#include <QTest>

#include <memory>

using namespace nuperako;

namespace {

const QColor kBlackPixel(0, 0, 0);
const QColor kWhitePixel(255, 255, 255);
const QColor kGreenPixel(0, 128, 0);
const QColor kBluePixel(0, 0, 255);
const QColor kRedPixel(255, 0, 0);

// The graph window on screen over a given experiment.
struct Graph {
    explicit Graph(const Module1 &shared) : form(new Form2(shared))
    {
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }
    ~Graph() { delete form; }

    [[nodiscard]] PictureBox *picture() const { return form->findChild<PictureBox *>(QStringLiteral("Picture1")); }
    // The colour at the pixel of user point (x, y).
    [[nodiscard]] QColor at(float x, float y) const { return picture()->colorAt(picture()->toPixel(x, y)); }
    [[nodiscard]] QColor atRatio(int count, float ratio) const
    {
        return at(100.0F + static_cast<float>(count), 110.0F - ratio * 100.0F);
    }

    void reactivate() const
    {
        Form other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }

    QPointer<Form2> form;
};

// A curve over ratios[i] for i = 1.. with its count.
void setCurve(RatioHistory &history, std::int16_t &count, const QList<float> &ratios)
{
    for (int i = 0; i < ratios.size(); ++i)
        history.at(static_cast<std::size_t>(i) + 1) = ratios[i];
    count = static_cast<std::int16_t>(ratios.size());
}

// A text printed alone, in the graph's own font, on a clean surface of the
// graph's size and scale: the pixels of the surface that its glyphs cover.
QList<QPoint> inkOf(const PictureBox &graphPicture, float x, float y, std::string_view text)
{
    QWidget scratch;
    PictureBox box(QStringLiteral("scratch"), QRect(120, 600, 9495, 4815), &scratch);
    box.setScale(1100, 120);
    box.setFont(graphPicture.font());
    box.setCurrentPosition(x, y);
    box.print(text);
    QList<QPoint> ink;
    for (int py = 0; py < box.innerSize().height(); ++py)
        for (int px = 0; px < box.innerSize().width(); ++px)
            if (box.colorAt(QPoint(px, py)) != kWhitePixel)
                ink << QPoint(px, py);
    return ink;
}

QRect boundsOf(const QList<QPoint> &pixels)
{
    QRect bounds;
    for (const QPoint &p : pixels)
        bounds |= QRect(p, QSize(1, 1));
    return bounds;
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private slots:
    void layout();
    void frameAxesTicksAndDashes();
    void textsAtTheirPlacesInTheirColours_data();
    void textsAtTheirPlacesInTheirColours();
    void textsKeepClearOfTheAxisAndEachOther();
    void atStartEachCurveIsOnePixelRedOnTop();
    void curvesFollowTheirHistories();
    void shortCurves_data();
    void shortCurves();
    void endedCurvesStopOneShort();
    void activationExtendsWithoutClearing();
    void closeDestroysAndReopenStartsEmpty();
};

void TestForm2::layout()
{
    Module1 shared;
    Graph g(shared);
    QCOMPARE(g.form->windowTitle(), QStringLiteral(" グラフ"));
    QCOMPARE(g.form->size(), QSize(650, 378));
    QCOMPARE(g.picture()->geometry(), QRect(8, 40, 633, 321));
    QCOMPARE(g.picture()->innerSize(), QSize(629, 317));
    // The persistent picture is as sharp as the screen it is shown on.
    QCOMPARE(g.picture()->image().devicePixelRatio(), g.picture()->devicePixelRatioF());
    QCOMPARE(g.picture()->image().size(), (QSizeF(629, 317) * g.picture()->devicePixelRatioF()).toSize());
    auto *close = g.form->findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(close->text(), QStringLiteral("閉じる"));
    QCOMPARE(close->geometry(), QRect(584, 0, 65, 25));
}

void TestForm2::frameAxesTicksAndDashes()
{
    Module1 shared;
    Graph g(shared);
    QCOMPARE(g.at(100, 5), kBlackPixel); // top of the vertical axis
    QCOMPARE(g.at(100, 60), kBlackPixel);
    QCOMPARE(g.at(100, 3), kWhitePixel);   // nothing above it
    QCOMPARE(g.at(600, 110), kBlackPixel); // horizontal axis
    QCOMPARE(g.at(95, 40), kBlackPixel);   // a ratio tick
    QCOMPARE(g.at(95, 45), kWhitePixel);
    QCOMPARE(g.at(500, 111), kBlackPixel); // a count tick reaches below the axis
    QCOMPARE(g.at(550, 111.5F), kWhitePixel);
    QCOMPARE(g.at(104, 77), kBlackPixel); // the one-third line: dashes with gaps
    QCOMPARE(g.at(115, 77), kWhitePixel);
    QCOMPARE(g.at(1084, 77), kBlackPixel); // the 50th dash
    QCOMPARE(g.at(1095, 77), kWhitePixel);
}

void TestForm2::textsAtTheirPlacesInTheirColours_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color");
    QTest::newRow("ratio 0") << 60.0F << 110.0F << QStringLiteral("0.00") << kBlackPixel;
    QTest::newRow("ratio 1/3") << 60.0F << 75.0F << QStringLiteral("0.33") << kBlackPixel;
    QTest::newRow("ratio 1") << 60.0F << 8.0F << QStringLiteral("1.00") << kBlackPixel;
    for (const auto &[x, count] : {std::pair{180.0F, "100"}, std::pair{280.0F, "200"}, std::pair{380.0F, "300"},
                                   std::pair{480.0F, "400"}, std::pair{580.0F, "500"}, std::pair{680.0F, "600"},
                                   std::pair{780.0F, "700"}, std::pair{880.0F, "800"}, std::pair{980.0F, "900"}})
        QTest::addRow("count %s", count) << x << 112.0F << QString::fromLatin1(count) << kBlackPixel;
    QTest::newRow("vertical axis") << 130.0F << 10.0F << QStringLiteral("(縦軸は割合)") << kBlackPixel;
    QTest::newRow("green") << 130.0F << 20.0F << QStringLiteral("(緑色 → あ  い  こ)") << kGreenPixel;
    QTest::newRow("blue") << 130.0F << 25.0F << QStringLiteral("(青色 → 一人勝ち)") << kBluePixel;
    QTest::newRow("red") << 130.0F << 30.0F << QStringLiteral("(赤色 → 一人負け)") << kRedPixel;
    QTest::newRow("horizontal axis") << 950.0F << 100.0F << QStringLiteral("(横軸は回数)") << kBlackPixel;
}

// Every text of the frame in the window's picture exactly as it prints alone,
// at its place and in its colour: a changed character, place or colour shows.
void TestForm2::textsAtTheirPlacesInTheirColours()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QString, text);
    QFETCH(QColor, color);
    Module1 shared;
    Graph g(shared);
    const QByteArray utf8 = text.toUtf8();
    const QList<QPoint> ink = inkOf(*g.picture(), x, y, std::string_view(utf8.constData(), utf8.size()));
    QVERIFY(!ink.isEmpty());
    const QRect bounds = boundsOf(ink);
    for (int py = bounds.top(); py <= bounds.bottom(); ++py) {
        for (int px = bounds.left(); px <= bounds.right(); ++px) {
            const QPoint p(px, py);
            const QColor expected = ink.contains(p) ? color : kWhitePixel;
            QVERIFY2(g.picture()->colorAt(p) == expected, qPrintable(QStringLiteral("pixel %1, %2").arg(px).arg(py)));
        }
    }
}

// The ratio labels end before the ticks' left end at x = 95, and the legend's lines do not overlap.
void TestForm2::textsKeepClearOfTheAxisAndEachOther()
{
    Module1 shared;
    Graph g(shared);
    const PictureBox &picture = *g.picture();
    const int tickLeft = picture.toPixel(95, 50).x();
    for (const auto &[y, label] : {std::pair{110.0F, "0.00"}, std::pair{75.0F, "0.33"}, std::pair{8.0F, "1.00"}}) {
        const QRect ink = boundsOf(inkOf(picture, 60, y, label));
        QVERIFY2(!ink.isEmpty() && ink.right() < tickLeft,
                 qPrintable(
                     QStringLiteral("%1 ends at %2, the ticks start at %3").arg(label).arg(ink.right()).arg(tickLeft)));
    }
    const QRect legend[] = {
        boundsOf(inkOf(picture, 130, 10, "(縦軸は割合)")), boundsOf(inkOf(picture, 130, 20, "(緑色 → あ  い  こ)")),
        boundsOf(inkOf(picture, 130, 25, "(青色 → 一人勝ち)")), boundsOf(inkOf(picture, 130, 30, "(赤色 → 一人負け)"))};
    for (int i = 1; i < 4; ++i)
        QVERIFY2(legend[i - 1].bottom() < legend[i].top(), qPrintable(QString::number(i)));
}

void TestForm2::atStartEachCurveIsOnePixelRedOnTop()
{
    Module1 shared;
    Graph g(shared);
    QCOMPARE(g.at(101, 110), kRedPixel);

    // After a reset the single pixels stand at the old experiment's first ratios.
    shared.aikoritu[1] = 0.5F;
    shared.katiritu[1] = 0.25F;
    Graph again(shared);
    QCOMPARE(again.atRatio(1, 0.5F), kGreenPixel);
    QCOMPARE(again.atRatio(1, 0.25F), kBluePixel);
    QCOMPARE(again.atRatio(1, 0.0F), kRedPixel);
}

void TestForm2::curvesFollowTheirHistories()
{
    Module1 shared;
    // Far apart so that no two curves meet where they are checked.
    setCurve(shared.aikoritu, shared.aiko, {0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F, 0.9F});
    setCurve(shared.katiritu, shared.abc1kati, {0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F,
                                                0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F, 0.6F});
    QList<float> falling;
    for (int i = 1; i <= 300; ++i)
        falling << 0.5F - static_cast<float>(i) / 1000.0F;
    setCurve(shared.makeritu, shared.abc1make, falling);
    Graph g(shared);

    QCOMPARE(g.atRatio(5, 0.9F), kGreenPixel);
    QCOMPARE(g.atRatio(10, 0.9F), kGreenPixel);
    QCOMPARE(g.atRatio(14, 0.9F), kWhitePixel); // ends at its count
    QCOMPARE(g.atRatio(20, 0.6F), kBluePixel);
    QCOMPARE(g.atRatio(40, 0.6F), kWhitePixel);
    QCOMPARE(g.atRatio(150, falling[149]), kRedPixel);
    QCOMPARE(g.atRatio(300, falling[299]), kRedPixel);
    QCOMPARE(g.atRatio(330, falling[299]), kWhitePixel);
}

void TestForm2::shortCurves_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("segmentDrawn");
    QTest::newRow("count 1: only the pixel") << 1 << false;
    QTest::newRow("count 2: the pixel and one segment") << 2 << true;
}

void TestForm2::shortCurves()
{
    QFETCH(int, count);
    QFETCH(bool, segmentDrawn);
    Module1 shared;
    shared.aikoritu[1] = 0.2F;
    shared.aikoritu[2] = 0.9F;
    shared.aiko = static_cast<std::int16_t>(count);
    Graph g(shared);
    QCOMPARE(g.atRatio(1, 0.2F), kGreenPixel);
    QCOMPARE(g.atRatio(2, 0.9F) == kGreenPixel, segmentDrawn);
    QCOMPARE(g.atRatio(2, 0.5F) == kGreenPixel, segmentDrawn); // on the way up
}

void TestForm2::endedCurvesStopOneShort()
{
    Module1 shared;
    for (std::size_t i = 1; i <= 998; ++i)
        shared.makeritu.at(i) = 0.1F;
    shared.makeritu[999] = 0.9F;
    shared.abc1make = 999;

    Graph running(shared);
    QCOMPARE(running.atRatio(999, 0.9F), kRedPixel);

    shared.owari = 1;
    Graph ended(shared);
    QCOMPARE(ended.atRatio(998, 0.1F), kRedPixel);
    QCOMPARE(ended.atRatio(999, 0.9F), kWhitePixel);
    QCOMPARE(ended.atRatio(999, 0.5F), kWhitePixel);
}

void TestForm2::activationExtendsWithoutClearing()
{
    Module1 shared;
    setCurve(shared.katiritu, shared.abc1kati, QList<float>(40, 0.45F));
    Graph g(shared);
    const QImage first = g.picture()->image();
    g.reactivate();
    QCOMPARE(g.picture()->image(), first); // the same picture drawn over itself

    // A reset and new rounds: the old curve stays under the new one.
    setCurve(shared.katiritu, shared.abc1kati, QList<float>(30, 0.3F));
    g.reactivate();
    QCOMPARE(g.atRatio(40, 0.45F), kBluePixel);
    QCOMPARE(g.atRatio(30, 0.3F), kBluePixel);
}

void TestForm2::closeDestroysAndReopenStartsEmpty()
{
    Module1 shared;
    setCurve(shared.aikoritu, shared.aiko, {0.7F, 0.7F, 0.7F, 0.7F, 0.7F, 0.7F, 0.7F, 0.7F});
    auto g = std::make_unique<Graph>(shared);
    QTest::mouseClick(g->form->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(g->form.isNull());

    shared.aiko = 1;
    g = std::make_unique<Graph>(shared);
    QCOMPARE(g->atRatio(1, 0.7F), kGreenPixel);
    QCOMPARE(g->atRatio(6, 0.7F), kWhitePixel);

    g->form->close(); // the close box does the same
    QTRY_VERIFY(g->form.isNull());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
