// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "graphwindow/form2.h"

#include "graphwindow/graphdrawing.h"
#include "platform/commandbutton.h"
#include "platform/japanesefont.h"
#include "platform/line.h"
#include "platform/picturebox.h"

#include <QPushButton>

namespace nuperako {

Form2::Form2(const Module1 &shared, QWidget *parent) : Form(parent), m_shared(shared)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" グラフ"));
    setClientGeometry(2910, 2235, 9750, 5670);

    Picture1 = new PictureBox(QStringLiteral("Picture1"), QRect(120, 600, 9495, 4815), this);
    Picture1->setScale(kGraphScaleWidth, kGraphScaleHeight);
    Picture1->setFont(japaneseFont(8.25));
    auto *close =
        new CommandButton(QStringLiteral("Command1"), QStringLiteral("閉じる"), QRect(8760, 0, 975, 375), this);
    new Line(QStringLiteral("Line1"), 0, 9720, 360, this);
    setTabOrder(Picture1, close);

    connect(close, &QPushButton::clicked, this, &Form2::close);
}

void Form2::activate()
{
    drawGraph();
}

void Form2::drawGraph()
{
    nuperako::drawGraph(m_shared, *Picture1);
    Picture1->setAccessibleName(QString::fromStdString(graphSummary(m_shared)));
}

} // namespace nuperako
