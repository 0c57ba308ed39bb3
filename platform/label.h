// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

namespace nuperako {

// A board cell: white, framed by a single line, its one line of text centred.
class Label : public QLabel {
    Q_OBJECT

public:
    // Placed in twips, in the given font.
    Label(const QString &objectName, const QString &text, const QRect &twips, const QFont &font, QWidget *parent);

    // The caption, also spoken by a screen reader after the prefix (a cell's row and column).
    // Setting what the label already shows changes nothing.
    void setCaption(const QString &caption);
    void setAccessiblePrefix(const QString &prefix);

    void setForeColor(const QColor &color);
    [[nodiscard]] QColor foreColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateAccessibleName();

    QString m_accessiblePrefix;
};

} // namespace nuperako
