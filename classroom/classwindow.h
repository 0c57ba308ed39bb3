// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"
#include "pool/funnel.h"

#include <QTimer>
#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLayout;
class QPushButton;

namespace nuperako {
class QuestionBox;
}

namespace nuperako::classroom {

class ClassPicture;
class ClassServer;
class FunnelView;
class QrCodeView;

// The teacher's window, made for a projector: how to join (the code, the
// address and its QR code), the class's pooled tally, the class's ratios as
// they settle, and the funnel of every experiment. Text grows with the window.
// It shows what the server holds at most five times a second, however fast
// the students play; removing an experiment, a new class and the export are
// the server's and the pool's, asked for here.
class ClassWindow : public QWidget {
    Q_OBJECT
public:
    // Questions before removing an experiment and before a new class go through questions.
    ClassWindow(ClassServer &server, QuestionBox &questions, QWidget *parent = nullptr);

    // Everything shown brought up to date with the pool (what the coalescing timer does).
    void showPool();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLayout *buildJoin();
    QLayout *buildTally();
    QLayout *buildClassControls();
    QLayout *buildPictures();
    void showClass();
    void showFunnel();
    void removeSelected();
    void startNewClass();
    void exportClass();
    void scaleText();

    ClassServer &m_server;
    QuestionBox &m_questions;
    QLabel *m_code = nullptr;
    QLabel *m_address = nullptr;
    QrCodeView *m_qr = nullptr;
    QLabel *m_headline = nullptr;
    std::array<QLabel *, kCountCount> m_counts{};
    std::array<QLabel *, kCountCount> m_ratios{};
    ClassPicture *m_graph = nullptr;
    FunnelView *m_funnel = nullptr;
    QCheckBox *m_hideNames = nullptr;
    QPushButton *m_remove = nullptr;
    pool::FunnelKind m_kind = pool::FunnelKind::Aiko;
    QTimer m_refresh;
};

} // namespace nuperako::classroom
