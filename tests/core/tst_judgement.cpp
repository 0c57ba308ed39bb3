// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "judgement.h"

#include <QTest>

using namespace nuperako;

Q_DECLARE_METATYPE(nuperako::Outcome)

class TestJudgement : public QObject {
    Q_OBJECT

private slots:
    void everyCombination_data();
    void everyCombination();
    void unknownNamesMatchNothing_data();
    void unknownNamesMatchNothing();
};

namespace {

// Results written as letters, A's first: D draw, W wins, L loses.
QString lettersOf(const Judgement &j)
{
    QString letters;
    for (Result r : j.results)
        letters += r == Result::Aiko ? u'D' : r == Result::Kati ? u'W' : u'L';
    return letters;
}

} // namespace

void TestJudgement::everyCombination_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("results");

    struct Row {
        const char *a, *b, *c;
        Outcome outcome;
        const char *results;
    };
    const Row rows[] = {
        {"guu", "guu", "guu", Outcome::Aiko, "DDD"},   {"pii", "pii", "pii", Outcome::Aiko, "DDD"},
        {"paa", "paa", "paa", Outcome::Aiko, "DDD"},   {"guu", "pii", "paa", Outcome::Aiko, "DDD"},
        {"guu", "paa", "pii", Outcome::Aiko, "DDD"},   {"pii", "paa", "guu", Outcome::Aiko, "DDD"},
        {"pii", "guu", "paa", Outcome::Aiko, "DDD"},   {"paa", "guu", "pii", Outcome::Aiko, "DDD"},
        {"paa", "pii", "guu", Outcome::Aiko, "DDD"},   {"guu", "pii", "pii", Outcome::A1Kati, "WLL"},
        {"pii", "paa", "paa", Outcome::A1Kati, "WLL"}, {"paa", "guu", "guu", Outcome::A1Kati, "WLL"},
        {"pii", "guu", "pii", Outcome::B1Kati, "LWL"}, {"paa", "pii", "paa", Outcome::B1Kati, "LWL"},
        {"guu", "paa", "guu", Outcome::B1Kati, "LWL"}, {"pii", "pii", "guu", Outcome::C1Kati, "LLW"},
        {"paa", "paa", "pii", Outcome::C1Kati, "LLW"}, {"guu", "guu", "paa", Outcome::C1Kati, "LLW"},
        {"guu", "paa", "paa", Outcome::A1Make, "LWW"}, {"pii", "guu", "guu", Outcome::A1Make, "LWW"},
        {"paa", "pii", "pii", Outcome::A1Make, "LWW"}, {"paa", "guu", "paa", Outcome::B1Make, "WLW"},
        {"guu", "pii", "guu", Outcome::B1Make, "WLW"}, {"pii", "paa", "pii", Outcome::B1Make, "WLW"},
        {"paa", "paa", "guu", Outcome::C1Make, "WWL"}, {"guu", "guu", "pii", Outcome::C1Make, "WWL"},
        {"pii", "pii", "paa", Outcome::C1Make, "WWL"},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s-%s-%s", row.a, row.b, row.c)
            << QString::fromLatin1(row.a) << QString::fromLatin1(row.b) << QString::fromLatin1(row.c) << row.outcome
            << QString::fromLatin1(row.results);
    }
}

void TestJudgement::everyCombination()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(Outcome, outcome);
    QFETCH(QString, results);

    const auto j = judge(a.toStdString(), b.toStdString(), c.toStdString());
    QVERIFY(j.has_value());
    QCOMPARE(j->outcome, outcome);
    QCOMPARE(lettersOf(*j), results);
}

void TestJudgement::unknownNamesMatchNothing_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::newRow("before any round") << QString() << QString() << QString();
    QTest::newRow("one hand missing") << "guu"
                                      << "pii" << QString();
    QTest::newRow("wrong case") << "GUU"
                                << "guu"
                                << "guu";
    QTest::newRow("trailing blank") << "guu "
                                    << "guu"
                                    << "guu";
}

void TestJudgement::unknownNamesMatchNothing()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QVERIFY(!judge(a.toStdString(), b.toStdString(), c.toStdString()).has_value());
}

QTEST_APPLESS_MAIN(TestJudgement)
#include "tst_judgement.moc"
