// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QWidget>

namespace nuperako {

// A fixed picture stretched to the box. Pixels are enlarged as blocks, so a
// small drawing stays crisp on a projector.
class ImageBox : public QWidget {
    Q_OBJECT

public:
    ImageBox(const QString &objectName, QPixmap picture, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

} // namespace nuperako
