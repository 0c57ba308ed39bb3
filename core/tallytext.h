// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace nuperako {

// A count as plain decimal digits: 0, 7, 998, or a class's 31452.
std::string countText(std::int64_t count);

// A ratio as "0.000". The quotient goes through 15 significant decimal digits
// and back, then is rounded half up at the thousandths on those decimal digits,
// so 1/16 shows 0.063 although 0.0625 * 1000 may not round up in binary.
std::string ratioText(double ratio);

} // namespace nuperako
