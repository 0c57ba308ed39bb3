// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "batch/batchoptions.h"
#include "batch/batchplot.h"
#include "batch/batchprogram.h"
#include "batch/batchreport.h"
#include "batch/batchrunner.h"
#include "batch/fixedclock.h"
#include "core/boardvariables.h"
#include "core/experiment.h"
#include "core/mixinggenerator.h"
#include "core/module1.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

using namespace nuperako;
using namespace nuperako::batch;

namespace {

struct Finished {
    int status;
    std::string out;
    std::string err;
};

Finished runProgram(const std::vector<std::string_view> &args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runBatchProgram(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT

private slots:
    void sameSeedSameOutputWhateverTheThreads_data();
    void sameSeedSameOutputWhateverTheThreads();
    void roundsAreTheBoardsRounds();
    void runsEndByTheEndRuleOrAfterTheirRounds();
    void totalsAgreeWithOneThird();
    void argumentErrors_data();
    void argumentErrors();
    void unwritablePlotFileFailsBeforeRunning();
    void csvParses_data();
    void csvParses();
    void plotShowsTheThreeColours();
    void programIsReproducibleAcrossProcesses();
    void manualPageSaysWhatHelpSays();
    void plottingPrintsNoToolkitWarning();
    void qtIsLoadedOnlyForThePlot();
};

void TestBatch::sameSeedSameOutputWhateverTheThreads_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("summary of a few runs") << "--runs=7";
    QTest::newRow("summary of many runs") << "--runs=40";
    QTest::newRow("csv") << "--csv";
}

void TestBatch::sameSeedSameOutputWhateverTheThreads()
{
    QFETCH(QString, mode);
    const std::string m = mode.toStdString();
    const std::vector<std::string_view> base{"--seed", "99", "--runs", "40", m};
    auto withThreads = [&](std::string_view threads) {
        std::vector<std::string_view> args = base;
        args.insert(args.end(), {"--threads", threads});
        return runProgram(args);
    };
    const Finished one = withThreads("1");
    QCOMPARE(one.status, 0);
    QVERIFY(!one.out.empty());
    QCOMPARE(withThreads("1").out, one.out);
    QCOMPARE(withThreads("2").out, one.out);
    QCOMPARE(withThreads("5").out, one.out);
    QVERIFY(runProgram({"--seed", "100", "--runs", "40", m}).out != one.out);
}

// A batch run is the board's experiment played from the run's seed with the
// fixed clock: replayed round by round, it gives the same totals after every round.
void TestBatch::roundsAreTheBoardsRounds()
{
    const std::uint64_t runSeed = BatchRunner::seedOfRun(42, 3);
    const RunResult batch = BatchRunner::playRun(runSeed, std::nullopt, true);

    Module1 shared;
    BoardVariables vars;
    MixingGenerator random(runSeed);
    FixedClock clock(0.0F);
    Experiment experiment(shared, vars, random, clock);
    experiment.initialise();
    int rounds = 0;
    while (shared.owari == 0) {
        experiment.playRound();
        ++rounds;
        const auto &kept = batch.history.at(static_cast<std::size_t>(rounds) - 1);
        QCOMPARE(kept[0], shared.aiko);
        QCOMPARE(kept[1], shared.abc1kati);
        QCOMPARE(kept[2], shared.abc1make);
    }
    QCOMPARE(batch.rounds, rounds);
    QVERIFY(batch.counts.values == experiment.counts().values);
}

void TestBatch::runsEndByTheEndRuleOrAfterTheirRounds()
{
    const RunResult natural = BatchRunner::playRun(7, std::nullopt, false);
    const int top = std::max({natural.aiko(), natural.abc1kati(), natural.abc1make()});
    QCOMPARE(top, kEndTotal);
    QCOMPARE(natural.aiko() + natural.abc1kati() + natural.abc1make(), natural.rounds);
    QCOMPARE(natural.abc1kati(),
             natural.counts[Count::A1Kati] + natural.counts[Count::B1Kati] + natural.counts[Count::C1Kati]);
    QVERIFY(natural.history.empty());

    const RunResult cut = BatchRunner::playRun(7, 100, false);
    QCOMPARE(cut.rounds, 100);
    // Past the end rule the rounds go on counting, as they would on the board after the end.
    const RunResult longer = BatchRunner::playRun(7, 5000, false);
    QCOMPARE(longer.rounds, 5000);
    QCOMPARE(longer.aiko() + longer.abc1kati() + longer.abc1make(), 5000);
}

void TestBatch::totalsAgreeWithOneThird()
{
    BatchPlan plan;
    plan.runs = 200;
    plan.seed = 2026;
    plan.threads = 2;
    const std::vector<RunResult> results = BatchRunner::run(plan);
    std::array<long long, 3> totals{};
    for (const RunResult &r : results) {
        totals[0] += r.aiko();
        totals[1] += r.abc1kati();
        totals[2] += r.abc1make();
    }
    const auto all = static_cast<double>(totals[0] + totals[1] + totals[2]);
    for (long long t : totals)
        QVERIFY(std::abs(static_cast<double>(t) / all - 1.0 / 3.0) < 0.003);
    const GoodnessOfFit fit = goodnessOfFit(totals);
    QVERIFY2(fit.pValue > 0.001, qPrintable(QString::number(fit.chiSquare)));

    // The statistic itself on known totals: 110, 100, 90 against 100 each.
    const GoodnessOfFit known = goodnessOfFit({110, 100, 90});
    QCOMPARE(known.chiSquare, 2.0);
    QCOMPARE(known.pValue, std::exp(-1.0));
}

void TestBatch::argumentErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("negative runs") << QStringList{"--runs", "-3"} << "--runs: '-3' is not between 1 and 1000000";
    QTest::newRow("zero runs") << QStringList{"--runs=0"} << "--runs: '0' is not between 1 and 1000000";
    QTest::newRow("non-numeric rounds") << QStringList{"--rounds", "ten"} << "--rounds: 'ten' is not a whole number";
    QTest::newRow("rounds a 16-bit tally cannot count")
        << QStringList{"--rounds", "40000"} << "--rounds: '40000' is not between 1 and 32767";
    QTest::newRow("trailing junk") << QStringList{"--seed", "12x"} << "--seed: '12x' is not a whole number";
    QTest::newRow("missing value") << QStringList{"--runs"} << "--runs needs a value";
    QTest::newRow("unknown option") << QStringList{"--fast"} << "unknown option '--fast'";
    QTest::newRow("value on a flag") << QStringList{"--csv=yes"} << "--csv takes no value";
}

