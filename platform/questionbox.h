// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/boardvariables.h"

class QString;
class QWidget;

namespace nuperako {

// A modal question with Yes and No, Yes the default, no icon.
class QuestionBox {
public:
    virtual ~QuestionBox() = default;
    // Waits for the answer: kAnswerYes or kAnswerNo.
    virtual int ask(QWidget *parent, const QString &text, const QString &title);
};

} // namespace nuperako
