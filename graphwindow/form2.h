// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/form.h"

namespace nuperako {

class PictureBox;
struct Module1;

// The ratio graph window: the whole graph drawn over the old picture each time
// the window becomes active. It reads the experiment and changes nothing.
class Form2 : public Form {
    Q_OBJECT

public:
    explicit Form2(const Module1 &shared, QWidget *parent = nullptr);

    // The whole graph over the picture as it stands: what each activation does.
    void drawGraph();

protected:
    void activate() override;

private:
    const Module1 &m_shared;
    PictureBox *Picture1 = nullptr;
};

} // namespace nuperako
