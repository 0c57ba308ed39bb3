// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/pooledhistory.h"

#include "core/module1.h"

#include <utility>

namespace nuperako::pool {

double HistoryPoint::share(ResultKind k) const
{
    return ratio(totals[index(k)], rounds);
}

bool PooledHistory::record(const HistoryPoint &now)
{
    if (!m_points.empty() && m_points.back() == now)
        return false;
    // An experiment taken out of the pool takes its rounds with it: the curve goes
    // back to the rounds the pool has now and goes on from there.
    while (!m_points.empty() && m_points.back().rounds >= now.rounds)
        m_points.pop_back();
    // The newest point moves on until it is a whole spacing past the one before it.
    const std::size_t n = m_points.size();
    if (n >= 2 && m_points[n - 1].rounds - m_points[n - 2].rounds < m_spacing)
        m_points.back() = now;
    else
        m_points.push_back(now);
    if (m_points.size() > kMostPoints)
        thin();
    return true;
}

void PooledHistory::thin()
{
    m_spacing *= 2;
    std::vector<HistoryPoint> kept{m_points.front()};
    for (std::size_t i = 1; i + 1 < m_points.size(); ++i) {
        if (m_points[i].rounds - kept.back().rounds >= m_spacing)
            kept.push_back(m_points[i]);
    }
    kept.push_back(m_points.back());
    m_points = std::move(kept);
}

} // namespace nuperako::pool
