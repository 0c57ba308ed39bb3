// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/seatname.h"

#include "pool/protocol.h"

#include <cstdint>
#include <vector>

namespace nuperako::pool {

namespace {

constexpr char32_t kIdeographicSpace = U'\u3000';

// The code points of UTF-8 text, or none if it is not well formed.
std::optional<std::vector<char32_t>> decode(std::string_view text)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        std::size_t length = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1FU;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0FU;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07U;
        } else {
            return std::nullopt;
        }
        if (i + length > text.size())
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + k]);
            if ((next & 0xC0U) != 0x80U)
                return std::nullopt;
            c = (c << 6U) | (next & 0x3FU);
        }
        // Overlong forms, surrogates and code points past U+10FFFF.
        constexpr char32_t kMinOf[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kMinOf[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return std::nullopt;
        out.push_back(c);
        i += length;
    }
    return out;
}

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == U'\u2028' || c == U'\u2029';
}

bool isSpace(char32_t c)
{
    return c == U' ' || c == kIdeographicSpace;
}

} // namespace

std::string defaultSeatName(int number)
{
    return std::to_string(number) + "番";
}

std::optional<std::string> seatName(std::string_view typed)
{
    const std::optional<std::vector<char32_t>> points = decode(typed);
    if (!points)
        return std::nullopt;
    std::size_t first = 0;
    std::size_t last = points->size();
    while (first < last && isSpace((*points)[first]))
        ++first;
    while (last > first && isSpace((*points)[last - 1]))
        --last;
    if (first == last || last - first > protocol::kMaxSeatLength)
        return std::nullopt;
    for (std::size_t i = first; i < last; ++i) {
        if (isControl((*points)[i]))
            return std::nullopt;
    }
    // The kept characters are a run of the typed bytes: find where they start and end.
    std::size_t begin = 0;
    std::size_t end = typed.size();
    const auto width = [](char32_t c) -> std::size_t { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; };
    for (std::size_t i = 0; i < first; ++i)
        begin += width((*points)[i]);
    for (std::size_t i = last; i < points->size(); ++i)
        end -= width((*points)[i]);
    return std::string(typed.substr(begin, end - begin));
}

} // namespace nuperako::pool
