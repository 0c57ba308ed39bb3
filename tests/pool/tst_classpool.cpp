// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/classcode.h"
#include "pool/classdrawing.h"
#include "pool/classpool.h"
#include "pool/csvexport.h"
#include "pool/funnel.h"
#include "pool/pooledhistory.h"
#include "pool/protocol.h"
#include "pool/seatname.h"
#include "pool/staterules.h"
#include "pool/staticpath.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

using namespace nuperako;
using namespace nuperako::pool;

Q_DECLARE_METATYPE(nuperako::pool::Verdict)

class TestClassPool : public QObject {
    Q_OBJECT

private slots:
    void tallyRules_data();
    void tallyRules();
    void newestStateStands();
    void endedExperimentTakesOneMoreRound();
    void roundsNoFasterThanPlayable();
    void seatsInJoiningOrder();
    void seatNames_data();
    void seatNames();
    void pooledTally();
    void removedExperimentStaysOut();
    void historyThinsEvenly();
    void historyAfterRemoval();
    void roundTicks_data();
    void roundTicks();
    void funnelCurves();
    void funnelNamesHidden();
    void classCodes();
    void staticFiles_data();
    void staticFiles();
    void csvFields_data();
    void csvFields();
};

namespace {

const std::string kDevice = "0123456789abcdef";
const std::string kOther = "fedcba9876543210";

// aiko, then A, B, C alone winning, then A, B, C alone losing: the totals follow.
StateMessage state(std::int64_t seq, int aiko, std::array<int, 3> kati, std::array<int, 3> make, bool ended = false,
                   std::int64_t experiment = 1)
{
    return {experiment,
            seq,
            {aiko, kati[0], kati[1], kati[2], kati[0] + kati[1] + kati[2], make[0], make[1], make[2],
             make[0] + make[1] + make[2]},
            ended};
}

// A pool with kDevice joined long enough ago to have played anything.
ClassPool joinedPool()
{
    ClassPool pool("ABCDE");
    pool.join(kDevice, 0);
    return pool;
}
constexpr std::int64_t kLater = 3'600'000; // an hour in

} // namespace

void TestClassPool::tallyRules_data()
{
    QTest::addColumn<StateMessage>("message");
    QTest::addColumn<Verdict>("verdict");
    QTest::newRow("first round") << state(1, 1, {}, {}) << Verdict::Accepted;
    QTest::newRow("no round yet") << state(1, 0, {}, {}) << Verdict::Empty;
    QTest::newRow("negative count") << state(1, 5, {-1, 1, 0}, {}) << Verdict::Negative;
    QTest::newRow("count over 1000") << state(1, 1001, {}, {}, true) << Verdict::BeyondEnd;
    StateMessage wins = state(1, 3, {1, 1, 0}, {});
    wins.counts[index(Count::Abc1Kati)] = 3;
    QTest::newRow("wins do not add up") << wins << Verdict::Inconsistent;
    StateMessage losses = state(1, 3, {}, {0, 2, 0});
    losses.counts[index(Count::Abc1Make)] = 1;
    QTest::newRow("losses do not add up") << losses << Verdict::Inconsistent;
    QTest::newRow("998 still running") << state(1, 998, {300, 300, 300}, {}) << Verdict::Accepted;
    QTest::newRow("998 marked ended") << state(1, 998, {}, {}, true) << Verdict::WrongEnd;
    QTest::newRow("999 ends it") << state(1, 999, {1, 0, 0}, {}, true) << Verdict::Accepted;
    QTest::newRow("999 not marked ended") << state(1, 0, {999, 0, 0}, {}) << Verdict::WrongEnd;
    QTest::newRow("one round after the end: 1000") << state(1, 1000, {}, {}, true) << Verdict::Accepted;
    QTest::newRow("one round after the end: two at 999") << state(1, 999, {999, 0, 0}, {}, true) << Verdict::Accepted;
    QTest::newRow("1000 and 999") << state(1, 1000, {999, 0, 0}, {}, true) << Verdict::BeyondEnd;
    QTest::newRow("three at 999") << state(1, 999, {999, 0, 0}, {0, 0, 999}, true) << Verdict::BeyondEnd;
    QTest::newRow("sequence 0") << state(0, 1, {}, {}) << Verdict::BadNumber;
    QTest::newRow("sequence past 2^53") << state(kMaxSeq + 1, 1, {}, {}) << Verdict::BadNumber;
    QTest::newRow("experiment 0") << state(1, 1, {}, {}, false, 0) << Verdict::BadNumber;
}