void TestBatch::argumentErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    std::vector<std::string> owned(static_cast<std::size_t>(args.size()));
    std::transform(args.begin(), args.end(), owned.begin(), [](const QString &a) { return a.toStdString(); });
    const Finished o = runProgram({owned.begin(), owned.end()});
    QCOMPARE(o.status, 2);
    QVERIFY(o.out.empty());
    QVERIFY2(QString::fromStdString(o.err).contains(message), o.err.c_str());
}

void TestBatch::unwritablePlotFileFailsBeforeRunning()
{
    const Finished o = runProgram({"--seed", "1", "--runs", "1000000", "--plot", "/nonexistent-folder/plot.png"});
    QCOMPARE(o.status, 1);
    QVERIFY(o.out.empty()); // no run was played and nothing printed
    QVERIFY(QString::fromStdString(o.err).contains(QLatin1String("cannot write the plot file")));
}

void TestBatch::csvParses_data()
{
    QTest::addColumn<QString>("runs");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::newRow("per run") << "12" << 14 << 12;
    QTest::newRow("per round of one run") << "1" << 7 << 250;
}

void TestBatch::csvParses()
{
    QFETCH(QString, runs);
    QFETCH(int, columns);
    QFETCH(int, rows);
    const std::string r = runs.toStdString();
    const Finished o = runProgram({"--csv", "--seed", "5", "--rounds", "250", "--runs", r});
    QCOMPARE(o.status, 0);
    const QStringList lines = QString::fromStdString(o.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), rows + 1);
    QCOMPARE(lines.first().split(u',').size(), columns);
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(u',');
        QCOMPARE(fields.size(), columns);
        for (const QString &f : fields) {
            bool ok = false;
            const double value = f.toDouble(&ok);
            QVERIFY2(ok && std::isfinite(value), qPrintable(lines[i]));
        }
        QCOMPARE(fields[0].toInt(), i); // numbered from 1
    }
}

