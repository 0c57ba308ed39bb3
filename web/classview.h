// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/counts.h"
#include "core/tallyrows.h"
#include "pool/pooledhistory.h"
#include "pool/poolsummary.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuperako::web {

// A class as the server last sent it to the page, and its two pictures drawn
// by the desktop's own drawing, for a canvas of so many device pixels (see
// pool::pictureScale): the class's ratios as they settled, and the funnel of
// its experiments. The page passes the class in piece by piece: a teacher's
// page the seats and experiments, a student's page the experiments' totals,
// its own marked. Experiments without a round are not kept: each one kept is
// a dot of the funnel, in the same order.
class ClassView {
public:
    // A dot of a student's page: another student's experiment, or the student's own.
    enum class Mark { Other, Own, Current };

    // Forgets the class: the next pieces are the class anew.
    void clear();
    void addSeat(int student, std::string_view seat);
    // An experiment after the seat of its student: the experiments in the server's order.
    void addExperiment(int student, std::int64_t experiment, const Counts &counts, bool ended);
    // An experiment by its three totals alone, as a student's page knows the class's.
    void addDot(int aiko, int oneWins, int oneLoses, Mark mark);
    void addHistoryPoint(const pool::HistoryPoint &point);

    // {"drawing": {"pixels": [...], "texts": [...]}, "block": N, "textPixels": N}: the
    // drawing's pixels are blocks of N device pixels, its texts' positions in them.
    [[nodiscard]] std::string graph(int deviceWidth, int deviceHeight) const;
    // The same for the funnel of kind's share, with "dots": [[x, y, student, experiment, "label"], ...] and
    // "pooled": [x, y, "label"], their places in device pixels, for pointing at them, "yours": [x, y], the
    // place of a student's current experiment, if any, and "speech", what a screen reader says of it to a
    // student.
    // selected: the dot the teacher has chosen; a student's own dots are marked as they were added.
    [[nodiscard]] std::string funnel(ResultKind kind, bool hideNames, std::optional<std::size_t> selected,
                                     int deviceWidth, int deviceHeight) const;

private:
    pool::PoolSummary m_summary;
    std::map<int, std::string> m_seats;
    std::vector<Mark> m_marks; // by experiment
    std::vector<pool::HistoryPoint> m_history;
};

} // namespace nuperako::web
