// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// A seat name as a page may send it: whatever bytes. A name the rules keep is
// one they keep again unchanged (well-formed UTF-8, trimmed, within its length).
#include "pool/seatname.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace nuperako::pool;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<std::string> seat = seatName(std::string_view(reinterpret_cast<const char *>(data), size));
    if (seat && seatName(*seat) != seat)
        std::abort();
    return 0;
}
