// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/csvexport.h"

namespace nuperako::pool {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

std::string csvField(std::string_view text)
{
    std::string field;
    if (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
        field = '\'';
    field += text;
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string experimentsCsv(const PoolSummary &summary)
{
    std::string csv = "seat,experiment,rounds";
    for (const std::string_view name : kCountNames)
        (csv += ',') += name;
    (csv += ",ended") += kLineEnd;
    for (const PooledExperiment &e : summary.experiments) {
        csv += csvField(e.seat) + ',' + std::to_string(e.experiment) + ',' + std::to_string(roundsOf(e.state.counts));
        for (const std::int16_t n : e.state.counts.values)
            (csv += ',') += std::to_string(n);
        (csv += e.state.ended ? ",1" : ",0") += kLineEnd;
    }
    return csv;
}

} // namespace nuperako::pool
