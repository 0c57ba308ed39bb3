// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace nuperako {

// The board's proportional gothic: the design font where installed, otherwise
// Ume P Gothic, which is drawn to the same metrics.
QFont japaneseFont(qreal pointSize, bool bold = false, bool italic = false);

} // namespace nuperako
