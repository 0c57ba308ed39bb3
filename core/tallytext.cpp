// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "core/tallytext.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace nuperako {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kDecimals = 3;

// d.dddddddddddddde+XX: the 15 significant digits of value.
std::string scientific(double value)
{
    std::array<char, 32> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%.*e", kSignificantDigits - 1, value);
    return {buffer.data(), static_cast<std::size_t>(n)};
}

} // namespace

std::string countText(std::int64_t count)
{
    return std::to_string(count);
}

std::string ratioText(double ratio)
{
    if (!std::isfinite(ratio))
        return "0.000";
    const double readBack = std::strtod(scientific(ratio).c_str(), nullptr);
    const bool negative = std::signbit(readBack) && readBack != 0.0;
    const std::string text = scientific(std::fabs(readBack));

    // text = "D.DDDDDDDDDDDDDDe±XX"; digits holds D1..D15 and the value is 0.D1D2.. * 10^(exponent + 1).
    std::string digits;
    digits.reserve(kSignificantDigits);
    digits += text[0];
    digits.append(text, 2, kSignificantDigits - 1);
    const int exponent = std::atoi(text.c_str() + 2 + kSignificantDigits);

    // The value in thousandths, truncated, and the first digit dropped by that truncation.
    const int integerDigits = exponent + 1 + kDecimals;
    std::uint64_t thousandths = 0;
    for (int i = 0; i < integerDigits; ++i)
        thousandths = thousandths * 10 + (i < kSignificantDigits ? digits[i] - '0' : 0);
    const int roundingDigit =
        integerDigits >= 0 && integerDigits < kSignificantDigits ? digits[integerDigits] - '0' : 0;
    if (roundingDigit >= 5)
        ++thousandths;

    std::array<char, 40> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%s%llu.%03llu", negative && thousandths != 0 ? "-" : "",
                                static_cast<unsigned long long>(thousandths / 1000),
                                static_cast<unsigned long long>(thousandths % 1000));
    return {buffer.data(), static_cast<std::size_t>(n)};
}

} // namespace nuperako
