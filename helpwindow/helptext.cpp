// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "helpwindow/helptext.h"

#include "core/drawingsurface.h"

#include <array>
#include <string_view>

namespace nuperako {

namespace {

struct HelpLine {
    int indent; // leading ideographic spaces (U+3000)
    std::string_view text;
};

// The problem, then how to operate the program. Lines are broken where they
// are to break on screen, mid-word included; 15, 16 and 19 hold ASCII spaces
// and 27 the halfwidth comma U+FF64, as written.
constexpr std::array<HelpLine, 29> kLines{{
    {0, ""},
    {1, "【問　　題】"},
    {8, "Ａ君、Ｂ君、Ｃ君の３人がぬぺらこを１回します。"},
    {8, "あいこになるのは、Ａ君・Ｂ君・Ｃ君の順に、グー・グー・グー、チョキ・チョキ"},
    {7, "・チョキ、パー・パー・パー、グー・チョキ・パー、グー・パー・チョキ、チョキ・パ"},
    {7, "ー・グー、チョキ・グー・パー、パー・グー・チョキ、パー・チョキ・グーの９通り"},
    {7, "あります。"},
    {8, "Ａ君が一人だけ勝つのは、Ａ君・Ｂ君・Ｃ君の順に、グー・チョキ・チョキ、チ"},
    {7, "ョキ・パー・パー、パー・グー・グーの３通りあります。Ｂ君とＣ君も同様に３通"},
    {7, "りずつあります。"},
    {8, "Ａ君が一人だけ負けるのは、Ａ君・Ｂ君・Ｃ君の順に、グー・パー・パー、チ"},
    {7, "ョキ・グー・グー、パー・チョキ・チョキの３通りあります。Ｂ君とＣ君も同様に３"},
    {7, "通りずつあります。"},
    {8, "つまり、３人がぬぺらこを１回するとき全部で２７通りの出し方になります。"},
    {8, "例えば、あいこになるのは９通りなので、数学的には ９／２７、約分して、"},
    {7, "１／３＝０．３３３ になります。"},
    {8, "しかし、実際には、３人がぬぺらこを３回行ったら、あいこがちょうど１回だ"},
    {7, "けであるということはありませんね。"},
    {8, "では、数学的に求めた理論上のあいこになる確率の １／３ との関係はどう"},
    {7, "なっているのでしょうか。"},
    {0, ""},
    {1, "【操作方法】"},
    {8, "手動でやる場合は、［ヌペラコ］ボタンをクリックし、次に、［ポン］ボタンを"},
    {7, "クリックします。"},
    {8, "自動でやる場合は、［自動開始］ボタンをクリックし、次に、［自動停止］ボタ"},
    {7, "ンをクリックします。"},
    {8, "［グラフ表示］ボタンをクリックすると､あいこになる割合､一人だけ勝つ割合､"},
    {7, "一人だけ負ける割合のグラフがそれぞれ表示されます。"},
    {8, "［初期化］ボタンをクリックすると、実験を最初からやり直せます。"},
}};

} // namespace

std::vector<std::string> helpText()
{
    constexpr std::string_view kIdeographicSpace = "\u3000";
    std::vector<std::string> lines;
    lines.reserve(kLines.size());
    for (const HelpLine &line : kLines) {
        std::string &text = lines.emplace_back();
        for (int i = 0; i < line.indent; ++i)
            text += kIdeographicSpace;
        text += line.text;
    }
    return lines;
}

void printHelp(DrawingSurface &surface)
{
    for (const std::string &line : helpText())
        surface.print(line);
}

} // namespace nuperako
