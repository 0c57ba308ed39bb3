// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// Resident memory of the program while the graph and help windows are opened
// and closed over and over: after 0, 1, 100 and 1000 cycles.
#include "liveboard.h"
#include "onscreen.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return static_cast<double>(fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void openAndClose(LiveBoard &board, const char *button, const char *window)
{
    QTest::mouseClick(board.form.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(window) && w->isVisible()) {
            waitExposed(w);
            w->close();
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    LiveBoard board;
    board.form.show();
    waitExposed(&board.form);

    int done = 0;
    for (int target : {0, 1, 2, 5, 10, 20, 50, 100, 1000}) {
        for (; done < target; ++done) {
            openAndClose(board, "Command8", "Form2");
            openAndClose(board, "Command5", "Form4");
        }
        std::printf("after %4d cycles: %.2f MiB resident\n", done, residentMiB());
    }
    return 0;
}
