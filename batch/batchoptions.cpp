// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchoptions.h"

#include "core/module1.h"

#include <charconv>

namespace nuperako::batch {

namespace {

// A whole number in [low, high], or a UsageError naming the option.
template <typename T>
T number(std::string_view option, std::string_view text, T low, T high)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
        throw UsageError(std::string(option) + ": '" + std::string(text) + "' is not a whole number");
    if (error == std::errc::result_out_of_range || value < low || value > high)
        throw UsageError(std::string(option) + ": '" + std::string(text) + "' is not between " + std::to_string(low) +
                         " and " + std::to_string(high));
    return value;
}

} // namespace

BatchOptions parseOptions(const std::vector<std::string_view> &args)
{
    BatchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> inlineValue;
        if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        const auto value = [&]() -> std::string_view {
            if (inlineValue)
                return *inlineValue;
            if (i + 1 >= args.size())
                throw UsageError(std::string(name) + " needs a value");
            return args[++i];
        };
        const auto noValue = [&] {
            if (inlineValue)
                throw UsageError(std::string(name) + " takes no value");
        };

        if (name == "--runs") {
            options.runs = number<long>(name, value(), 1, kMaxRuns);
        } else if (name == "--rounds") {
            options.rounds = number<int>(name, value(), 1, kMaxRounds);
        } else if (name == "--seed") {
            options.seed = number<std::uint64_t>(name, value(), 0, UINT64_MAX);
        } else if (name == "--threads") {
            options.threads = number<int>(name, value(), 1, kMaxThreads);
        } else if (name == "--plot") {
            options.plotFile = std::string(value());
            if (options.plotFile.empty())
                throw UsageError("--plot needs a file name");
        } else if (name == "--csv") {
            noValue();
            options.csv = true;
        } else if (name == "--help" || name == "-h") {
            noValue();
            options.help = true;
        } else {
            throw UsageError("unknown option '" + std::string(args[i]) + "'");
        }
    }
    return options;
}

std::string helpText()
{
    const std::string endTotal = std::to_string(kEndTotal);
    return R"(使い方: nuperako-batch [オプション]
ぬぺらこの実験（3人のじゃんけん）をウィンドウなしでまとめて行います。
各実験は、盤と同じく、あいこ・一人勝ち・一人負けのどれかが )" +
           endTotal + R"( 回になるまで続きます。

  --runs N       実験を N 回行う（既定 1）
  --rounds M     各実験を M 回（1〜32767）で打ち切る
  --seed S       乱数の種 S から始め、同じ結果を再現する
                 （省略すると時計から種を決めて表示する）
  --csv          実験ごとの表（実験が 1 回なら 1 回ごとの割合）を CSV で出力する
  --plot FILE    最大 25 実験の割合の曲線を PNG 画像 FILE に描く
  --threads T    T 個のスレッドで実行する（既定はコア数。結果は変わらない）
  --help         この説明を表示する

Usage: nuperako-batch [options]
Plays whole nuperako experiments (three-player rock-paper-scissors) without any window.
Each experiment runs, as on the board, until draws, single wins or single losses reach )" +
           endTotal + R"(.

  --runs N       play N experiments (default 1)
  --rounds M     stop each experiment after M rounds (1 to 32767)
  --seed S       start from seed S; the same seed gives the same output
                 (without it a seed is taken from the clock and printed)
  --csv          print the per-run table (with one run, the per-round ratios) as CSV
  --plot FILE    draw the ratio curves of up to 25 runs into the PNG image FILE
  --threads T    use T threads (default: one per core; the output does not change)
  --help         show this text
)";
}

} // namespace nuperako::batch
