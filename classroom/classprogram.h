// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako::classroom {

// nuperako-class: opens the newest class of the data folder (a new one if it
// has none), serves it, prints the students' address as the first line of its
// output and shows the teacher's window, or runs without one (--headless).
int runClassProgram(int argc, char *argv[]);

} // namespace nuperako::classroom
