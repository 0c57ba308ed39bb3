// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "mainwindow/boardlayout.h"

namespace nuperako::boardlayout {

namespace {

constexpr std::array<const char *, 3> kHandWords{"グー", "チョキ", "パー"};
constexpr std::array<const char *, 3> kColumnWords{"", "回数", "割合"};

} // namespace

std::string handSpeech(Player p, Hand h)
{
    return std::string(kPlayerElements[index(p)].name) + ": " + kHandWords[static_cast<std::size_t>(code(h) - 1)];
}

std::string resultSpeech(Player p)
{
    return std::string(kPlayerElements[index(p)].name) + " 結果";
}

std::string cellSpeech(Count c, std::size_t column)
{
    return std::string(kTallyRows[index(c)].caption) + " " + kColumnWords.at(column);
}

} // namespace nuperako::boardlayout
