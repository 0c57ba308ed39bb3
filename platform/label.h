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

    // The caption, also spoken by a screen reader after the prefix (a cell's row and column).
    void setCaption(const QString &caption);
    void setAccessiblePrefix(const QString &prefix);

    void setForeColor(const QColor &color);
    [[nodiscard]] QColor foreColor() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_accessiblePrefix;
};

} // namespace nuperako
