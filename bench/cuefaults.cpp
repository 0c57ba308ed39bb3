// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// How long reset, help and exit (answered No) take from the click to the
// command's end, with whatever sound files and sound plugin lie beside this
// executable; the first reset also loads the plugin. bench/cuefaults.sh runs it
// with the files present, removed and broken, and without the plugin.
#include "liveboard.h"
#include "onscreen.h"
#include "platform/questionbox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class AnswerNo final : public nuperako::QuestionBox {
public:
    int ask(QWidget *, const QString &, const QString &) override { return nuperako::kAnswerNo; }
};

double clickMs(LiveBoard &board, const char *button)
{
    board.form.activateWindow();
    waitActive(&board.form);
    auto *target = board.form.findChild<QPushButton *>(QLatin1String(button));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(target, Qt::LeftButton);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    return ms;
}

double medianMs(LiveBoard &board, const char *button, int runs)
{
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i)
        times.push_back(clickMs(board, button));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    LiveBoard board;
    board.form.setQuestionBox(std::make_unique<AnswerNo>());
    board.form.show();
    waitExposed(&board.form);

    const double first = clickMs(board, "Command4");
    std::printf("first reset %.3f ms, reset %.3f ms, help %.3f ms, exit answered No %.3f ms (medians of 50)\n", first,
                medianMs(board, "Command4", 50), medianMs(board, "Command5", 50), medianMs(board, "Command6", 50));
    return 0;
}