void TestClassPool::tallyRules()
{
    QFETCH(StateMessage, message);
    QFETCH(Verdict, verdict);
    ClassPool pool = joinedPool();
    QCOMPARE(pool.offer(kDevice, message, kLater), verdict);
    // Nothing of a refused state is kept.
    QCOMPARE(pool.summary().experiments.size(), verdict == Verdict::Accepted ? 1U : 0U);
}

void TestClassPool::newestStateStands()
{
    ClassPool pool = joinedPool();
    QCOMPARE(pool.offer(kDevice, state(2, 2, {1, 0, 0}, {}), kLater), Verdict::Accepted);
    // A repeat and an older state that arrives late change nothing.
    QCOMPARE(pool.offer(kDevice, state(2, 2, {1, 0, 0}, {}), kLater), Verdict::Stale);
    QCOMPARE(pool.offer(kDevice, state(1, 2, {}, {}), kLater), Verdict::Stale);
    QCOMPARE(pool.summary().tally.rounds, 3);
    // A newer state whose counts went down is no state of the same experiment.
    QCOMPARE(pool.offer(kDevice, state(3, 1, {1, 0, 0}, {0, 1, 0}), kLater), Verdict::Shrinking);
    QCOMPARE(pool.offer(kDevice, state(5, 2, {1, 1, 0}, {}), kLater), Verdict::Accepted);
    QCOMPARE(pool.summary().tally.rounds, 4);
    // Not before the page has joined.
    QCOMPARE(pool.offer(kOther, state(1, 1, {}, {}), kLater), Verdict::NotJoined);
}

void TestClassPool::endedExperimentTakesOneMoreRound()
{
    ClassPool pool = joinedPool();
    QCOMPARE(pool.offer(kDevice, state(1, 999, {0, 500, 0}, {}, true), kLater), Verdict::Accepted);
    QCOMPARE(pool.offer(kDevice, state(2, 999, {0, 501, 0}, {}, true), kLater), Verdict::Accepted);
    QCOMPARE(pool.offer(kDevice, state(3, 999, {0, 502, 0}, {}, true), kLater), Verdict::PlayedOn);
}

