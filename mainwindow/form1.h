// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "mainwindow/boardmodel.h"
#include "platform/form.h"

#include <QPointer>

#include <array>
#include <memory>

class QPushButton;

namespace nuperako {

class Form2;
class Form4;
class ImageBox;
class Label;
class QuestionBox;
class SoundControl;
class Timer;

// The experiment board on screen: builds its elements, passes every click,
// tick and activation to the board's model, then shows the model's state and
// carries out its requests.
class Form1 : public Form {
    Q_OBJECT

public:
    Form1(Module1 &shared, RandomSource &random, Clock &clock, QWidget *parent = nullptr);
    ~Form1() override;

    // Replaces the exit question, for a caller that answers it without a person.
    void setQuestionBox(std::unique_ptr<QuestionBox> questionBox);

    [[nodiscard]] BoardModel &model() { return m_model; }

protected:
    void load() override;
    void activate() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons();
    void buildPlayers();
    void buildTally();
    void buildTimers();

    // After every event: shows the model's state, then carries out its requests.
    void afterEvent();
    void showState();
    void carryOut(const Request &request);

    Module1 &m_shared;
    BoardModel m_model;

    std::array<QPushButton *, kButtonCount> m_buttons{};
    std::array<Timer *, kTimerCount> m_timers{};
    std::array<unsigned, kTimerCount> m_timerStarts{};
    std::array<std::array<ImageBox *, 3>, 3> m_pictures{}; // by player, then rock, scissors, paper
    std::array<Label *, 3> m_results{};
    std::array<Label *, kCountCount> m_countCells{};
    std::array<Label *, kCountCount> m_ratioCells{};
    SoundControl *MMControl1 = nullptr;

    // The secondary windows while they are open; each deletes itself when closed.
    QPointer<Form2> m_graph;
    QPointer<Form4> m_help;
    std::unique_ptr<QuestionBox> m_questionBox;
};

} // namespace nuperako
