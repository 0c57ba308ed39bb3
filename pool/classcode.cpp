// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classcode.h"

#include <algorithm>

namespace nuperako::pool {

namespace {

constexpr unsigned kBitsPerSign = 5;
constexpr std::uint64_t kSignMask = (1U << kBitsPerSign) - 1;
static_assert(kClassCodeSigns.size() == kSignMask + 1);

} // namespace

std::string classCode(std::uint64_t randomBits)
{
    std::string code;
    for (std::size_t i = 0; i < kClassCodeLength; ++i, randomBits >>= kBitsPerSign)
        code += kClassCodeSigns[randomBits & kSignMask];
    return code;
}

bool isClassCode(std::string_view text)
{
    return text.size() == kClassCodeLength &&
           std::ranges::all_of(text, [](char c) { return kClassCodeSigns.find(c) != std::string_view::npos; });
}

} // namespace nuperako::pool
