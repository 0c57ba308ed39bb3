// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nuperako::pool {

// Capitals and digits without the look-alikes O/0 and I/1: 32 signs, five bits each.
inline constexpr std::string_view kClassCodeSigns = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
inline constexpr std::size_t kClassCodeLength = 5;

// A class's code from random bits: five signs, one of 33 million codes.
std::string classCode(std::uint64_t randomBits);

// Whether text could be a class's code.
bool isClassCode(std::string_view text);

} // namespace nuperako::pool
