// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchreport.h"

#include "core/module1.h"
#include "core/tallytext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace nuperako::batch {

namespace {

// Up to this many runs the summary lists every run.
constexpr std::size_t kListedRuns = 10;

std::string format(const char *pattern, auto... values)
{
    std::array<char, 256> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), pattern, values...);
    return {buffer.data(), static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(buffer.size()) - 1))};
}

struct Spread {
    double mean = 0;
    double sd = 0;
    double low = 0;
    double high = 0;
};

Spread spreadOf(const std::vector<double> &values)
{
    Spread s;
    const auto n = static_cast<double>(values.size());
    s.mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    const double squares = std::accumulate(values.begin(), values.end(), 0.0,
                                           [&s](double sum, double v) { return sum + (v - s.mean) * (v - s.mean); });
    s.sd = values.size() > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    s.low = *low;
    s.high = *high;
    return s;
}

} // namespace

GoodnessOfFit goodnessOfFit(const std::array<long long, 3> &totals)
{
    const auto all = static_cast<double>(totals[0] + totals[1] + totals[2]);
    if (all <= 0)
        return {};
    const double expected = all / 3.0;
    const double chi = std::accumulate(totals.begin(), totals.end(), 0.0, [expected](double sum, long long observed) {
        const double off = static_cast<double>(observed) - expected;
        return sum + off * off / expected;
    });
    // With two degrees of freedom the chi-square survival function is exp(-x / 2).
    return {chi, std::exp(-chi / 2.0)};
}

std::string summaryText(const std::vector<RunResult> &results, std::uint64_t seed)
{
    std::string out = format("nuperako-batch: %zu run(s), seed %llu (repeat with --seed %llu)\n", results.size(),
                             static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));
    std::array<long long, 3> totals{};
    for (const RunResult &r : results) {
        totals[0] += r.aiko();
        totals[1] += r.abc1kati();
        totals[2] += r.abc1make();
    }

    if (results.size() <= kListedRuns) {
        out += "run  rounds  あいこ draws  一人勝ち wins  一人負け losses\n";
        for (std::size_t i = 0; i < results.size(); ++i) {
            const RunResult &r = results[i];
            out += format("%3zu  %6d  %4d %s  %4d %s  %4d %s\n", i + 1, r.rounds, r.aiko(),
                          ratioText(ratio(r.aiko(), r.rounds)).c_str(), r.abc1kati(),
                          ratioText(ratio(r.abc1kati(), r.rounds)).c_str(), r.abc1make(),
                          ratioText(ratio(r.abc1make(), r.rounds)).c_str());
        }
    } else {
        std::vector<double> rounds;
        std::array<std::vector<double>, 3> shares;
        for (const RunResult &r : results) {
            rounds.push_back(r.rounds);
            shares[0].push_back(ratio(r.aiko(), r.rounds));
            shares[1].push_back(ratio(r.abc1kati(), r.rounds));
            shares[2].push_back(ratio(r.abc1make(), r.rounds));
        }
        out += "                   mean        sd       min       max\n";
        const Spread r = spreadOf(rounds);
        out += format("rounds        %9.1f %9.1f %9.0f %9.0f\n", r.mean, r.sd, r.low, r.high);
        const char *names[] = {"あいこ draws   ", "一人勝ち wins  ", "一人負け losses"};
        for (std::size_t k = 0; k < 3; ++k) {
            const Spread s = spreadOf(shares[k]);
            out += format("%s %9.4f %9.4f %9.4f %9.4f\n", names[k], s.mean, s.sd, s.low, s.high);
        }
    }

    const GoodnessOfFit fit = goodnessOfFit(totals);
    out += format("all runs: %lld draws, %lld single wins, %lld single losses; against 1/3 each: "
                  "chi-square %.3f (2 degrees of freedom), p = %.4f\n",
                  totals[0], totals[1], totals[2], fit.chiSquare, fit.pValue);
    return out;
}

std::string csvText(const std::vector<RunResult> &results)
{
    std::string out;
    if (results.size() == 1 && !results.front().history.empty()) {
        out = "round,aiko,abc1kati,abc1make,aiko_ratio,abc1kati_ratio,abc1make_ratio\n";
        const auto &history = results.front().history;
        for (std::size_t i = 0; i < history.size(); ++i) {
            const int rounds = static_cast<int>(i) + 1;
            const auto &[aiko, kati, make] = history[i];
            out += format("%d,%d,%d,%d,%.6f,%.6f,%.6f\n", rounds, aiko, kati, make, ratio(aiko, rounds),
                          ratio(kati, rounds), ratio(make, rounds));
        }
        return out;
    }
    // The per-player counts first, then the totals.
    constexpr std::array kColumns{Count::Aiko,   Count::A1Kati, Count::B1Kati,   Count::C1Kati,  Count::A1Make,
                                  Count::B1Make, Count::C1Make, Count::Abc1Kati, Count::Abc1Make};
    out = "run,rounds";
    for (const Count count : kColumns)
        (out += ',') += kCountNames[index(count)];
    out += ",aiko_ratio,abc1kati_ratio,abc1make_ratio\n";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const RunResult &r = results[i];
        out += format("%zu,%d", i + 1, r.rounds);
        for (const Count count : kColumns)
            out += format(",%d", r.counts[count]);
        out += format(",%.6f,%.6f,%.6f\n", ratio(r.aiko(), r.rounds), ratio(r.abc1kati(), r.rounds),
                      ratio(r.abc1make(), r.rounds));
    }
    return out;
}

} // namespace nuperako::batch
