// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/hand.h"

#include <QIcon>
#include <QPixmap>

namespace nuperako {

// The pictures drawn by scripts/draw-hands.py, compiled into the program.
QPixmap handPicture(Hand hand);
QIcon programIcon();

} // namespace nuperako
