// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace nuperako {

// A board cell: white, framed by a single line, its one line of text centred.
class Label : public QLabel {
    Q_OBJECT

public:
    Label(const QString &objectName, const QString &text, QWidget *parent);

    void setForeColor(const QColor &color);
    [[nodiscard]] QColor foreColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace nuperako
