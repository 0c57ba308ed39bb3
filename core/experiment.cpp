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
    : m_shared(shared), m_vars(vars), m_random(random), m_clock(clock), m_counts{&m_shared.aiko, &m_vars.a1kati,
                                                                                 &m_vars.b1kati, &m_vars.c1kati,
                                                                                 &m_vars.a1make, &m_vars.b1make,
                                                                                 &m_vars.c1make}
{
}

template <typename Random, typename TimeSource> void BasicExperiment<Random, TimeSource>::initialise()
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

template <typename Random, typename TimeSource> std::int16_t BasicExperiment<Random, TimeSource>::drawHand(Player p)
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

template <typename Random, typename TimeSource> void BasicExperiment<Random, TimeSource>::tally(Outcome outcome)
{
    // Indexed rather than switched on: outcomes are random, so a jump on them would be mispredicted.
    std::int16_t &count = *m_counts.at(static_cast<std::size_t>(outcome));
    count = checkedAdd(count, 1);
    m_shared.abc1kati = checkedAdd(checkedAdd(m_vars.a1kati, m_vars.b1kati), m_vars.c1kati);
    m_shared.abc1make = checkedAdd(checkedAdd(m_vars.a1make, m_vars.b1make), m_vars.c1make);
}

template <typename Random, typename TimeSource> std::int16_t BasicExperiment<Random, TimeSource>::kaisuu() const
{
    return checkedAdd(checkedAdd(m_shared.aiko, m_shared.abc1kati), m_shared.abc1make);
}

template <typename Random, typename TimeSource>
double BasicExperiment<Random, TimeSource>::ratio(std::int16_t count) const
{
    return ratioOf(count, kaisuu());
}

template <typename Random, typename TimeSource> void BasicExperiment<Random, TimeSource>::recordHistory()
{
    if (m_shared.owari == 1)
        return;
    const std::int16_t rounds = kaisuu();
    m_shared.aikoritu.at(m_shared.aiko) = static_cast<float>(ratioOf(m_shared.aiko, rounds));
    m_shared.katiritu.at(m_shared.abc1kati) = static_cast<float>(ratioOf(m_shared.abc1kati, rounds));
    m_shared.makeritu.at(m_shared.abc1make) = static_cast<float>(ratioOf(m_shared.abc1make, rounds));
}

template <typename Random, typename TimeSource> bool BasicExperiment<Random, TimeSource>::applyEndRule()
{
    if (m_shared.aiko > kEndCount || m_shared.abc1kati > kEndCount || m_shared.abc1make > kEndCount) {
        m_shared.owari = 1;
        m_vars.jidou = 0;
        return true;
    }
    return false;
}

// Flattened: the steps are inlined into one piece, so that a round with a known
// generator and clock keeps its state in registers from the first draw to the end rule.
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
