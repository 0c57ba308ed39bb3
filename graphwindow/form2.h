// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "form.h"

class QPushButton;

namespace nuperako {

class Line;
class PictureBox;
struct Module1;

// The ratio graph: draw, win-alone and lose-alone ratios against their counts,
// beside the one-third line. Drawn completely, over the old picture, each time
// the window becomes active; it reads the experiment and changes nothing.
class Form2 : public Form {
    Q_OBJECT

public:
    explicit Form2(const Module1 &shared, QWidget *parent = nullptr);

    // The whole graph over the picture as it stands: what each activation does.
    void drawGraph();

protected:
    void activate() override;

private:
    void drawFrame();
    void drawCurves();
    // What a screen reader says of the picture: the three ratios against one third.
    [[nodiscard]] QString summary() const;

    const Module1 &m_shared;
    QPushButton *Command1 = nullptr;
    Line *Line1 = nullptr;
    PictureBox *Picture1 = nullptr;
};

} // namespace nuperako
