// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/module1.h"
#include "mainwindow/form1.h"
#include "platform/form.h"
#include "platform/imagebox.h"
#include "platform/label.h"
#include "platform/timer.h"
#include "support/modelboard.h"

#include <QApplication>
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

    [[nodiscard]] QPushButton *button(Button b) const
    {
        return form->findChild<QPushButton *>(QStringLiteral("Command%1").arg(index(b) + 1));
    }
    [[nodiscard]] Timer *timer(BoardTimer t) const
    {
        return form->findChild<Timer *>(QStringLiteral("Timer%1").arg(index(t) + 1));
    }
    [[nodiscard]] Label *label(const QString &name) const { return form->findChild<Label *>(name); }
    [[nodiscard]] QString text(const QString &name) const { return label(name)->text(); }

    // A real click: a disabled button takes none.
    void click(Button b) const { QTest::mouseClick(button(b), Qt::LeftButton); }

    // The state as the window shows it, in the words of describe().
    [[nodiscard]] QString shownState() const
    {
        QString buttons;
        for (std::size_t b = 0; b < kButtonCount; ++b)
            buttons += button(static_cast<Button>(b))->isEnabled() ? QChar(u'1' + static_cast<int>(b)) : QChar(u'.');
        QString timers;
        for (std::size_t t = 0; t < kTimerCount; ++t)
            timers += timer(static_cast<BoardTimer>(t))->isEnabled() ? QChar(u'1' + static_cast<int>(t)) : QChar(u'.');
        return QStringLiteral("%1 %2 jidou=%3 owari=%4")
            .arg(buttons, timers)
            .arg(form->model().variables().jidou)
            .arg(shared.owari);
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
