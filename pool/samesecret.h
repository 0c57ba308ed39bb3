// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

namespace nuperako::pool {

// Whether a secret's hash is the one kept, in a time that does not depend on
// where they differ, so that a guesser learns nothing from how long it took.
// Nothing kept matches nothing.
inline bool sameSecret(std::string_view given, std::string_view kept)
{
    if (kept.empty() || given.size() != kept.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < kept.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ kept[i]);
    return difference == 0;
}

} // namespace nuperako::pool
