// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classpicture.h"
#include "classroom/classserver.h"
#include "classroom/classstore.h"
#include "classroom/classwindow.h"
#include "classroom/funnelview.h"
#include "core/palette.h"
#include "platform/qtconvert.h"
#include "pool/classdrawing.h"
#include "support/scriptedanswer.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

using namespace nuperako;
using namespace nuperako::classroom;

class TestClassWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void picturesShowTheClass();
    void removeAsksFirst();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ClassStore> m_store;
    std::unique_ptr<ClassServer> m_server;
    std::unique_ptr<test::ScriptedAnswer> m_answer;
    std::unique_ptr<ClassWindow> m_window;
};

namespace {

constexpr char kCode[] = "ABCDE";

// An experiment of draws, wins by A and losses by B.
pool::ExperimentState experiment(int aiko, int wins, int losses)
{
    pool::ExperimentState s;
    s.seq = 1;
    s.counts = {static_cast<std::int16_t>(aiko),
                static_cast<std::int16_t>(wins),
                0,
                0,
                static_cast<std::int16_t>(wins),
                0,
                static_cast<std::int16_t>(losses),
                0,
                static_cast<std::int16_t>(losses)};
    return s;
}

// Whether the colour is drawn within a few of the window's pixels of the point.
bool drawnNear(const ClassPicture &picture, pool::PicturePoint p, Rgb color)
{
    constexpr int kReach = 3;
    const float stepX = pool::kClassPictureWidth / static_cast<float>(picture.width());
    const float stepY = pool::kClassPictureHeight / static_cast<float>(picture.height());
    for (int dy = -kReach; dy <= kReach; ++dy) {
        for (int dx = -kReach; dx <= kReach; ++dx) {
            if (picture.colorAt({p.x + static_cast<float>(dx) * stepX, p.y + static_cast<float>(dy) * stepY}) ==
                toQColor(color))
                return true;
        }
    }
    return false;
}

} // namespace

void TestClassWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<ClassStore>(m_dir->filePath(QStringLiteral("classes.sqlite")));
    QVERIFY(m_store->addClass(kCode, 0));
    // Three students, 600 rounds in all; the class's history as the server kept it.
    pool::ClassPool pool(kCode);
    const std::array experiments{experiment(100, 100, 100), experiment(80, 60, 60), experiment(20, 40, 40)};
    for (int i = 0; i < 3; ++i) {
        const std::string device = "device-0000000000" + std::to_string(i);
        pool.restoreStudent(device, std::to_string(i + 1) + "番", i + 1, 0);
        pool.restoreExperiment(device, 1, experiments[static_cast<std::size_t>(i)]);
    }
    for (const pool::HistoryPoint &p : {pool::HistoryPoint{100, 20, 50, 30}, pool::HistoryPoint{600, 200, 200, 200}})
        m_store->stageHistory(kCode, p);
    QVERIFY(m_store->commit());
    m_server = std::make_unique<ClassServer>(*m_store, std::move(pool), m_dir->path().toStdString());
    m_answer = std::make_unique<test::ScriptedAnswer>(kAnswerYes);
    m_window = std::make_unique<ClassWindow>(*m_server, *m_answer);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->showPool();
}

void TestClassWindow::cleanup()
{
    m_window.reset();
    m_server.reset();
    m_store.reset();
    m_dir.reset();
}

void TestClassWindow::picturesShowTheClass()
{
    // The class's ratios after 100 of its 600 rounds, each in its colour.
    const auto *graph = m_window->findChild<ClassPicture *>(QStringLiteral("graph"));
    QVERIFY(graph != nullptr);
    QVERIFY(drawnNear(*graph, pool::pooledGraphPlace(600, 100, 0.2), kDrawColor));
    QVERIFY(drawnNear(*graph, pool::pooledGraphPlace(600, 100, 0.5), kWinColor));
    QVERIFY(drawnNear(*graph, pool::pooledGraphPlace(600, 100, 0.3), kLoseColor));

    // The experiment of 300 rounds, a third of them draws: its dot between the funnel's curves.
    const auto *funnel = m_window->findChild<FunnelView *>(QStringLiteral("funnel"));
    const pool::Funnel &f = funnel->funnel();
    QCOMPARE(f.dots.size(), 3U);
    const double spread = pool::funnelHalfWidth(300);
    const Rgb curve = paletteColor(8);
    QVERIFY(drawnNear(*funnel, pool::funnelPlace(f, 300, 1.0 / 3 + spread), curve));
    QVERIFY(drawnNear(*funnel, pool::funnelPlace(f, 300, 1.0 / 3 - spread), curve));
    QVERIFY(drawnNear(*funnel, pool::funnelPlace(f, 300, 1.0 / 3), kDrawColor));
    QVERIFY(!drawnNear(*funnel, pool::funnelPlace(f, 300, 0.9), kDrawColor));
}

void TestClassWindow::removeAsksFirst()
{
    auto *funnel = m_window->findChild<FunnelView *>(QStringLiteral("funnel"));
    QPushButton *remove = nullptr;
    for (QPushButton *b : m_window->findChildren<QPushButton *>()) {
        if (b->text() == QStringLiteral("取り除く…"))
            remove = b;
    }
    QVERIFY(remove != nullptr && !remove->isEnabled());
    // The dot of student 3's experiment of 100 rounds, 20 of them draws.
    const QPointF dot = funnel->toWidget(pool::funnelPlace(funnel->funnel(), 100, 0.2));
    QTest::mouseClick(funnel, Qt::LeftButton, {}, dot.toPoint());
    QVERIFY(remove->isEnabled());
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(m_answer->asked, 1);
    QVERIFY(m_answer->lastText.startsWith(QStringLiteral("3番　実験1　100回")));
    QCOMPARE(m_server->pool().tally().rounds, 500);
    QCOMPARE(funnel->funnel().dots.size(), 2U);
    QVERIFY(!remove->isEnabled());
}

QTEST_MAIN(TestClassWindow)
#include "tst_classwindow.moc"
