// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "helptext.h"

#include <array>

namespace nuperako {

namespace {

struct HelpLine {
    int indent; // leading ideographic spaces (U+3000)
    const char16_t *text;
};

// The problem, then how to operate the program. Lines are broken where they
// are to break on screen, mid-word included; 15, 16 and 19 hold ASCII spaces
// and 27 the halfwidth comma U+FF64, as written.
constexpr std::array<HelpLine, 29> kLines{{
    {0, u""},
    {1, u"【問　　題】"},
    {8, u"Ａ君、Ｂ君、Ｃ君の３人がぬぺらこを１回します。"},
    {8, u"あいこになるのは、Ａ君・Ｂ君・Ｃ君の順に、グー・グー・グー、チョキ・チョキ"},
    {7, u"・チョキ、パー・パー・パー、グー・チョキ・パー、グー・パー・チョキ、チョキ・パ"},
    {7, u"ー・グー、チョキ・グー・パー、パー・グー・チョキ、パー・チョキ・グーの９通り"},
    {7, u"あります。"},
    {8, u"Ａ君が一人だけ勝つのは、Ａ君・Ｂ君・Ｃ君の順に、グー・チョキ・チョキ、チ"},
    {7, u"ョキ・パー・パー、パー・グー・グーの３通りあります。Ｂ君とＣ君も同様に３通"},
    {7, u"りずつあります。"},
    {8, u"Ａ君が一人だけ負けるのは、Ａ君・Ｂ君・Ｃ君の順に、グー・パー・パー、チ"},
    {7, u"ョキ・グー・グー、パー・チョキ・チョキの３通りあります。Ｂ君とＣ君も同様に３"},
    {7, u"通りずつあります。"},
    {8, u"つまり、３人がぬぺらこを１回するとき全部で２７通りの出し方になります。"},
    {8, u"例えば、あいこになるのは９通りなので、数学的には ９／２７、約分して、"},
    {7, u"１／３＝０．３３３ になります。"},
    {8, u"しかし、実際には、３人がぬぺらこを３回行ったら、あいこがちょうど１回だ"},
    {7, u"けであるということはありませんね。"},
    {8, u"では、数学的に求めた理論上のあいこになる確率の １／３ との関係はどう"},
    {7, u"なっているのでしょうか。"},
    {0, u""},
    {1, u"【操作方法】"},
    {8, u"手動でやる場合は、［ヌペラコ］ボタンをクリックし、次に、［ポン］ボタンを"},
    {7, u"クリックします。"},
    {8, u"自動でやる場合は、［自動開始］ボタンをクリックし、次に、［自動停止］ボタ"},
    {7, u"ンをクリックします。"},
    {8, u"［グラフ表示］ボタンをクリックすると､あいこになる割合､一人だけ勝つ割合､"},
    {7, u"一人だけ負ける割合のグラフがそれぞれ表示されます。"},
    {8, u"［初期化］ボタンをクリックすると、実験を最初からやり直せます。"},
}};

} // namespace

QStringList helpText()
{
    QStringList lines;
    for (const HelpLine &line : kLines)
        lines << QString(line.indent, QChar(0x3000)) + QString::fromUtf16(line.text);
    return lines;
}

} // namespace nuperako
