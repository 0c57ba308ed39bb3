// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/form.h"

#include "platform/twips.h"

#include <QEvent>

namespace nuperako {

Form *Form::s_lastActive = nullptr;

Form::Form(QWidget *parent) : QWidget(parent, Qt::Window) {}

Form::~Form()
{
    if (s_lastActive == this)
        s_lastActive = nullptr;
}

void Form::setClientGeometry(int left, int top, int width, int height)
{
    setGeometry(twipsRect(left, top, width, height));
}

void Form::showModeless()
{
    // A window that appears comes up in front; only one already shown needs raising.
    const bool shown = isVisible();
    show();
    if (shown)
        raise();
    activateWindow();
}

bool Form::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate && s_lastActive != this) {
        s_lastActive = this;
        activate();
    }
    return handled;
}

void Form::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        load();
    }
    QWidget::showEvent(event);
}

} // namespace nuperako
