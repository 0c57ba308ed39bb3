// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/module1.h"
#include "mainwindow/boardmodel.h"
#include "support/scriptedhands.h"

#include <QString>
#include <QTest>

namespace nuperako::test {

// The board's model as the program starts it, with scripted hands (or any
// other generator) and a frozen clock.
struct ModelBoard {
    explicit ModelBoard(RandomSource &random) : board(shared, random, clock)
    {
        board.load();
        board.activate();
    }

    // A round of the hands a, b, c for A, B and C, played by hand.
    void round(ScriptedHands &hands, int a, int b, int c)
    {
        hands.push(a, b, c);
        board.click(Button::Command1);
        board.click(Button::Command2);
    }

    [[nodiscard]] QString text(Count c) const { return QString::fromStdString(board.countText(c)); }
    [[nodiscard]] QString ratio(Count c) const { return QString::fromStdString(board.ratioText(c)); }
    [[nodiscard]] QString caption(Player p) const
    {
        const std::string_view caption = board.result(p).caption;
        return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    }
    // The shown hand codes of A, B and C, as "123".
    [[nodiscard]] QString shownHands() const
    {
        QString s;
        for (Player p : kPlayers)
            s += QString::number(code(board.shownHand(p)));
        return s;
    }

    Module1 shared;
    FrozenClock clock;
    BoardModel board;
};

// A state of the board: enabled buttons as "12345678" with '.' for each disabled
// one, running timers as "1234" with '.' for each stopped one, jidou, owari.
inline QString describe(const BoardModel &board, const Module1 &shared)
{
    QString buttons;
    for (std::size_t b = 0; b < kButtonCount; ++b)
        buttons += board.isEnabled(static_cast<Button>(b)) ? QChar(u'1' + static_cast<int>(b)) : QChar(u'.');
    QString timers;
    for (std::size_t t = 0; t < kTimerCount; ++t)
        timers += board.isRunning(static_cast<BoardTimer>(t)) ? QChar(u'1' + static_cast<int>(t)) : QChar(u'.');
    return QStringLiteral("%1 %2 jidou=%3 owari=%4")
        .arg(buttons, timers)
        .arg(board.variables().jidou)
        .arg(shared.owari);
}

inline QString describe(const ModelBoard &b)
{
    return describe(b.board, b.shared);
}

namespace states {

inline const QString kWaiting = QStringLiteral("1.3456.8 .... jidou=0 owari=0");
inline const QString kManualShuffle = QStringLiteral(".2...... 123. jidou=0 owari=0");
inline const QString kAutomatic = QStringLiteral("......7. 1234 jidou=1 owari=0");
inline const QString kEnded = QStringLiteral("...456.8 .... jidou=0 owari=1");
// Transients: automatic play waiting for its first tick; the shuffle left by
// the automatic tick that ended the experiment; automatic play just after the
// board was activated again (until the next tick enables "自動停止").
inline const QString kAutomaticPending = QStringLiteral("1.3456.8 ...4 jidou=1 owari=0");
inline const QString kEndedShuffle = QStringLiteral(".2...... 123. jidou=0 owari=1");
inline const QString kAutomaticActivated = QStringLiteral("........ 1234 jidou=1 owari=0");

} // namespace states

} // namespace nuperako::test
