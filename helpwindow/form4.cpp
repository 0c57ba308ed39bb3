// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "helpwindow/form4.h"

#include "helpwindow/helplayout.h"
#include "helpwindow/helptext.h"
#include "platform/commandbutton.h"
#include "platform/japanesefont.h"
#include "platform/line.h"
#include "platform/picturebox.h"
#include "platform/qtconvert.h"

#include <QPushButton>

namespace nuperako {

Form4::Form4(Form &mainWindow, QWidget *parent) : Form(parent), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Form4"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(kHelpWindow.caption));
    const TwipsRect &client = kHelpWindow.clientArea;
    setClientGeometry(client.left, client.top, client.width, client.height);

    auto *close = new CommandButton(QStringLiteral("Command1"), QString::fromUtf8(kHelpWindow.closeCaption),
                                    toQRect(kHelpWindow.close), this);
    Picture1 = new PictureBox(QStringLiteral("Picture1"), toQRect(kHelpWindow.picture), this);
    Picture1->setFont(japaneseFont(kHelpWindow.picturePointSize));
    Picture1->setAccessibleName(QString::fromUtf8(kHelpPictureName));
    QStringList lines;
    for (const std::string &line : helpText())
        lines << QString::fromStdString(line);
    Picture1->setAccessibleDescription(lines.join(u'\n').trimmed());
    const TwipsRect &line = kHelpWindow.line;
    new Line(QStringLiteral("Line1"), line.left, line.left + line.width, line.top, this);
    setTabOrder(close, Picture1);
    close->setFocus();

    connect(close, &QPushButton::clicked, this, &Form4::command1Click);
}

void Form4::activate()
{
    printHelp();
}

void Form4::printHelp()
{
    Picture1->clear();
    nuperako::printHelp(*Picture1);
}

void Form4::command1Click()
{
    close();
    m_mainWindow.showModeless();
}

} // namespace nuperako
