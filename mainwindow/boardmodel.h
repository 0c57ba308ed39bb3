// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/boardvariables.h"
#include "core/counts.h"
#include "core/experiment.h"
#include "core/palette.h"

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuperako {

class Clock;
class RandomSource;
struct Module1;

// The board's buttons and timers, by their element names.
enum class Button { Command1, Command2, Command3, Command4, Command5, Command6, Command7, Command8 };
enum class BoardTimer { Timer1, Timer2, Timer3, Timer4 };
inline constexpr std::size_t kButtonCount = 8;
inline constexpr std::size_t kTimerCount = 4;

// The shuffle steps every 50 ms, automatic play every half second.
inline constexpr std::array<std::chrono::milliseconds, kTimerCount> kTimerIntervals{
    std::chrono::milliseconds(50), std::chrono::milliseconds(50), std::chrono::milliseconds(50),
    std::chrono::milliseconds(500)};

constexpr std::size_t index(Button b)
{
    return static_cast<std::size_t>(b);
}
constexpr std::size_t index(BoardTimer t)
{
    return static_cast<std::size_t>(t);
}

// Something only the window can do, asked for by a handler in this order.
struct Request {
    enum class Kind { PlayCue, OpenGraph, OpenHelp, AskToExit, EndProgram };
    Kind kind;
    std::string_view soundFile; // for PlayCue: "mypinpon.wav" or "endpinpon.wav"
    friend bool operator==(const Request &, const Request &) = default;
};

inline constexpr std::string_view kExitQuestion = "終了していいですか？";
inline constexpr std::string_view kExitTitle = "ぬぺらこ";

// A result cell under a player's picture.
struct ResultCell {
    std::string_view caption; // "", "あいこ", "勝ち" or "負け"
    std::optional<Rgb> color; // none: the default text colour
};

// Everything the experiment board shows and does, without a window: a view
// passes each click, tick, activation and answer in, then shows the state
// and carries out the requests.
class BoardModel {
public:
    BoardModel(Module1 &shared, RandomSource &random, Clock &clock);

    // Events, one handler each.
    void load();
    void activate();
    void command1Click(); // "ヌペラコ": start the shuffle
    void command2Click(); // "ポ　ン": resolve a round
    void command3Click(); // "自動開始"
    void command4Click(); // "初期化": reset
    void command5Click(); // "HELP"
    void command6Click(); // "終了": ask, then exitAnswered
    void command7Click(); // "自動停止"
    void command8Click(); // "グラフ表示"
    void timer1Timer();   // A's shuffle step
    void timer2Timer();
    void timer3Timer();
    void timer4Timer(); // one automatic round
    void exitAnswered(int kotae);

    // The button's click handler, if the button is enabled: a disabled button raises nothing.
    void click(Button b);
    // The timer's tick handler, if the timer runs: a stopped timer delivers no late tick.
    void tick(BoardTimer t);
    // The board closed through its frame: the program ends with it, without a question.
    void frameClosed();

    // What the board shows.
    [[nodiscard]] bool isEnabled(Button b) const { return m_buttons[index(b)]; }
    [[nodiscard]] bool isRunning(BoardTimer t) const { return m_timers[index(t)]; }
    // How often the timer was started: a view restarts its timer whenever this moves on,
    // since a started timer ticks one interval after its start.
    [[nodiscard]] unsigned startsOf(BoardTimer t) const { return m_starts[index(t)]; }
    [[nodiscard]] Hand shownHand(Player p) const { return m_shown[index(p)]; }
    [[nodiscard]] const ResultCell &result(Player p) const { return m_results[index(p)]; }
    [[nodiscard]] const std::string &countText(Count c) const { return m_countTexts[index(c)]; }
    [[nodiscard]] const std::string &ratioText(Count c) const { return m_ratioTexts[index(c)]; }
    // The nine counts themselves, as the class's pool takes them.
    [[nodiscard]] Counts counts() const { return m_experiment.counts(); }

    [[nodiscard]] const BoardVariables &variables() const { return m_vars; }
    // For a driver that sets the board up, as a test does.
    BoardVariables &variables() { return m_vars; }

    // The requests since the last call, oldest first.
    std::vector<Request> takeRequests();

private:
    enum class State { Waiting, ManualShuffle, Automatic, Ended };
    void enter(State state);
    void setButtons(State state);
    void setRunning(BoardTimer t, bool running);
    void shuffleStep(Player p, std::int16_t &hyouji);
    void showInitialHands();
    void showRound(const Round &round);
    void clearTally();
    void soundCue(std::string_view file);

    Module1 &m_shared;
    BoardVariables m_vars;
    Experiment m_experiment;

    std::array<bool, kButtonCount> m_buttons{};
    std::array<bool, kTimerCount> m_timers{};
    std::array<unsigned, kTimerCount> m_starts{};
    std::array<Hand, 3> m_shown{};
    std::array<ResultCell, 3> m_results{};
    std::array<std::string, kCountCount> m_countTexts;
    std::array<std::string, kCountCount> m_ratioTexts;
    std::vector<Request> m_requests;
};

} // namespace nuperako
