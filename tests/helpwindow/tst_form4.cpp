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
    void textAsWritten_data();
    void textAsWritten();
    void everyLineFits();
    void printedLineByLineAfterAClear();
    void helpTwiceOpensOneWindow();
    void closeReturnsToBoardWithInitialHands();
};

void TestForm4::textAsWritten_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("indent"); // leading ideographic spaces, U+3000
    QTest::addColumn<QString>("text");
    const auto row = [](int line, int indent, const char *text) {
        QTest::addRow("line %d", line) << line << indent << QString::fromUtf8(text);
    };
    row(1, 0, "");
    row(2, 1, "【問　　題】");
    row(3, 8, "Ａ君、Ｂ君、Ｃ君の３人がぬぺらこを１回します。");
    row(4, 8, "あいこになるのは、Ａ君・Ｂ君・Ｃ君の順に、グー・グー・グー、チョキ・チョキ");
    row(5, 7, "・チョキ、パー・パー・パー、グー・チョキ・パー、グー・パー・チョキ、チョキ・パ");
    row(6, 7, "ー・グー、チョキ・グー・パー、パー・グー・チョキ、パー・チョキ・グーの９通り");
    row(7, 7, "あります。");
    row(8, 8, "Ａ君が一人だけ勝つのは、Ａ君・Ｂ君・Ｃ君の順に、グー・チョキ・チョキ、チ");
    row(9, 7, "ョキ・パー・パー、パー・グー・グーの３通りあります。Ｂ君とＣ君も同様に３通");
    row(10, 7, "りずつあります。");
    row(11, 8, "Ａ君が一人だけ負けるのは、Ａ君・Ｂ君・Ｃ君の順に、グー・パー・パー、チ");
    row(12, 7, "ョキ・グー・グー、パー・チョキ・チョキの３通りあります。Ｂ君とＣ君も同様に３");
    row(13, 7, "通りずつあります。");
    row(14, 8, "つまり、３人がぬぺらこを１回するとき全部で２７通りの出し方になります。");
    row(15, 8, "例えば、あいこになるのは９通りなので、数学的には ９／２７、約分して、");
    row(16, 7, "１／３＝０．３３３ になります。");
    row(17, 8, "しかし、実際には、３人がぬぺらこを３回行ったら、あいこがちょうど１回だ");
    row(18, 7, "けであるということはありませんね。");
    row(19, 8, "では、数学的に求めた理論上のあいこになる確率の １／３ との関係はどう");
    row(20, 7, "なっているのでしょうか。");
    row(21, 0, "");
    row(22, 1, "【操作方法】");
    row(23, 8, "手動でやる場合は、［ヌペラコ］ボタンをクリックし、次に、［ポン］ボタンを");
    row(24, 7, "クリックします。");
    row(25, 8, "自動でやる場合は、［自動開始］ボタンをクリックし、次に、［自動停止］ボタ");
    row(26, 7, "ンをクリックします。");
    row(27, 8, "［グラフ表示］ボタンをクリックすると､あいこになる割合､一人だけ勝つ割合､");
    row(28, 7, "一人だけ負ける割合のグラフがそれぞれ表示されます。");
    row(29, 8, "［初期化］ボタンをクリックすると、実験を最初からやり直せます。");
}

void TestForm4::textAsWritten()
{
    QFETCH(int, line);
    QFETCH(int, indent);
    QFETCH(QString, text);
    const QStringList lines = helpLines();
    QCOMPARE(lines.size(), 29);
    QCOMPARE(lines[line - 1], QString(indent, QChar(0x3000)) + text);
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
