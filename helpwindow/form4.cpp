// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "helpwindow/form4.h"

#include "helpwindow/helptext.h"
#include "platform/commandbutton.h"
#include "platform/japanesefont.h"
#include "platform/line.h"
#include "platform/picturebox.h"

#include <QPushButton>

namespace nuperako {

Form4::Form4(Form &mainWindow, QWidget *parent) : Form(parent), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Form4"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" ぬぺらこ＿ヘルプ（設問と操作方法）"));
    setClientGeometry(3480, 2235, 8535, 7470);

    auto *close =
        new CommandButton(QStringLiteral("Command1"), QStringLiteral("閉じる"), QRect(7560, 0, 855, 375), this);
    Picture1 = new PictureBox(QStringLiteral("Picture1"), QRect(120, 480, 8295, 6855), this);
    Picture1->setFont(japaneseFont(11.25));
    Picture1->setAccessibleName(QStringLiteral("ヘルプ"));
    QStringList lines;
    for (const std::string &line : helpText())
        lines << QString::fromStdString(line);
    Picture1->setAccessibleDescription(lines.join(u'\n').trimmed());
    new Line(QStringLiteral("Line1"), 120, 8400, 360, this);
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
