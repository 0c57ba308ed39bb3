// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "support/board.h"

#include <QStringList>

namespace nuperako::test {

// A state of the board: enabled buttons, running timers, jidou, owari.
struct State {
    const char *buttons;
    const char *timers;
    int jidou;
    int owari;
};

namespace states {

inline constexpr State kWaiting{"1.3456.8", "....", 0, 0};
inline constexpr State kManualShuffle{".2......", "123.", 0, 0};
inline constexpr State kAutomatic{"......7.", "1234", 1, 0};
inline constexpr State kEnded{"...456.8", "....", 0, 1};
// Transients: automatic play waiting for its first tick; the shuffle left by
// the automatic tick that ended the experiment; automatic play just after the
// board was activated again (until the next tick enables "自動停止").
inline constexpr State kAutomaticPending{"1.3456.8", "...4", 1, 0};
inline constexpr State kEndedShuffle{".2......", "123.", 0, 1};
inline constexpr State kAutomaticActivated{"........", "1234", 1, 0};

} // namespace states

inline QString describe(const Board &b)
{
    return QStringLiteral("%1 %2 jidou=%3 owari=%4")
        .arg(b.enabledButtons(), b.runningTimers())
        .arg(b.form->state().jidou)
        .arg(b.shared.owari);
}

inline QString describe(const State &s)
{
    return QStringLiteral("%1 %2 jidou=%3 owari=%4")
        .arg(QLatin1String(s.buttons), QLatin1String(s.timers))
        .arg(s.jidou)
        .arg(s.owari);
}

// Every state the board may be seen in between two events.
inline QStringList allStates()
{
    using namespace states;
    QStringList all;
    for (const State &s :
         {kWaiting, kManualShuffle, kAutomatic, kEnded, kAutomaticPending, kEndedShuffle, kAutomaticActivated})
        all << describe(s);
    return all;
}

// The core's invariants that hold after every event.
inline void checkInvariants(const Board &b)
{
    const Form1State &v = b.form->state();
    QCOMPARE(b.shared.abc1kati, v.a1kati + v.b1kati + v.c1kati);
    QCOMPARE(b.shared.abc1make, v.a1make + v.b1make + v.c1make);
    QVERIFY(b.shared.aiko <= 1000 && b.shared.abc1kati <= 1000 && b.shared.abc1make <= 1000);
    QVERIFY(b.shared.owari == 1 || (b.shared.aiko <= 998 && b.shared.abc1kati <= 998 && b.shared.abc1make <= 998));
    QVERIFY(v.hyouji1 >= 1 && v.hyouji1 <= 3 && v.hyouji2 >= 1 && v.hyouji2 <= 3 && v.hyouji3 >= 1 && v.hyouji3 <= 3);
    QVERIFY(!b.shownHands().contains(u'0'));
}

} // namespace nuperako::test
