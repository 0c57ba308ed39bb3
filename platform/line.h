// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace nuperako {

// A horizontal one-pixel line in the window's text colour.
class Line : public QWidget {
    Q_OBJECT

public:
    // From (x1, y) to (x2, y) in twips, both ends included.
    Line(const QString &objectName, int x1, int x2, int y, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace nuperako
