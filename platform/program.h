// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako {

// Ends the program: every window closes now and the event loop stops, so no
// further handler runs.
void endProgram();

} // namespace nuperako
