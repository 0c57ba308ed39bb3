// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "experiment.h"
#include "form.h"
#include "form1state.h"

#include <QPointer>

#include <array>
#include <memory>

class QPushButton;

namespace nuperako {

class Clock;
class Form2;
class Form4;
class ImageBox;
class Label;
class Line;
class QuestionBox;
class RandomSource;
class SoundControl;
class Timer;
struct Module1;

// The experiment board: the players' hands and results, the tally table and
// the buttons that play rounds by hand or automatically.
class Form1 : public Form {
    Q_OBJECT

public:
    Form1(Module1 &shared, RandomSource &random, Clock &clock, QWidget *parent = nullptr);
    ~Form1() override;

    // Replaces the exit question, for a caller that answers it without a person.
    void setQuestionBox(std::unique_ptr<QuestionBox> questionBox);

    // The board's own variables, for whoever drives it from outside the buttons.
    [[nodiscard]] Form1State &state() { return m_vars; }

    // Handlers, one per event; the automatic tick runs the first two as plain calls.
    void command1Click(); // "ヌペラコ": start the shuffle
    void command2Click(); // "ポ　ン": resolve a round and show it
    void command3Click(); // "自動開始"
    void command4Click(); // "初期化": reset
    void command5Click(); // "HELP"
    void command6Click(); // "終了": exit after a Yes
    void command7Click(); // "自動停止"
    void command8Click(); // "グラフ表示"
    void shuffleTick(Player player);
    void timer4Tick();

protected:
    void load() override;
    void activate() override;
    // Closing the board ends the program: the graph and help windows go with it.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTopStrip();
    void buildPlayers();
    void buildTally();
    void buildActionButtons();
    void buildTimers();

    void showHand(Player player, int code);
    void showInitialHands();
    void showJudgement(const Judgement &judgement);
    void showTallies();
    void enterEndedState();
    void soundCue(const QString &fileName);

    Module1 &m_shared;
    Form1State m_vars;
    Experiment m_experiment;

    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command8 = nullptr;
    Line *Line1 = nullptr;
    SoundControl *MMControl1 = nullptr;

    ImageBox *guu1 = nullptr, *pii1 = nullptr, *paa1 = nullptr;
    ImageBox *guu2 = nullptr, *pii2 = nullptr, *paa2 = nullptr;
    ImageBox *guu3 = nullptr, *pii3 = nullptr, *paa3 = nullptr;
    Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    Label *hanntei1 = nullptr, *hanntei2 = nullptr, *hanntei3 = nullptr;

    Label *Label4 = nullptr, *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
    Label *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;
    Label *Label13 = nullptr, *Label14 = nullptr;
    Label *aikolabel = nullptr, *a1katilabel = nullptr, *b1katilabel = nullptr, *c1katilabel = nullptr;
    Label *abc1katiLabel = nullptr, *a1makelabel = nullptr, *b1makelabel = nullptr, *c1makelabel = nullptr;
    Label *abc1makelabel = nullptr;
    Label *aikow = nullptr, *a1katiw = nullptr, *b1katiw = nullptr, *c1katiw = nullptr, *abc1katiw = nullptr;
    Label *a1makew = nullptr, *b1makew = nullptr, *c1makew = nullptr, *abc1makew = nullptr;

    Timer *Timer1 = nullptr;
    Timer *Timer2 = nullptr;
    Timer *Timer3 = nullptr;
    Timer *Timer4 = nullptr;

    // The same elements, by player: pictures rock, scissors, paper.
    std::array<std::array<ImageBox *, 3>, 3> m_hands{};
    std::array<Timer *, 3> m_shuffleTimers{};
    std::array<Label *, 3> m_results{};
    // Count and ratio cells in the order they are written.
    std::array<Label *, 9> m_countCells{};
    std::array<Label *, 9> m_ratioCells{};

    // The secondary windows while they are open; each deletes itself when closed.
    QPointer<Form2> m_graph;
    QPointer<Form4> m_help;
    std::unique_ptr<QuestionBox> m_questionBox;
};

} // namespace nuperako
