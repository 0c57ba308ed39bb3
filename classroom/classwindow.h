// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"
#include "core/tallyrows.h"

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

namespace nuperako::pool {
class ClassSession;
}

namespace nuperako::classroom {

class ClassPicture;
class FunnelView;
class QrCodeView;

// The teacher's window, made for a projector: how to join (the code, the
// address and its QR code), the class's pooled tally, the class's ratios as
// they settle, and the funnel of every experiment. Text grows with the window.
// A view of the class's session: told that the session has changed, it shows
// it within 200 ms, at most five times a second however fast the students
// play. Removing an experiment and a new class are asked for, after the
// teacher's yes, with signals, and so is showing the class to its students;
// the export is written from what it shows.
class ClassWindow : public QWidget {
    Q_OBJECT
public:
    // Questions before removing an experiment and before a new class go through questions;
    // without the page (servesPage false) the window says that students cannot join.
    ClassWindow(QuestionBox &questions, bool servesPage, QWidget *parent = nullptr);

    // The class to show, and the address its students open.
    void showClass(const pool::ClassSession &session, const QString &address);
    // The session has changed: shown within 200 ms.
    void sessionChanged();
    // Everything shown brought up to date with the session at once.
    void showPool();
    // A new class was asked for and could not be made.
    void newClassFailed();

signals:
    void removeAsked(int student, std::int64_t experiment);
    void revealAsked(bool revealed);
    void newClassAsked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLayout *buildJoin(bool servesPage);
    QLayout *buildTally();
    QLayout *buildClassControls();
    QLayout *buildPictures();
    void removeSelected();
    void startNewClass();
    void exportClass();
    void scaleText();

    const pool::ClassSession *m_session = nullptr;
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
    QCheckBox *m_reveal = nullptr;
    QPushButton *m_remove = nullptr;
    ResultKind m_kind = ResultKind::Aiko;
    QTimer m_refresh;
};

} // namespace nuperako::classroom
