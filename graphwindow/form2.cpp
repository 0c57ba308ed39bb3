// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "graphwindow/form2.h"

#include "graphwindow/graphdrawing.h"
#include "graphwindow/graphlayout.h"
#include "platform/commandbutton.h"
#include "platform/japanesefont.h"
#include "platform/line.h"
#include "platform/picturebox.h"
#include "platform/qtconvert.h"

#include <QPushButton>

namespace nuperako {

Form2::Form2(const Module1 &shared, QWidget *parent) : Form(parent), m_shared(shared)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(kGraphWindow.caption));
    const TwipsRect &client = kGraphWindow.clientArea;
    setClientGeometry(client.left, client.top, client.width, client.height);

    Picture1 = new PictureBox(QStringLiteral("Picture1"), toQRect(kGraphWindow.picture), this);
    Picture1->setScale(kGraphScaleWidth, kGraphScaleHeight);
    Picture1->setFont(japaneseFont(kGraphWindow.picturePointSize));
    auto *close = new CommandButton(QStringLiteral("Command1"), QString::fromUtf8(kGraphWindow.closeCaption),
                                    toQRect(kGraphWindow.close), this);
    const TwipsRect &line = kGraphWindow.line;
    new Line(QStringLiteral("Line1"), line.left, line.left + line.width, line.top, this);
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
