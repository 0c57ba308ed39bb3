// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "form4.h"

#include "helptext.h"
#include "japanesefont.h"
#include "line.h"
#include "picturebox.h"
#include "twips.h"

#include <QPushButton>

namespace nuperako {

Form4::Form4(Form &mainWindow, QWidget *parent) : Form(parent), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Form4"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" ぬぺらこ＿ヘルプ（設問と操作方法）"));
    setClientGeometry(3480, 2235, 8535, 7470);

    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(7560, 0, 855, 375));
    Picture1 = new PictureBox(QStringLiteral("Picture1"), QRect(120, 480, 8295, 6855), this);
    Picture1->setFont(japaneseFont(11.25));
    Picture1->setAccessibleName(QStringLiteral("ヘルプ"));
    Picture1->setAccessibleDescription(helpText().join(u'\n').trimmed());
    Line1 = new Line(QStringLiteral("Line1"), 120, 8400, 360, this);
    setTabOrder(Command1, Picture1);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form4::command1Click);
}

void Form4::activate()
{
    printHelp();
}

void Form4::printHelp()
{
    Picture1->clear();
    for (const QString &line : helpText())
        Picture1->print(line);
}

void Form4::command1Click()
{
    close();
    m_mainWindow.showModeless();
}

} // namespace nuperako
