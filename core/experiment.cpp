// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "experiment.h"

#include "checkedint.h"
#include "form1state.h"
#include "module1.h"

#include <array>
#include <string_view>

namespace nuperako {

namespace {

constexpr std::int16_t kEndCount = 998; // a total above this ends the experiment

double ratioOf(std::int16_t count, std::int16_t rounds)
{
    return static_cast<double>(count) / static_cast<double>(rounds);
}

struct PlayerVars {
    std::int16_t Form1State::*ransuu;
    std::string_view Form1State::*te;
};

constexpr std::array<PlayerVars, 3> kPlayerVars{{
    {&Form1State::ransuu1, &Form1State::te1},
    {&Form1State::ransuu2, &Form1State::te2},
    {&Form1State::ransuu3, &Form1State::te3},
}};

} // namespace

template <typename Random, typename TimeSource>
BasicExperiment<Random, TimeSource>::BasicExperiment(Module1 &shared, Form1State &vars, Random &random,
                                                     TimeSource &clock)
    : m_shared(shared), m_vars(vars), m_random(random), m_clock(clock)
{
}

template <typename Random, typename TimeSource>
void BasicExperiment<Random, TimeSource>::initialise()
{
    m_vars.hyouji1 = 1;
    m_vars.hyouji2 = 2;
    m_vars.hyouji3 = 3;
    m_vars.jidou = 0;
    m_shared.owari = 0;
    m_shared.aiko = 0;
    m_vars.a1kati = m_vars.b1kati = m_vars.c1kati = 0;
    m_shared.abc1kati = 0;
    m_vars.a1make = m_vars.b1make = m_vars.c1make = 0;
    m_shared.abc1make = 0;
}

template <typename Random, typename TimeSource>
std::int16_t BasicExperiment<Random, TimeSource>::drawHand(Player p)
{
    m_random.reseed(m_clock.secondsSinceMidnight());
    const float r = m_random.next();
    const auto code = static_cast<std::int16_t>(r * 3.0F + 1.0F);
    // A code outside 1..3 cannot come from r < 1; if it did, the player keeps the previous hand.
    if (isHandCode(code)) {
        const PlayerVars &vars = kPlayerVars.at(index(p));
        m_vars.*vars.ransuu = code;
        m_vars.*vars.te = handName(code);
    }
    return code;
}

template <typename Random, typename TimeSource>
std::optional<Judgement> BasicExperiment<Random, TimeSource>::judge() const
{
    return nuperako::judge(m_vars.te1, m_vars.te2, m_vars.te3);
}

template <typename Random, typename TimeSource>
void BasicExperiment<Random, TimeSource>::tally(Outcome outcome)
{
    // Every count is rewritten, the outcome's one higher: each adds its own bit
    // of a mask with the outcome's bit set. Neither a jump on the random outcome
    // (mispredicted) nor a store through an address picked by it (which the
    // totals would have to wait for) is needed, and the compiler cannot turn the
    // mask back into jumps as it does with a comparison.
    const unsigned raised = 1U << static_cast<unsigned>(outcome);
    auto raise = [raised](std::int16_t count, Outcome its) {
        return checkedAdd(count, static_cast<std::int16_t>(raised >> static_cast<unsigned>(its) & 1U));
    };
    m_shared.aiko = raise(m_shared.aiko, Outcome::Aiko);
    m_vars.a1kati = raise(m_vars.a1kati, Outcome::A1Kati);
    m_vars.b1kati = raise(m_vars.b1kati, Outcome::B1Kati);
    m_vars.c1kati = raise(m_vars.c1kati, Outcome::C1Kati);
    m_vars.a1make = raise(m_vars.a1make, Outcome::A1Make);
    m_vars.b1make = raise(m_vars.b1make, Outcome::B1Make);
    m_vars.c1make = raise(m_vars.c1make, Outcome::C1Make);
    m_shared.abc1kati = checkedAdd(checkedAdd(m_vars.a1kati, m_vars.b1kati), m_vars.c1kati);
    m_shared.abc1make = checkedAdd(checkedAdd(m_vars.a1make, m_vars.b1make), m_vars.c1make);
}

template <typename Random, typename TimeSource>
std::int16_t BasicExperiment<Random, TimeSource>::kaisuu() const
{
    return checkedAdd(checkedAdd(m_shared.aiko, m_shared.abc1kati), m_shared.abc1make);
}

template <typename Random, typename TimeSource>
double BasicExperiment<Random, TimeSource>::ratio(std::int16_t count) const
{
    return ratioOf(count, kaisuu());
}

template <typename Random, typename TimeSource>
void BasicExperiment<Random, TimeSource>::recordHistory()
{
    if (m_shared.owari == 1)
        return;
    const std::int16_t rounds = kaisuu();
    m_shared.aikoritu.at(m_shared.aiko) = static_cast<float>(ratioOf(m_shared.aiko, rounds));
    m_shared.katiritu.at(m_shared.abc1kati) = static_cast<float>(ratioOf(m_shared.abc1kati, rounds));
    m_shared.makeritu.at(m_shared.abc1make) = static_cast<float>(ratioOf(m_shared.abc1make, rounds));
}

template <typename Random, typename TimeSource>
bool BasicExperiment<Random, TimeSource>::applyEndRule()
{
    if (m_shared.aiko > kEndCount || m_shared.abc1kati > kEndCount || m_shared.abc1make > kEndCount) {
        m_shared.owari = 1;
        m_vars.jidou = 0;
        return true;
    }
    return false;
}

template <typename Random, typename TimeSource>
std::optional<Judgement> BasicExperiment<Random, TimeSource>::playRound()
{
    drawHand(Player::A);
    drawHand(Player::B);
    drawHand(Player::C);
    const std::optional<Judgement> judgement = judge();
    if (judgement)
        tally(judgement->outcome);
    recordHistory();
    applyEndRule();
    return judgement;
}

template class BasicExperiment<RandomSource, Clock>;
template class BasicExperiment<MixingGenerator, FixedClock>;

} // namespace nuperako
