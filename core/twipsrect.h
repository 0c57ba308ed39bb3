// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako {

// Twips are 1/1440 inch: 15 twips are one pixel at 96 dpi (a CSS pixel, and
// Qt's device-independent pixel).
inline constexpr int kTwipsPerPixel = 15;

constexpr int pixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A picture box's sunken border, in pixels on each side of its inside.
inline constexpr int kPictureBorder = 2;

// A window element's place in twips, 1/1440 inch (15 to a 96 dpi pixel), from
// the top-left corner of its window's client area, y downwards.
struct TwipsRect {
    int left, top, width, height;
};

struct PixelSize {
    int width, height;
};

// The drawing area inside a picture box placed at box, in pixels.
constexpr PixelSize insideOf(const TwipsRect &box)
{
    return {pixels(box.width) - 2 * kPictureBorder, pixels(box.height) - 2 * kPictureBorder};
}

// The graph and help windows: a close button and a line above a picture box.
struct PictureWindowLayout {
    const char *caption;
    TwipsRect clientArea; // on the screen
    const char *closeCaption;
    TwipsRect close; // Command1
    TwipsRect line;  // Line1, one pixel high
    TwipsRect picture;
    double picturePointSize;
};

} // namespace nuperako
