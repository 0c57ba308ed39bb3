// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/tallyrows.h"

namespace nuperako {

std::string cellSpeech(Count c, std::size_t column)
{
    return std::string(kTallyRows[index(c)].caption) + " " + std::string(kTallyColumns.at(column - 1));
}

} // namespace nuperako
