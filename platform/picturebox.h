// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/pixelsurface.h"

#include <QImage>
#include <QWidget>

namespace nuperako {

// A drawing surface with a sunken 2-pixel border and a white inside that
// keeps what was drawn on it in an image of its own: covering and uncovering
// the window shows the same drawing, nothing is drawn again from data.
//
// Callers draw in user coordinates: x from 0 at the left edge of the inside
// to scaleWidth at its right edge, y from 0 at the top to scaleHeight at the
// bottom (twips until setScale is called), mapped to pixels by a PixelGrid.
class PictureBox : public QWidget, public PixelSurface {
    Q_OBJECT

public:
    // geometry is the outer rectangle, border included, in twips.
    PictureBox(const QString &objectName, const QRect &geometryTwips, QWidget *parent);

    void setScale(double scaleWidth, double scaleHeight);

    // Fills the inside with white and puts the current point at (0, 0).
    void clear();

    // The drawing as it stands (at the screen's device pixel ratio), the pixel a user
    // point maps to, and the colour of such a pixel.
    [[nodiscard]] const QImage &image() const { return m_image; }
    [[nodiscard]] QPoint toPixel(float x, float y) const;
    [[nodiscard]] QColor colorAt(QPoint pixel) const;
    [[nodiscard]] QSize innerSize() const { return m_innerSize; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void plot(Pixel p, Rgb color) override;
    // Glyphs without anti-aliasing, so that the same text drawn over itself changes nothing.
    void printText(Pixel at, std::string_view text, Rgb color) override;
    [[nodiscard]] double lineHeight() const override;
    void drawn() override { update(); }

private:
    QSize m_innerSize;
    QImage m_image;
};

} // namespace nuperako
