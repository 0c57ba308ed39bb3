// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// Timer cadence during automatic play and CPU use while the board waits.
// Usage: bench_cadence [seconds of automatic play, default 20] [idle seconds, default 10]
#include "liveboard.h"
#include "onscreen.h"
#include "platform/timer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <sys/resource.h>
#include <vector>

using namespace nuperako;

namespace {

// Periods between consecutive ticks, in milliseconds; gaps longer than maxGapMs are left out.
std::vector<double> periodsOf(const std::vector<qint64> &ticksNs, double maxGapMs)
{
    std::vector<double> periods;
    for (std::size_t i = 1; i < ticksNs.size(); ++i) {
        const double ms = static_cast<double>(ticksNs[i] - ticksNs[i - 1]) / 1e6;
        if (ms <= maxGapMs)
            periods.push_back(ms);
    }
    return periods;
}

void report(const char *name, const std::vector<double> &periods, double nominalMs)
{
    if (periods.empty())
        return;
    const double mean = std::accumulate(periods.begin(), periods.end(), 0.0) / static_cast<double>(periods.size());
    const double worst = std::accumulate(periods.begin(), periods.end(), 0.0, [nominalMs](double w, double p) {
        return std::max(w, std::abs(p - nominalMs));
    });
    std::printf("%s: %zu periods, mean %.3f ms (nominal %.0f), worst deviation %.3f ms\n", name, periods.size(), mean,
                nominalMs, worst);
}

// Runs the event loop for a while without waking up on its own.
void runFor(int seconds)
{
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int playSeconds = argc > 1 ? std::atoi(argv[1]) : 20;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 10;

    LiveBoard board;
    Form1 &form = board.form;
    form.show();
    waitExposed(&form);

    QElapsedTimer elapsed;
    elapsed.start();
    std::vector<qint64> automatic;
    std::vector<qint64> shuffle;
    QObject::connect(form.findChild<Timer *>(QStringLiteral("Timer4")), &Timer::tick,
                     [&] { automatic.push_back(elapsed.nsecsElapsed()); });
    auto *timer1 = form.findChild<Timer *>(QStringLiteral("Timer1"));
    QObject::connect(timer1, &Timer::tick, [&] { shuffle.push_back(elapsed.nsecsElapsed()); });

    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Command3")), Qt::LeftButton);
    runFor(playSeconds);
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Command7")), Qt::LeftButton);
    report("Timer4 (automatic round)", periodsOf(automatic, 1000), 500);
    // Timer1 restarts at every round: only the periods inside one shuffle count.
    report("Timer1 (shuffle step)", periodsOf(shuffle, 75), 50);

    const double before = cpuSeconds();
    runFor(idleSeconds);
    const double used = cpuSeconds() - before;
    std::printf("idle: %.3f s CPU in %d s (%.3f%%)\n", used, idleSeconds, 100.0 * used / idleSeconds);
    return 0;
}