void TestClassPool::roundsNoFasterThanPlayable()
{
    // A burst of 60 rounds at once, then five a second, counted over all of the student's experiments.
    ClassPool pool("ABCDE");
    pool.join(kDevice, 1000);
    QCOMPARE(pool.offer(kDevice, state(1, 60, {}, {}), 1000), Verdict::Accepted);
    QCOMPARE(pool.offer(kDevice, state(2, 61, {}, {}), 1000), Verdict::TooFast);
    QCOMPARE(pool.offer(kDevice, state(1, 50, {}, {}, false, 2), 11'000), Verdict::Accepted);
    QCOMPARE(pool.offer(kDevice, state(2, 51, {}, {}, false, 2), 11'000), Verdict::TooFast);
    // A restart keeps when the student joined.
    ClassPool restored("ABCDE");
    restored.restoreStudent(kDevice, "1番", 1, 1000);
    QCOMPARE(restored.join(kDevice, 11'000)->joinedMs, 1000);
}

void TestClassPool::seatsInJoiningOrder()
{
    ClassPool pool("ABCDE");
    QCOMPARE(pool.join(kDevice, 0)->seat, "1番");
    QCOMPARE(pool.join(kOther, 0)->seat, "2番");
    // A page that joins again, after a reload or a lost connection, keeps its seat.
    QCOMPARE(pool.join(kDevice, 5)->seat, "1番");
    QCOMPARE(pool.summary().connected, 2);
    pool.leave(kDevice);
    QCOMPARE(pool.summary().connected, 2); // its second connection is still open
    pool.leave(kDevice);
    QCOMPARE(pool.summary().connected, 1);
    QCOMPARE(pool.rename(kOther, "　はなこ "), Verdict::Accepted);
    QCOMPARE(pool.student(kOther)->seat, "はなこ");
    QCOMPARE(pool.rename(kOther, "\t"), Verdict::BadSeatName);
    QCOMPARE(pool.student(kOther)->seat, "はなこ");
    QVERIFY(!isDeviceId("short"));
    QVERIFY(!isDeviceId("0123456789abcdef<script>"));
}

void TestClassPool::seatNames_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("shown"); // empty: refused
    QTest::newRow("kept") << QByteArray("3班 たろう") << QByteArray("3班 たろう");
    QTest::newRow("spaces at the ends") << QByteArray("\xe3\x80\x80 ken  ") << QByteArray("ken");
    QTest::newRow("twelve characters") << QByteArray("一二三四五六七八九十一二")
                                       << QByteArray("一二三四五六七八九十一二");
    QTest::newRow("thirteen") << QByteArray("一二三四五六七八九十一二三") << QByteArray();
    QTest::newRow("only spaces") << QByteArray("   ") << QByteArray();
    QTest::newRow("newline") << QByteArray("a\nb") << QByteArray();
    QTest::newRow("line separator") << QByteArray("a\xe2\x80\xa8") << QByteArray();
    QTest::newRow("not UTF-8") << QByteArray("a\xff") << QByteArray();
    QTest::newRow("overlong slash") << QByteArray("a\xc0\xaf") << QByteArray();
    QTest::newRow("cut short") << QByteArray("a\xe3\x80") << QByteArray();
}

void TestClassPool::seatNames()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, shown);
    const std::optional<std::string> seat = seatName(typed.toStdString());
    QCOMPARE(seat.has_value(), !shown.isEmpty());
    if (seat)
        QCOMPARE(QByteArray::fromStdString(*seat), shown);
}

void TestClassPool::pooledTally()
{
    ClassPool pool = joinedPool();
    pool.join(kOther, 0);
    QCOMPARE(pool.offer(kOther, state(1, 1, {1, 0, 0}, {0, 0, 1}), kLater), Verdict::Accepted);
    QCOMPARE(pool.offer(kDevice, state(1, 2, {0, 0, 1}, {}), kLater), Verdict::Accepted);
    QCOMPARE(pool.offer(kDevice, state(1, 0, {}, {1, 0, 0}, false, 2), kLater), Verdict::Accepted);
    const PoolSummary s = pool.summary();
    QCOMPARE(s.tally.rounds, 7);
    QCOMPARE(s.tally[Count::Aiko], 3);
    QCOMPARE(s.tally.ratioText(Count::Aiko), "0.429");
    QCOMPARE(s.tally.ratioText(Count::Abc1Kati), "0.286");
    QCOMPARE(s.tally.countText(Count::Abc1Make), "2");
    // By seat, then experiment: the first to join comes first.
    QCOMPARE(s.experiments.size(), 3U);
    QCOMPARE(s.experiments[0].seat, "1番");
    QCOMPARE(s.experiments[1].experiment, 2);
    QCOMPARE(s.experiments[2].seat, "2番");
}

void TestClassPool::removedExperimentStaysOut()
{
    ClassPool pool = joinedPool();
    QCOMPARE(pool.offer(kDevice, state(1, 2, {1, 0, 0}, {}), kLater), Verdict::Accepted);
    QCOMPARE(pool.offer(kDevice, state(1, 1, {}, {}, false, 2), kLater), Verdict::Accepted);
    const int student = pool.student(kDevice)->number;
    QCOMPARE(pool.remove(student, 3), nullptr);
    QCOMPARE(*pool.remove(student, 1), kDevice);
    QCOMPARE(pool.tally().rounds, 1);
    // A state of it sent later, even a newer one, does not bring it back, nor does a restart.
    QCOMPARE(pool.offer(kDevice, state(2, 4, {1, 0, 0}, {}), kLater), Verdict::Removed);
    ClassPool restarted("ABCDE");
    restarted.restoreStudent(kDevice, "1番", student, 0);
    restarted.restoreRemoved(kDevice, 1);
    QCOMPARE(restarted.offer(kDevice, state(3, 5, {1, 0, 0}, {}), kLater), Verdict::Removed);
}

void TestClassPool::historyThinsEvenly()
{
    PooledHistory history;
    constexpr std::int64_t kRounds = 100'000;
    for (std::int64_t r = 1; r <= kRounds; ++r)
        QVERIFY(history.record({r, r / 3, r / 3, r - 2 * (r / 3)}));
    QVERIFY(!history.record({kRounds, kRounds / 3, kRounds / 3, kRounds - 2 * (kRounds / 3)}));
    const std::vector<HistoryPoint> &points = history.points();
    QVERIFY(points.size() <= PooledHistory::kMostPoints);
    QVERIFY(points.size() > PooledHistory::kMostPoints / 2);
    QCOMPARE(points.front().rounds, 1);
    QCOMPARE(points.back().rounds, kRounds);
    // Evenly spread: no gap between points kept more than twice the typical one.
    const std::int64_t typical = kRounds / static_cast<std::int64_t>(points.size());
    for (std::size_t i = 1; i < points.size(); ++i)
        QVERIFY2(points[i].rounds - points[i - 1].rounds <= 2 * typical, qPrintable(QString::number(i)));
}

void TestClassPool::historyAfterRemoval()
{
    PooledHistory history;
    for (const std::int64_t r : {10, 20, 30, 40})
        history.record({r, r / 2, r / 4, r / 4});
    // An experiment of 25 rounds leaves the class at 40: the curve goes back to 15 and on from there.
    history.record({15, 7, 4, 4});
    history.record({16, 8, 4, 4});
    std::vector<std::int64_t> rounds(history.points().size());
    std::ranges::transform(history.points(), rounds.begin(), &HistoryPoint::rounds);
    QCOMPARE(rounds, (std::vector<std::int64_t>{10, 15, 16}));
}

void TestClassPool::roundTicks_data()
{
    QTest::addColumn<qint64>("most");
    QTest::addColumn<std::vector<std::int64_t>>("ticks");
    QTest::newRow("one round") << qint64{1} << std::vector<std::int64_t>{1};
    QTest::newRow("ten, by twos") << qint64{10} << std::vector<std::int64_t>{2, 4, 6, 8, 10};
    QTest::newRow("twelve, by fives") << qint64{12} << std::vector<std::int64_t>{5, 10};
    QTest::newRow("a class's lesson") << qint64{2490} << std::vector<std::int64_t>{500, 1000, 1500, 2000};
    QTest::newRow("a large class") << qint64{120'000} << std::vector<std::int64_t>{50'000, 100'000};
}

void TestClassPool::roundTicks()
{
    QFETCH(qint64, most);
    QFETCH(std::vector<std::int64_t>, ticks);
    QCOMPARE(pool::roundTicks(most), ticks);
}

void TestClassPool::funnelCurves()
{
    // Two standard deviations of a share of chance 1/3: 2·√(2/9) after one round, a tenth of that after 100.
    QVERIFY(qFuzzyCompare(funnelHalfWidth(1), 2 * std::sqrt(2.0 / 9)));
    QVERIFY(qFuzzyCompare(funnelHalfWidth(100), funnelHalfWidth(1) / 10));
    // The scale of tens reaches past the class's rounds, so the class's dot is inside the picture.
    Funnel f;
    f.pooled.rounds = 1000;
    QVERIFY(funnelPlace(f, 1000, 0).x < funnelPlace(f, 10'000, 0).x);
    QCOMPARE(funnelPlace(f, 100, 0.5).x, (funnelPlace(f, 1, 0).x + funnelPlace(f, 10'000, 0).x) / 2);
    // The band, counted: at 100 rounds its half width is 0.094.
    QCOMPARE(bandText(f), "");
    for (const double share : {1.0 / 3, 0.42, 0.24, 0.43, 0.2})
        f.dots.push_back({100, share, 1, 1, {}});
    QCOMPARE(bandText(f), "帯の中 3 / 5 実験 (60 %)");
    // What a student's screen reader hears, the student's own experiment first.
    f.dots[0].rounds = 150;
    f.pooled = {4210, 0.3362, 0, 0, {}};
    QCOMPARE(funnelSpeech(f, 0), "あなたの実験: 150回 あいこ 0.333、クラス全体: 4,210回 あいこ 0.336、帯の中 3 / 5");
}

void TestClassPool::funnelNamesHidden()
{
    ClassPool pool = joinedPool();
    QCOMPARE(pool.offer(kDevice, state(1, 3, {1, 0, 0}, {}), kLater), Verdict::Accepted);
    QCOMPARE(pool.rename(kDevice, "たろう"), Verdict::Accepted);
    const Funnel named = makeFunnel(pool.summary(), ResultKind::Aiko, false);
    const Funnel hidden = makeFunnel(pool.summary(), ResultKind::Aiko, true);
    QCOMPARE(named.dots.size(), 1U);
    QCOMPARE(named.dots[0].share, 0.75);
    QCOMPARE(named.dots[0].label, "たろう　実験1　4回　あいこ 0.750");
    QCOMPARE(hidden.dots[0].label, "1番　実験1　4回　あいこ 0.750");
    QCOMPARE(makeFunnel(pool.summary(), ResultKind::OneWins, true).pooled.label, "クラス全体　4回　一人勝ち 0.250");
}

void TestClassPool::classCodes()
{
    for (const char lookalike : {'O', '0', 'I', '1', 'l'})
        QCOMPARE(kClassCodeSigns.find(lookalike), std::string_view::npos);
    QCOMPARE(classCode(0), "AAAAA");
    QCOMPARE(classCode(~std::uint64_t{0}), "99999");
    QVERIFY(isClassCode(classCode(0x123456789)));
    QVERIFY(!isClassCode("ABCD0"));
    QVERIFY(!isClassCode("ABCDEF"));
}

void TestClassPool::staticFiles_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("file"); // below the page's folder; empty: refused
    QTest::newRow("root") << QByteArray("/") << QStringLiteral("index.html");
    QTest::newRow("file") << QByteArray("/js/main.js") << QStringLiteral("js/main.js");
    QTest::newRow("encoded letters") << QByteArray("/js/m%61in.js") << QStringLiteral("js/main.js");
    QTest::newRow("dot dot") << QByteArray("/js/../index.html") << QString();
    QTest::newRow("encoded dot dot") << QByteArray("/%2e%2e/secret") << QString();
    QTest::newRow("encoded slash") << QByteArray("/js%2Fmain.js") << QString();
    QTest::newRow("backslash") << QByteArray("/js%5Cmain.js") << QString();
    QTest::newRow("NUL") << QByteArray("/index.html%00.png") << QString();
    QTest::newRow("hidden") << QByteArray("/.git") << QString();
    QTest::newRow("folder") << QByteArray("/js/") << QString();
    QTest::newRow("missing") << QByteArray("/nope.js") << QString();
    QTest::newRow("link out") << QByteArray("/out.txt") << QString();
    QTest::newRow("bad escape") << QByteArray("/a%zz") << QString();
}

void TestClassPool::staticFiles()
{
    QFETCH(QByteArray, path);
    QFETCH(QString, file);
    QTemporaryDir dir;
    const std::filesystem::path top = dir.path().toStdString();
    std::filesystem::create_directories(top / "page" / "js");
    for (const char *name : {"page/index.html", "page/js/main.js", "page/.git", "secret"})
        std::ofstream(top / name) << "x";
    std::filesystem::create_symlink(top / "secret", top / "page" / "out.txt");
    const auto found = staticFile(top / "page", path.toStdString());
    QCOMPARE(found.has_value(), !file.isEmpty());
    if (found)
        QCOMPARE(*found, std::filesystem::canonical(top / "page" / file.toStdString()));
}

void TestClassPool::csvFields_data()
{
    QTest::addColumn<QByteArray>("seat");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QByteArray("3班 たろう") << QByteArray("3班 たろう");
    QTest::newRow("comma") << QByteArray("a,b") << QByteArray("\"a,b\"");
    QTest::newRow("quote") << QByteArray("a\"b") << QByteArray(R"("a""b")");
    QTest::newRow("formula") << QByteArray("=1+2") << QByteArray("'=1+2");
    QTest::newRow("formula with a comma") << QByteArray("@SUM(1,2)") << QByteArray("\"'@SUM(1,2)\"");
    QTest::newRow("minus") << QByteArray("-x") << QByteArray("'-x");
}

void TestClassPool::csvFields()
{
    QFETCH(QByteArray, seat);
    QFETCH(QByteArray, field);
    QCOMPARE(QByteArray::fromStdString(csvField(seat.toStdString())), field);
}

QTEST_APPLESS_MAIN(TestClassPool)
#include "tst_classpool.moc"
