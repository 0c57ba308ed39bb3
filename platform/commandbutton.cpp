// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/commandbutton.h"

#include "platform/twips.h"

namespace nuperako {

CommandButton::CommandButton(const QString &objectName, const QString &caption, const QRect &twips, QWidget *parent)
    : QPushButton(caption, parent)
{
    setObjectName(objectName);
    setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
}

} // namespace nuperako
