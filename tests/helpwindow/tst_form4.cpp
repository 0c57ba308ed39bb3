// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "helpwindow/helptext.h"
#include "platform/picturebox.h"
#include "support/board.h"

#include <QFontMetrics>

#include <algorithm>

using namespace nuperako;

namespace {

QStringList helpLines()
{
    QStringList lines;
    for (const std::string &line : helpText())
        lines << QString::fromStdString(line);
    return lines;
}

QPointer<Form> openHelp(const test::Board &b)
{
    b.click(Button::Command5);
    QWidget *help = test::openWindow("Form4");
    if (help == nullptr || !QTest::qWaitForWindowActive(help))
        return nullptr;
    return qobject_cast<Form *>(help);
}

PictureBox *pictureOf(QWidget *help)
{
    return help->findChild<PictureBox *>(QStringLiteral("Picture1"));
}

// Rows of the picture that hold any non-white pixel.
int inkedRowsBetween(const QImage &image, int top, int bottom)
{
    int rows = 0;
    for (int y = top; y < bottom && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

} // namespace

class TestForm4 : public QObject {
    Q_OBJECT

private slots:
    void textAsWritten();
    void everyLineFits();
    void printedLineByLineAfterAClear();
    void helpTwiceOpensOneWindow();
    void closeReturnsToBoardWithInitialHands();
};

void TestForm4::textAsWritten()
{
    const QStringList lines = helpLines();
    QCOMPARE(lines.size(), 29);
    const int indents[29] = {0, 1, 8, 8, 7, 7, 7, 8, 7, 7, 8, 7, 7, 8, 8, 7, 8, 7, 8, 7, 0, 1, 8, 7, 8, 7, 8, 7, 8};
    for (int i = 0; i < 29; ++i) {
        const QString &line = lines[i];
        int leading = 0;
        while (leading < line.size() && line[leading] == QChar(0x3000))
            ++leading;
        QVERIFY2(leading == indents[i], qPrintable(QStringLiteral("line %1: %2").arg(i + 1).arg(leading)));
        const int lineNumber = i + 1;
        QCOMPARE(line.contains(u' '), lineNumber == 15 || lineNumber == 16 || lineNumber == 19);
        QCOMPARE(line.count(QChar(0xFF64)), lineNumber == 27 ? 3 : 0);
    }
    QVERIFY(lines[0].isEmpty());
    QVERIFY(lines[20].isEmpty());
    QCOMPARE(lines[1], QStringLiteral("\u3000【問\u3000\u3000題】"));
    QCOMPARE(lines[21], QStringLiteral("\u3000【操作方法】"));
    QCOMPARE(lines[4].mid(7, 4), QStringLiteral("・チョキ"));
    QCOMPARE(lines[7].right(1), QStringLiteral("チ")); // words break where the screen breaks them
    QCOMPARE(lines[8].mid(7, 2), QStringLiteral("ョキ"));
    QCOMPARE(lines[15], QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000１／３＝０．３３３ になります。"));
    QCOMPARE(lines[28], QStringLiteral("\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000［初期化］ボタンをクリックする"
                                       "と、実験を最初からやり直せます。"));
}

void TestForm4::everyLineFits()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    QPointer<Form> help = openHelp(b);
    QVERIFY(help);
    QCOMPARE(help->windowTitle(), QStringLiteral(" ぬぺらこ＿ヘルプ（設問と操作方法）"));
    QCOMPARE(help->size(), QSize(569, 498));
    PictureBox *picture = pictureOf(help);
    QCOMPARE(picture->innerSize(), QSize(549, 453));

    const QFontMetrics metrics(picture->font());
    for (const QString &line : helpLines())
        QVERIFY2(metrics.horizontalAdvance(line) <= picture->innerSize().width(),
                 qPrintable(QStringLiteral("%1 px: %2").arg(metrics.horizontalAdvance(line)).arg(line)));
    QVERIFY(29 * metrics.height() <= picture->innerSize().height());
    help->close();
}

// Each of the 29 lines at its own line from the top, the first one empty, on a
// picture cleared first: what one print per line at its place gives.
void TestForm4::printedLineByLineAfterAClear()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    QPointer<Form> help = openHelp(b);
    QVERIFY(help);
    PictureBox *picture = pictureOf(help);
    const int lineHeight = QFontMetrics(picture->font()).height();

    QWidget scratch;
    PictureBox expected(QStringLiteral("expected"), QRect(120, 480, 8295, 6855), &scratch);
    expected.setFont(picture->font());
    const std::vector<std::string> lines = helpText();
    QCOMPARE(lines.size(), 29U);
    QVERIFY(lines.front().empty());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        expected.setCurrentPosition(0, static_cast<float>(i * lineHeight * 15)); // in twips
        expected.print(lines[i]);
    }
    QCOMPARE(picture->image(), expected.image());
    QCOMPARE(inkedRowsBetween(picture->image(), 0, lineHeight), 0);

    // A mark on the picture is gone after the next activation.
    picture->pset(4000, 6500, Rgb{255, 0, 0});
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    help->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(help));
    QCOMPARE(picture->image(), expected.image());
    help->close();
}

void TestForm4::helpTwiceOpensOneWindow()
{
    test::ScriptedHands hands;
    test::Board b(hands);
    QPointer<Form> help = openHelp(b);
    QVERIFY(help);
    b.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    b.click(Button::Command5);
    QVERIFY(QTest::qWaitForWindowActive(help));
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget *w) { return w->objectName() == QLatin1String("Form4") && w->isVisible(); }),
             1);
    help->close();
}

void TestForm4::closeReturnsToBoardWithInitialHands()
{
    test::ScriptedHands hands;
    hands.push(3, 3, 3);
    test::Board b(hands);
    b.click(Button::Command1);
    b.click(Button::Command2);
    QPointer<Form> help = openHelp(b);
    QVERIFY(help);
    QTest::mouseClick(help->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QTRY_VERIFY(help.isNull());
    QVERIFY(QTest::qWaitForWindowActive(b.form.get()));
    QCOMPARE(b.shownHands(), QStringLiteral("123"));
    QCOMPARE(b.text("aikolabel"), QStringLiteral("1"));
}

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
