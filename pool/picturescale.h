// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako::pool {

// How one of the class's pictures fills so many device pixels, on the desktop
// and in the browser alike: each of its drawing's pixels is a square block of
// device pixels, about 450 of them across, so that one-pixel lines are a few
// device pixels thick on a projector's large picture and one on a laptop's
// small one; its text is so many device pixels high.
struct PictureScale {
    int block = 1;      // device pixels on a side of one of the drawing's pixels
    int gridWidth = 1;  // the drawing's pixels across
    int gridHeight = 1; // and down
    int textPixels = 1; // a line of text's height, in device pixels
};
PictureScale pictureScale(int deviceWidth, int deviceHeight);

} // namespace nuperako::pool
