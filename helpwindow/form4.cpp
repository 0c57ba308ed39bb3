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

using namespace helplayout;

Form4::Form4(Form &mainWindow, QWidget *parent) : Form(parent), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Form4"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(kCaption));
    setClientGeometry(kClientArea.left, kClientArea.top, kClientArea.width, kClientArea.height);

    auto *close =
        new CommandButton(QStringLiteral("Command1"), QString::fromUtf8(kCloseCaption), toQRect(kClose), this);
    Picture1 = new PictureBox(QStringLiteral("Picture1"), toQRect(kPicture), this);
    Picture1->setFont(japaneseFont(kPicturePointSize));
    Picture1->setAccessibleName(QString::fromUtf8(kPictureName));
    QStringList lines;
    for (const std::string &line : helpText())
        lines << QString::fromStdString(line);
    Picture1->setAccessibleDescription(lines.join(u'\n').trimmed());
    new Line(QStringLiteral("Line1"), kLine.left, kLine.left + kLine.width, kLine.top, this);
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
    for (const std::string &line : helpText())
        Picture1->print(line);
}

void Form4::command1Click()
{
    close();
    m_mainWindow.showModeless();
}

} // namespace nuperako
