// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"

namespace nuperako {

class PictureBox;

// The help: the probability problem and how to operate the program, printed
// afresh each time the window becomes active.
class Form4 : public Form {
    Q_OBJECT

public:
    // mainWindow is shown and activated again when the close button is used.
    explicit Form4(Form &mainWindow, QWidget *parent = nullptr);

    // Clears the picture and prints the help text: what each activation does.
    void printHelp();

protected:
    void activate() override;

private:
    void command1Click(); // "閉じる"

    Form &m_mainWindow;
    PictureBox *Picture1 = nullptr;
};

} // namespace nuperako
