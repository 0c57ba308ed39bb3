// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

namespace nuperako {

// A push button by its element name, placed in twips.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(const QString &objectName, const QString &caption, const QRect &twips, QWidget *parent);
};

} // namespace nuperako
