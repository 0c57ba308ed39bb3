// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "form.h"

class QPushButton;

namespace nuperako {

class Line;
class PictureBox;

// The help: the probability problem and how to operate the program, printed
// afresh each time the window becomes active.
class Form4 : public Form {
    Q_OBJECT

public:
    // mainWindow is shown and activated again when the close button is used.
    explicit Form4(Form &mainWindow, QWidget *parent = nullptr);

    void command1Click(); // "閉じる"

    // Clears the picture and prints the help text: what each activation does.
    void printHelp();

protected:
    void activate() override;

private:
    Form &m_mainWindow;
    QPushButton *Command1 = nullptr;
    Line *Line1 = nullptr;
    PictureBox *Picture1 = nullptr;
};

} // namespace nuperako
