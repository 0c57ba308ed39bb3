// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/japanesefont.h"

#include "core/japanesefamilies.h"
#include "platform/qtconvert.h"

#include <QFontDatabase>
#include <QStringList>

namespace nuperako {

namespace {

// The preferred families, in order, that this machine has. A family that is
// missing would make every new font ask fontconfig for substitutes, a slow
// query that dominated the board's first paint; skipping them gives the same
// font sooner. With none of them installed the whole list is left to fontconfig.
QStringList installedFamilies()
{
    QStringList preferred;
    for (const std::string_view family : kJapaneseFamilies)
        preferred << toQString(family);
    const QStringList installed = QFontDatabase::families();
    QStringList families;
    for (const QString &family : preferred) {
        if (installed.contains(family))
            families << family;
    }
    return families.isEmpty() ? preferred : families;
}

} // namespace

QFont japaneseFont(qreal pointSize, bool bold, bool italic)
{
    static const QStringList families = installedFamilies();
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    // The gothic has no hints of its own, so the default vertical hinting runs
    // FreeType's autohinter, which reads most of the 4 MB font to analyse the
    // script: 1.6 MB of the board's start-up memory and 2 to 4 ms. Unhinted
    // glyphs keep the same advances, so the texts take the same room.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace nuperako
