// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"
#include "core/hand.h"
#include "core/palette.h"
#include "core/tallyrows.h"
#include "core/twipsrect.h"
#include "mainwindow/boardmodel.h"

#include <array>
#include <optional>
#include <string>

// The board's elements as the desktop window and the browser page both build
// them: names, captions, places and looks.
namespace nuperako::boardlayout {

inline constexpr const char *kCaption = " ぬぺらこ";
inline constexpr TwipsRect kClientArea{4035, 2040, 7320, 7455}; // on the screen
inline constexpr TwipsRect kLine{0, 360, 7320, 0};              // Line1, one pixel high
inline constexpr double kLabelPointSize = 15.75;                // every label, bold
inline constexpr double kActionPointSize = 12.0;                // the large buttons, bold

struct PlayerElements {
    const char *name;                // "Ａくん"
    std::array<const char *, 5> ids; // rock, scissors and paper pictures, name label, result label
    int left;                        // of the pictures
};
inline constexpr int kPictureTop = 600;
inline constexpr int kPictureWidth = 1335;
inline constexpr int kPictureHeight = 1215;
inline constexpr std::array<PlayerElements, 3> kPlayerElements{{
    {"Ａくん", {"guu1", "pii1", "paa1", "Label1", "hanntei1"}, 1080},
    {"Ｂくん", {"guu2", "pii2", "paa2", "Label2", "hanntei2"}, 3000},
    {"Ｃくん", {"guu3", "pii3", "paa3", "Label3", "hanntei3"}, 4920},
}};
constexpr TwipsRect nameCell(Player p)
{
    return {kPlayerElements[index(p)].left + 120, 1920, 1095, 375};
}
constexpr TwipsRect resultCell(Player p)
{
    return {kPlayerElements[index(p)].left + 120, 2400, 1095, 375};
}

// By Button: the large ones run the experiment, the small ones use the default font.
struct ButtonElement {
    const char *caption;
    TwipsRect place;
    bool large;
};
inline constexpr std::array<ButtonElement, kButtonCount> kButtonElements{{
    {"ヌペラコ", {4920, 3720, 1815, 495}, true},
    {"ポ　ン", {4920, 4320, 1815, 495}, true},
    {"自動開始", {4920, 5160, 1815, 495}, true},
    {"初期化", {6360, 0, 975, 375}, false},
    {"HELP", {5400, 0, 975, 375}, false},
    {"終了", {0, 0, 975, 375}, false},
    {"自動停止", {4920, 5760, 1815, 495}, true},
    {"グラフ表示", {4920, 6600, 1815, 495}, true},
}};

// The tally: a heading row, then one row per Count, top to bottom. The
// captions, colours and italics are the tally's own (core/tallyrows.h): here
// the places and the element names.
struct Heading {
    const char *id;
    TwipsRect place;
};
inline constexpr std::array<Heading, kTallyColumns.size()> kHeadings{{
    {"Label13", {2040, 3120, 1095, 375}},
    {"Label14", {3120, 3120, 1095, 375}},
}};
struct TallyCells {
    int top;
    std::array<const char *, 3> ids; // caption, count and ratio cells
};
inline constexpr std::array<int, 3> kTallyColumnLefts{360, 2040, 3120};
inline constexpr std::array<int, 3> kTallyColumnWidths{1695, 1095, 1095};
inline constexpr int kTallyRowHeight = 375;
inline constexpr std::array<TallyCells, kCountCount> kTallyCells{{
    {3600, {"Label4", "aikolabel", "aikow"}},
    {4080, {"Label5", "a1katilabel", "a1katiw"}},
    {4440, {"Label6", "b1katilabel", "b1katiw"}},
    {4800, {"Label7", "c1katilabel", "c1katiw"}},
    {5160, {"Label8", "abc1katiLabel", "abc1katiw"}},
    {5640, {"Label12", "a1makelabel", "a1makew"}},
    {6000, {"Label11", "b1makelabel", "b1makew"}},
    {6360, {"Label10", "c1makelabel", "c1makew"}},
    {6720, {"Label9", "abc1makelabel", "abc1makew"}},
}};
constexpr TwipsRect tallyCell(Count c, std::size_t column)
{
    return {kTallyColumnLefts[column], kTallyCells[index(c)].top, kTallyColumnWidths[column], kTallyRowHeight};
}

// What a screen reader hears: a shown hand ("Ａくん: グー"), and the name
// that comes before a result's text ("Ａくん 結果"); a tally cell's is cellSpeech.
std::string handSpeech(Player p, Hand h);
std::string resultSpeech(Player p);

} // namespace nuperako::boardlayout
