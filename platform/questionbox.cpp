// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/questionbox.h"

#include "platform/qtconvert.h"

#include <QMessageBox>
#include <QPushButton>

namespace nuperako {

int QuestionBox::ask(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    // A question may hold a student's seat name: its characters, never markup.
    box.setTextFormat(Qt::PlainText);
    // With the keyboard's mnemonics, Alt+Y and Alt+N.
    box.button(QMessageBox::Yes)->setText(u'&' + toQString(kAnswerYesCaption));
    box.button(QMessageBox::No)->setText(u'&' + toQString(kAnswerNoCaption));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? kAnswerYes : kAnswerNo;
}

} // namespace nuperako
