// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/questionbox.h"

#include <QString>

namespace nuperako::test {

// Answers the exit question without showing it, and remembers what was asked.
class ScriptedAnswer final : public QuestionBox {
public:
    explicit ScriptedAnswer(int answer) : m_answer(answer) {}
    int ask(QWidget *, const QString &text, const QString &title) override
    {
        ++asked;
        lastText = text;
        lastTitle = title;
        return m_answer;
    }

    int asked = 0;
    QString lastText;
    QString lastTitle;

private:
    int m_answer;
};

} // namespace nuperako::test
