// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

namespace nuperako {

// The proportional Japanese gothic every text is set in, by family, most
// preferred first: the design's font under its Japanese and its English name,
// then the free gothic drawn to its metrics (Debian's fonts-horai-umefont; the
// browser edition carries a subset of it under the same name).
inline constexpr std::array<std::string_view, 3> kJapaneseFamilies{"ＭＳ Ｐゴシック", "MS PGothic", "Ume P Gothic"};

} // namespace nuperako
