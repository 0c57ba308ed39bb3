// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "mainwindow/boardmodel.h"

#include "core/module1.h"
#include "core/tallytext.h"

#include <utility>

namespace nuperako {

namespace {

struct Controls {
    std::array<bool, kButtonCount> buttons; // Command1 .. Command8
    std::array<bool, kTimerCount> timers;   // Timer1 .. Timer4
};

// Controls written as the enabled buttons' and the running timers' numbers, '.' for the others.
constexpr Controls controls(std::string_view buttons, std::string_view timers)
{
    Controls c{};
    for (std::size_t b = 0; b < kButtonCount; ++b)
        c.buttons[b] = buttons[b] != '.';
    for (std::size_t t = 0; t < kTimerCount; ++t)
        c.timers[t] = timers[t] != '.';
    return c;
}

// The board's four states, by State.
constexpr std::array<Controls, 4> kStates{
    controls("1.3456.8", "...."), // waiting
    controls(".2......", "123."), // manual shuffle
    controls("......7.", "1234"), // automatic play
    controls("...456.8", "...."), // ended
};

// The hands on screen at start-up, after a reset and on activation: A rock, B scissors, C paper.
constexpr std::array<Hand, 3> kInitialHands{Hand::Guu, Hand::Pii, Hand::Paa};

constexpr ResultCell resultCell(Result result)
{
    switch (result) {
    case Result::Aiko: return {"あいこ", kDrawColor};
    case Result::Kati: return {"勝ち", kWinColor};
    case Result::Make: return {"負け", kLoseColor};
    }
    return {};
}

} // namespace

BoardModel::BoardModel(Module1 &shared, RandomSource &random, Clock &clock)
    : m_shared(shared), m_experiment(shared, m_vars, random, clock)
{
    enter(State::Waiting);
    showInitialHands();
}

void BoardModel::load()
{
    m_experiment.initialise();
    for (ResultCell &cell : m_results)
        cell.caption = {};
}

void BoardModel::activate()
{
    // During a manual shuffle "ポ　ン" is the only way to stop the hands: leave it enabled.
    if (m_timers[index(BoardTimer::Timer1)] && m_vars.jidou != 1)
        return;
    m_buttons[index(Button::Command2)] = false;
    m_buttons[index(Button::Command7)] = false;
    showInitialHands();
}

void BoardModel::command1Click()
{
    // Automatic play keeps its own timer running and only "自動停止" enabled.
    enter(m_vars.jidou == 1 ? State::Automatic : State::ManualShuffle);
}

void BoardModel::command2Click()
{
    setButtons(m_shared.owari == 1 ? State::Ended : State::Waiting);
    m_buttons[index(Button::Command7)] = m_vars.jidou == 1;
    for (BoardTimer shuffle : {BoardTimer::Timer1, BoardTimer::Timer2, BoardTimer::Timer3})
        setRunning(shuffle, false);

    const Round round = m_experiment.playRound();
    showRound(round);
    if (round.endedNow)
        enter(State::Ended);
}

void BoardModel::command3Click()
{
    setRunning(BoardTimer::Timer4, true);
    m_vars.jidou = 1;
}

void BoardModel::command4Click()
{
    soundCue("mypinpon.wav");
    m_experiment.initialise();
    for (ResultCell &cell : m_results)
        cell.caption = {};
    // Waiting stops the automatic timer too: in the half second after "自動開始"
    // this button is still enabled, and the timer would go on playing rounds.
    enter(State::Waiting);
    showInitialHands();
    clearTally();
}

void BoardModel::command5Click()
{
    soundCue("mypinpon.wav");
    m_requests.push_back({Request::Kind::OpenHelp, {}});
}

void BoardModel::command6Click()
{
    soundCue("endpinpon.wav");
    m_requests.push_back({Request::Kind::AskToExit, {}});
}

void BoardModel::exitAnswered(int kotae)
{
    m_vars.kotae = kotae;
    if (m_vars.kotae == kAnswerYes)
        m_requests.push_back({Request::Kind::EndProgram, {}});
}

void BoardModel::command7Click()
{
    enter(State::Waiting);
    m_vars.jidou = 0;
}

void BoardModel::command8Click()
{
    m_requests.push_back({Request::Kind::OpenGraph, {}});
}

void BoardModel::timer1Timer()
{
    shuffleStep(Player::A, m_vars.hyouji1);
}

void BoardModel::timer2Timer()
{
    shuffleStep(Player::B, m_vars.hyouji2);
}

void BoardModel::timer3Timer()
{
    shuffleStep(Player::C, m_vars.hyouji3);
}

void BoardModel::timer4Timer()
{
    command2Click();
    command1Click();
}

void BoardModel::click(Button b)
{
    static constexpr std::array<void (BoardModel::*)(), kButtonCount> kClicks{
        &BoardModel::command1Click, &BoardModel::command2Click, &BoardModel::command3Click, &BoardModel::command4Click,
        &BoardModel::command5Click, &BoardModel::command6Click, &BoardModel::command7Click, &BoardModel::command8Click};
    if (isEnabled(b))
        (this->*kClicks[index(b)])();
}

void BoardModel::tick(BoardTimer t)
{
    static constexpr std::array<void (BoardModel::*)(), kTimerCount> kTicks{
        &BoardModel::timer1Timer, &BoardModel::timer2Timer, &BoardModel::timer3Timer, &BoardModel::timer4Timer};
    if (isRunning(t))
        (this->*kTicks[index(t)])();
}

void BoardModel::frameClosed()
{
    for (std::size_t t = 0; t < kTimerCount; ++t)
        setRunning(static_cast<BoardTimer>(t), false);
    m_requests.push_back({Request::Kind::EndProgram, {}});
}

std::vector<Request> BoardModel::takeRequests()
{
    return std::exchange(m_requests, {});
}

void BoardModel::enter(State state)
{
    setButtons(state);
    const Controls &controls = kStates[static_cast<std::size_t>(state)];
    for (std::size_t t = 0; t < kTimerCount; ++t)
        setRunning(static_cast<BoardTimer>(t), controls.timers[t]);
}

void BoardModel::setRunning(BoardTimer t, bool running)
{
    // Starting a running timer changes nothing; it keeps its beat.
    if (running && !m_timers[index(t)])
        ++m_starts[index(t)];
    m_timers[index(t)] = running;
}

void BoardModel::setButtons(State state)
{
    m_buttons = kStates[static_cast<std::size_t>(state)].buttons;
}

void BoardModel::shuffleStep(Player p, std::int16_t &hyouji)
{
    if (hyouji < code(Hand::Guu) || hyouji > code(Hand::Paa))
        return;
    m_shown[index(p)] = static_cast<Hand>(hyouji);
    hyouji = static_cast<std::int16_t>(hyouji % 3 + 1);
}

void BoardModel::showInitialHands()
{
    m_shown = kInitialHands;
}

void BoardModel::showRound(const Round &round)
{
    m_shown = round.hands;
    for (Player p : kPlayers)
        m_results[index(p)] = resultCell(round.judgement.results[index(p)]);
    const Counts tally = m_experiment.counts();
    const int rounds = kaisuu(m_shared);
    for (std::size_t c = 0; c < kCountCount; ++c) {
        m_countTexts[c] = nuperako::countText(tally.values[c]);
        m_ratioTexts[c] = nuperako::ratioText(ratio(tally.values[c], rounds));
    }
}

void BoardModel::clearTally()
{
    for (std::string &text : m_countTexts)
        text.clear();
    for (std::string &text : m_ratioTexts)
        text.clear();
}

void BoardModel::soundCue(std::string_view file)
{
    m_requests.push_back({Request::Kind::PlayCue, file});
}

} // namespace nuperako