void TestBatch::plotShowsTheThreeColours()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("runs.png"));
    const std::string path = file.toStdString();
    const Finished o = runProgram({"--seed", "3", "--runs", "30", "--plot", path});
    QCOMPARE(o.status, 0);
    const QImage image(file);
    QCOMPARE(image.size(), QSize(kPlotWidth, kPlotHeight));
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & 0xffffff);
    for (QRgb wanted : {0x008000U, 0x0000ffU, 0xff0000U, 0x000000U})
        QVERIFY2(colours.count(wanted) == 1, qPrintable(QString::number(wanted, 16)));
}

void TestBatch::programIsReproducibleAcrossProcesses()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/nuperako-batch");
    auto run = [&program] {
        QProcess p;
        p.start(program,
                {QStringLiteral("--runs"), QStringLiteral("20"), QStringLiteral("--seed"), QStringLiteral("8")});
        p.waitForFinished(60000);
        return p.readAllStandardOutput();
    };
    const QByteArray first = run();
    QVERIFY(first.startsWith("nuperako-batch: 20 run(s), seed 8"));
    QCOMPARE(run(), first);
}

// Started from a plain shell, without a runtime folder or a display.
void TestBatch::plottingPrintsNoToolkitWarning()
{
    QTemporaryDir dir;
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(environment);
    p.start(QCoreApplication::applicationDirPath() + QStringLiteral("/nuperako-batch"),
            {QStringLiteral("--seed"), QStringLiteral("1"), QStringLiteral("--plot"),
             dir.filePath(QStringLiteral("a.png"))});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(p.readAllStandardError(), QByteArray());
}

// The program needs no Qt library to start; the plot comes from a plugin,
// and a copy of the program without it says so before playing any run.
void TestBatch::qtIsLoadedOnlyForThePlot()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/nuperako-batch");
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_TRACE_LOADED_OBJECTS"), QStringLiteral("1")); // list, do not run
    p.setProcessEnvironment(environment);
    p.start(program);
    QVERIFY(p.waitForFinished(60000));
    const QByteArray libraries = p.readAllStandardOutput();
    QVERIFY(libraries.contains("libc.so"));
    QVERIFY2(!libraries.contains("libQt6"), libraries.constData());

    QTemporaryDir dir;
    const QString alone = dir.filePath(QStringLiteral("nuperako-batch"));
    QVERIFY(QFile::copy(program, alone));
    p.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    p.start(alone, {QStringLiteral("--plot"), dir.filePath(QStringLiteral("a.png"))});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(p.readAllStandardOutput(), QByteArray());
    QVERIFY(p.readAllStandardError().contains("cannot plot: the plugin nuperako-plot.so is missing"));
}

// Every English line of --help stands in the manual page, continuation lines
// joined and the page's escapes undone.
void TestBatch::manualPageSaysWhatHelpSays()
{
    QFile file(QStringLiteral(NUPERAKO_SOURCE_DIR "/resources/man/nuperako-batch.1"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QString page = QString::fromUtf8(file.readAll()).replace(QLatin1String("\\-"), QLatin1String("-"));
    page = page.simplified();

    const QString help = QString::fromStdString(helpText());
    const QStringList english = help.mid(help.indexOf(QLatin1String("Usage:"))).split(u'\n', Qt::SkipEmptyParts);
    QStringList texts;
    for (const QString &line : english.mid(1)) {
        if (line.startsWith(QLatin1String("  --"))) {
            const QString option = line.simplified().section(u' ', 0, 0);
            QVERIFY2(page.contains(option), qPrintable(option));
            texts << line.mid(17).simplified(); // the text after the option's column
        } else if (line.startsWith(QLatin1String("    "))) {
            texts.last() += u' ' + line.simplified();
        } else {
            texts << line.simplified();
        }
    }
    QCOMPARE(texts.size(), 9);
    for (const QString &text : texts)
        QVERIFY2(page.contains(text), qPrintable(text));
}

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
