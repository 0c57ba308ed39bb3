// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

class QString;
class QWidget;

namespace nuperako {

// A modal question with Yes and No, Yes the default, no icon.
class QuestionBox {
public:
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    virtual ~QuestionBox() = default;
    // Waits for the answer: kYes or kNo.
    virtual int ask(QWidget *parent, const QString &text, const QString &title);
};

} // namespace nuperako
