// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "mainwindow/boardlayout.h"

namespace nuperako::boardlayout {

namespace {

constexpr std::array<const char *, 3> kHandWords{"グー", "チョキ", "パー"};

} // namespace

std::string handSpeech(Player p, Hand h)
{
    return std::string(kPlayerElements[index(p)].name) + ": " + kHandWords[static_cast<std::size_t>(code(h) - 1)];
}

std::string resultSpeech(Player p)
{
    return std::string(kPlayerElements[index(p)].name) + " 結果";
}

} // namespace nuperako::boardlayout
