// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "classroom/classpicture.h"
#include "pool/funnel.h"

#include <optional>
#include <string>

namespace nuperako::classroom {

// The funnel of the class's experiments. Hovering over a dot names its
// experiment (or the whole class); a click, or Tab and the arrow keys, select
// an experiment (for removing it).
class FunnelView : public ClassPicture {
    Q_OBJECT
public:
    explicit FunnelView(QWidget *parent = nullptr);

    // The experiment selected before stays selected while it is in the funnel.
    void setFunnel(pool::Funnel funnel);
    [[nodiscard]] const pool::Funnel &funnel() const { return m_funnel; }
    [[nodiscard]] const pool::FunnelDot *selected() const;

signals:
    void selectionChanged();

protected:
    bool event(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void select(std::optional<std::size_t> dot);
    // One dot on (+1) or back (-1); false past either end.
    bool step(int by);
    [[nodiscard]] std::optional<std::size_t> dotUnder(QPointF widgetPoint) const;
    void tellAbout(std::size_t dot);
    void showName(QPoint globalPlace, const std::string &name);

    pool::Funnel m_funnel;
    std::optional<std::size_t> m_selected;
};

} // namespace nuperako::classroom
