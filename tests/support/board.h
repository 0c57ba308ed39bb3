// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "form.h"
#include "form1.h"
#include "imagebox.h"
#include "label.h"
#include "module1.h"
#include "support/scriptedhands.h"
#include "timer.h"

#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

namespace nuperako::test {

// The board on screen with its hands drawn by a given generator and a frozen clock.
class Board {
public:
    explicit Board(RandomSource &random) : form(std::make_unique<Form1>(shared, random, clock))
    {
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    [[nodiscard]] QPushButton *button(int n) const
    {
        return form->findChild<QPushButton *>(QStringLiteral("Command%1").arg(n));
    }
    [[nodiscard]] Timer *timer(int n) const { return form->findChild<Timer *>(QStringLiteral("Timer%1").arg(n)); }
    [[nodiscard]] Label *label(const QString &name) const { return form->findChild<Label *>(name); }
    [[nodiscard]] QString text(const QString &name) const { return label(name)->text(); }

    void click(int n) const { QTest::mouseClick(button(n), Qt::LeftButton); }

    // Buttons as "12345678" with '.' for each disabled one.
    [[nodiscard]] QString enabledButtons() const
    {
        QString s;
        for (int n = 1; n <= 8; ++n)
            s += button(n)->isEnabled() ? QChar(u'0' + n) : QChar(u'.');
        return s;
    }
    // Timers as "1234" with '.' for each stopped one.
    [[nodiscard]] QString runningTimers() const
    {
        QString s;
        for (int n = 1; n <= 4; ++n)
            s += timer(n)->isEnabled() ? QChar(u'0' + n) : QChar(u'.');
        return s;
    }

    // The hand codes shown per player, "0" where not exactly one picture shows.
    [[nodiscard]] QString shownHands() const
    {
        QString s;
        for (int p = 1; p <= 3; ++p) {
            int shown = 0;
            int code = 0;
            const char *names[] = {"guu", "pii", "paa"};
            for (int hand = 1; hand <= 3; ++hand) {
                if (!form->findChild<ImageBox *>(QStringLiteral("%1%2").arg(names[hand - 1]).arg(p))->isHidden()) {
                    ++shown;
                    code = hand;
                }
            }
            s += QString::number(shown == 1 ? code : 0);
        }
        return s;
    }

    [[nodiscard]] int kaisuu() const { return shared.aiko + shared.abc1kati + shared.abc1make; }

    Module1 shared;
    FrozenClock clock;
    std::unique_ptr<Form1> form;
};

// The program's window of that object name while it is shown, or null.
inline QWidget *openWindow(const char *name)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto it = std::find_if(windows.begin(), windows.end(), [name](const QWidget *w) {
        return w->objectName() == QLatin1String(name) && w->isVisible();
    });
    return it == windows.end() ? nullptr : *it;
}

// A second window of the program, to leave the board and come back to it.
inline void leaveAndReturn(Form &board)
{
    Form other;
    other.setGeometry(600, 100, 100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.close();
    board.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&board));
}

} // namespace nuperako::test
