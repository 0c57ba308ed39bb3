// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nuperako::pool {

// The seat the server gives the n-th student to join: "1番", "2番", ...
std::string defaultSeatName(int number);

// A name a student typed for the seat, as shown: spaces (also U+3000) at both
// ends dropped. None for text that is not UTF-8, holds a control character or
// a line separator, or is empty or longer than protocol::kMaxSeatLength characters.
std::optional<std::string> seatName(std::string_view typed);

} // namespace nuperako::pool
