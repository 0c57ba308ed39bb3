// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "form2.h"

#include "line.h"
#include "module1.h"
#include "palette.h"
#include "picturebox.h"
#include "tallytext.h"
#include "twips.h"

#include <QPushButton>

namespace nuperako {

namespace {

// The picture's user coordinates: count i at x = 100 + i, ratio r at y = 110 - 100 r.
constexpr float kScaleWidth = 1100;
constexpr float kScaleHeight = 120;

} // namespace

Form2::Form2(const Module1 &shared, QWidget *parent) : Form(parent), m_shared(shared)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" グラフ"));
    setClientGeometry(2910, 2235, 9750, 5670);

    Picture1 = new PictureBox(QStringLiteral("Picture1"), QRect(120, 600, 9495, 4815), this);
    Picture1->setScale(kScaleWidth, kScaleHeight);
    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(8760, 0, 975, 375));
    Line1 = new Line(QStringLiteral("Line1"), 0, 9720, 360, this);
    setTabOrder(Picture1, Command1);

    connect(Command1, &QPushButton::clicked, this, &Form2::close);
}

void Form2::activate()
{
    drawGraph();
}

void Form2::drawGraph()
{
    drawFrame();
    drawCurves();
    Picture1->setAccessibleName(summary());
}

QString Form2::summary() const
{
    const int rounds = m_shared.aiko + m_shared.abc1kati + m_shared.abc1make;
    const auto ratio = [rounds](int count) {
        return QString::fromStdString(ratioText(rounds > 0 ? static_cast<double>(count) / rounds : 0.0));
    };
    return QStringLiteral("割合のグラフ、%1回: あいこ %2、一人勝ち %3、一人負け %4（理論値 1/3 = 0.333）")
        .arg(rounds)
        .arg(ratio(m_shared.aiko), ratio(m_shared.abc1kati), ratio(m_shared.abc1make));
}

void Form2::drawFrame()
{
    const QColor black = paletteColor(0);
    PictureBox &p = *Picture1;

    p.line(100, 5, 100, 110, black);
    p.line(100, 110, 1100, 110, black);
    for (int y = 10; y <= 100; y += 10)
        p.line(95, static_cast<float>(y), 105, static_cast<float>(y), black);
    for (int x = 100; x <= 1080; x += 20) // the one-third line, dashed
        p.line(static_cast<float>(x), 77, static_cast<float>(x + 10), 77, black);

    const auto text = [&p](float x, float y, const QString &s) {
        p.setCurrentPosition(x, y);
        p.print(s);
    };
    text(60, 110, QStringLiteral("0.00"));
    text(60, 75, QStringLiteral("0.33"));
    text(60, 8, QStringLiteral("1.00"));
    for (int x = 100; x <= 1000; x += 100)
        p.line(static_cast<float>(x), 109, static_cast<float>(x), 111, black);
    for (int count = 100; count <= 900; count += 100)
        text(static_cast<float>(count + 80), 112, QString::number(count));

    text(130, 10, QStringLiteral("(縦軸は割合)"));
    p.setForeColor(paletteColor(kDrawColor));
    text(130, 20, QStringLiteral("(緑色 → あ  い  こ)"));
    p.setForeColor(paletteColor(kWinColor));
    text(130, 25, QStringLiteral("(青色 → 一人勝ち)"));
    p.setForeColor(paletteColor(kLoseColor));
    text(130, 30, QStringLiteral("(赤色 → 一人負け)"));
    p.setForeColor(black);
    text(950, 100, QStringLiteral("(横軸は回数)"));
}

void Form2::drawCurves()
{
    struct Curve {
        const RatioHistory &history;
        std::int16_t count;
        int color;
    };
    const Curve curves[] = {
        {m_shared.aikoritu, m_shared.aiko, kDrawColor},
        {m_shared.katiritu, m_shared.abc1kati, kWinColor},
        {m_shared.makeritu, m_shared.abc1make, kLoseColor},
    };
    // After the end a curve stops one element short of its count.
    const int shortBy = m_shared.owari == 1 ? 1 : 0;
    for (const Curve &curve : curves) {
        const QColor color = paletteColor(curve.color);
        const auto y = [&curve](int i) { return 110.0F - curve.history.at(static_cast<std::size_t>(i)) * 100.0F; };
        Picture1->pset(101, y(1), color);
        if (curve.count < 2)
            continue;
        for (int i = 2; i <= curve.count - shortBy; ++i)
            Picture1->lineTo(static_cast<float>(100 + i), y(i), color);
    }
}

} // namespace nuperako
