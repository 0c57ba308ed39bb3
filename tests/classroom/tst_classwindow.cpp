// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/classpicture.h"
#include "classroom/classwindow.h"
#include "classroom/funnelview.h"
#include "core/palette.h"
#include "platform/qtconvert.h"
#include "platform/questionbox.h"
#include "pool/classdrawing.h"
#include "pool/classsession.h"
#include "support/scriptedanswer.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>

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
    void seatsAreShownAsText();
    void missingPageIsSaid();

private:
    std::unique_ptr<pool::ClassSession> m_session;
    std::unique_ptr<test::ScriptedAnswer> m_answer;
    std::unique_ptr<ClassWindow> m_window;
};

namespace {

constexpr char kCode[] = "ABCDE";
constexpr char kMarkupSeat[] = "<h1>2</h1>";

// A window showing the session, with what it asks for carried out on it.
std::unique_ptr<ClassWindow> showing(pool::ClassSession &session, QuestionBox &questions, bool servesPage = true)
{
    auto window = std::make_unique<ClassWindow>(questions, servesPage);
    QObject::connect(
        window.get(), &ClassWindow::removeAsked, window.get(),
        [&session](int student, std::int64_t experiment) { session.removeExperiment(student, experiment); });
    window->showClass(session, QStringLiteral("http://127.0.0.1:8088/?class=ABCDE"));
    window->show();
    return window;
}

QPushButton *button(const QWidget &window, const QString &text)
{
    const QList<QPushButton *> buttons = window.findChildren<QPushButton *>();
    const auto found = std::ranges::find_if(buttons, [&](const QPushButton *b) { return b->text() == text; });
    return found == buttons.end() ? nullptr : *found;
}

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
    // Three students, 600 rounds in all; the class's history as the server kept it.
    pool::ClassPool pool(kCode);
    const std::array experiments{experiment(100, 100, 100), experiment(80, 60, 60), experiment(20, 40, 40)};
    for (int i = 0; i < 3; ++i) {
        const std::string device = "device-0000000000" + std::to_string(i);
        // The second student named the seat with markup.
        pool.restoreStudent(device, i == 1 ? kMarkupSeat : std::to_string(i + 1) + "番", i + 1, 0);
        pool.restoreExperiment(device, 1, experiments[static_cast<std::size_t>(i)]);
    }
    pool::PooledHistory history;
    for (const pool::HistoryPoint &p :
         {pool::HistoryPoint{100, {20, 50, 30}}, pool::HistoryPoint{600, {200, 200, 200}}})
        history.record(p);
    m_session = std::make_unique<pool::ClassSession>(std::move(pool), std::move(history));
    m_answer = std::make_unique<test::ScriptedAnswer>(kAnswerYes);
    m_window = showing(*m_session, *m_answer);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestClassWindow::cleanup()
{
    m_window.reset();
    m_session.reset();
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
    QPushButton *remove = button(*m_window, QStringLiteral("取り除く…"));
    QVERIFY(remove != nullptr && !remove->isEnabled());
    // The dot of student 3's experiment of 100 rounds, 20 of them draws.
    const QPointF dot = funnel->toWidget(pool::funnelPlace(funnel->funnel(), 100, 0.2));
    QTest::mouseClick(funnel, Qt::LeftButton, {}, dot.toPoint());
    QVERIFY(remove->isEnabled());
    QTest::mouseClick(remove, Qt::LeftButton);
    QCOMPARE(m_answer->asked, 1);
    QVERIFY(m_answer->lastText.startsWith(QStringLiteral("3番　実験1　100回")));
    QCOMPARE(m_session->pool().tally().rounds, 500);
    QCOMPARE(funnel->funnel().dots.size(), 2U);
    QVERIFY(!remove->isEnabled());
}

void TestClassWindow::seatsAreShownAsText()
{
    QuestionBox realQuestions;
    const std::unique_ptr<ClassWindow> window = showing(*m_session, realQuestions);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *funnel = window->findChild<FunnelView *>(QStringLiteral("funnel"));
    // The second student's experiment: 200 rounds, 80 of them draws.
    const QPoint dot = funnel->toWidget(pool::funnelPlace(funnel->funnel(), 200, 0.4)).toPoint();
    const QString name = QString::fromUtf8(kMarkupSeat) + QStringLiteral("　実験1");

    // The pointer over the dot names it.
    QMouseEvent over(QEvent::MouseMove, dot, funnel->mapToGlobal(dot), Qt::NoButton, {}, {});
    QApplication::sendEvent(funnel, &over);
    QVERIFY(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText().startsWith(name));

    QTest::mouseClick(funnel, Qt::LeftButton, {}, dot);
    QString question;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(100, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        question = box->text();
        format = box->textFormat();
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });
    QTest::mouseClick(button(*window, QStringLiteral("取り除く…")), Qt::LeftButton);
    QVERIFY(question.startsWith(name));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(m_session->pool().tally().rounds, 600); // answered No
}

void TestClassWindow::missingPageIsSaid()
{
    const auto saysNoPage = [](const QWidget &w) {
        return std::ranges::any_of(w.findChildren<QLabel *>(), [](const QLabel *l) {
            return l->text().contains(QStringLiteral("生徒は参加できません"));
        });
    };
    QVERIFY(!saysNoPage(*m_window));
    // F11: the whole screen, and back.
    QTest::keyClick(m_window.get(), Qt::Key_F11);
    QVERIFY(m_window->isFullScreen());
    QTest::keyClick(m_window.get(), Qt::Key_F11);
    QVERIFY(!m_window->isFullScreen());
    QVERIFY(saysNoPage(*showing(*m_session, *m_answer, false)));
}

QTEST_MAIN(TestClassWindow)
#include "tst_classwindow.moc"
