// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/twipsrect.h"

#include <QRect>

namespace nuperako {

// The windows are laid out in twips. Qt's device-independent pixels are 96 dpi
// pixels, so high-DPI scaling takes care of denser screens.
constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace nuperako
