// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/pixelsurface.h"
#include "pool/classdrawing.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace nuperako::classroom {

// One of the teacher's pictures: a drawing in the class's picture coordinates
// (pool::kClassPictureWidth by kClassPictureHeight), drawn afresh whenever it
// is asked to and whenever its size changes. For a projector its lines thicken
// and its text grows with its size; it is kept in the screen's own pixels, so
// text stays sharp at any pixel ratio.
class ClassPicture : public QWidget, public PixelSurface {
    Q_OBJECT
public:
    using Drawing = std::function<void(DrawingSurface &)>;

    explicit ClassPicture(const QString &objectName, QWidget *parent = nullptr);

    void setDrawing(Drawing drawing);
    // The drawing again over a white picture, and shown.
    void redraw();

    // The point of the picture under a point of the widget, and the colour drawn at a point of the picture.
    [[nodiscard]] pool::PicturePoint toPicture(QPointF widgetPoint) const;
    [[nodiscard]] QPointF toWidget(pool::PicturePoint p) const;
    [[nodiscard]] QColor colorAt(pool::PicturePoint p) const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void plot(Pixel p, Rgb color) override;
    void printText(Pixel at, std::string_view text, Rgb color) override;
    [[nodiscard]] double lineHeight() const override;

private:
    Drawing m_drawing;
    QImage m_image;  // in device pixels
    int m_block = 1; // device pixels on a side of one of the drawing's pixels
    QFont m_font;    // sized in device pixels
};

} // namespace nuperako::classroom
