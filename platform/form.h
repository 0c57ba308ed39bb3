// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace nuperako {

// A top-level window of the program with two notifications of its own:
// load, once before it is first shown, and activation, each time it becomes
// the active window after another of the program's windows was (or after that
// window closed). Coming back from another program is not an activation.
class Form : public QWidget {
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    // Places the client area, in twips from the top-left corner of the screen.
    void setClientGeometry(int left, int top, int width, int height);

    // Shows the window without modality, brings it to the front and activates it.
    void showModeless();

protected:
    virtual void load() {}
    virtual void activate() {}

    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_loaded = false;
    static Form *s_lastActive;
};

} // namespace nuperako
