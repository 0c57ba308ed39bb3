// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

// What a class's teacher reads, in the desktop's window and on the teachers'
// page alike, and what its students read of the class on their pages. "%1"
// stands for what is filled in.
namespace nuperako::classtexts {

inline constexpr std::string_view kTitle = "ぬぺらこ クラス集計";
inline constexpr std::string_view kCode = "クラスのコード";
inline constexpr std::string_view kAddress = "生徒のアドレス";
inline constexpr std::string_view kNoPage =
    "生徒のページがありません（ブラウザー版なしで作られています）。生徒は参加できません。";
inline constexpr std::string_view kHideNames = "名前を隠す（番号だけ）";
inline constexpr std::string_view kNewClass = "新しいクラス…";
inline constexpr std::string_view kReveal = "生徒に見せる";
inline constexpr std::string_view kExport = "書き出す（CSV）…";
inline constexpr std::string_view kGraph = "クラス全体の割合";
inline constexpr std::string_view kFunnel = "実験ごとの割合";
inline constexpr std::string_view kRemove = "取り除く…";
inline constexpr std::string_view kRemoveQuestion =
    "%1\nをクラスの集計から取り除きますか？\nその生徒の画面では、新しい実験が始まります。";
inline constexpr std::string_view kRemoveTitle = "実験を取り除く";
inline constexpr std::string_view kNewClassQuestion =
    "新しいクラスを始めますか？\nクラス %1 の実験は保存されたまま残ります。生徒は新しいアドレスから参加します。";
inline constexpr std::string_view kNewClassTitle = "新しいクラス";
inline constexpr std::string_view kNewClassFailed = "新しいクラスを作れませんでした。";

// The students' window of their class.
inline constexpr std::string_view kClassWindow = "クラス";
inline constexpr std::string_view kNotRevealed = "先生がまだクラスを見せていません。";
inline constexpr std::string_view kYou = "あなた";

} // namespace nuperako::classtexts
