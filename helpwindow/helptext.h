// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

namespace nuperako {

// The 29 printed lines of the help window, indentation included.
QStringList helpText();

} // namespace nuperako
