// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "pool/staticpath.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

namespace nuperako::pool {

namespace {

std::optional<int> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

// One step of the path, decoded; none where it could name anything but a file below.
std::optional<std::string> decodeStep(std::string_view step)
{
    std::string out;
    for (std::size_t i = 0; i < step.size(); ++i) {
        if (step[i] != '%') {
            out += step[i];
            continue;
        }
        if (i + 2 >= step.size())
            return std::nullopt;
        const std::optional<int> high = hexDigit(step[i + 1]);
        const std::optional<int> low = hexDigit(step[i + 2]);
        if (!high || !low)
            return std::nullopt;
        out += static_cast<char>(*high * 16 + *low);
        i += 2;
    }
    if (out.empty() || out.front() == '.' || out.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos)
        return std::nullopt;
    return out;
}

} // namespace

std::optional<std::filesystem::path> staticFile(const std::filesystem::path &root, std::string_view encodedPath)
{
    if (encodedPath.empty() || encodedPath.front() != '/')
        return std::nullopt;
    std::filesystem::path file = root;
    if (encodedPath == "/")
        file /= "index.html";
    while (encodedPath.size() > 1) {
        encodedPath.remove_prefix(1); // the slash before the step
        const std::size_t slash = std::min(encodedPath.find('/'), encodedPath.size());
        const std::optional<std::string> step = decodeStep(encodedPath.substr(0, slash));
        if (!step)
            return std::nullopt;
        file /= *step;
        encodedPath.remove_prefix(slash);
    }
    // Symbolic links are followed, and the file they reach must still lie below root.
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(file, error);
    const std::filesystem::path base = std::filesystem::canonical(root, error);
    if (error || !std::filesystem::is_regular_file(real, error))
        return std::nullopt;
    const auto [rootEnd, fileAt] = std::ranges::mismatch(base, real);
    if (rootEnd != base.end())
        return std::nullopt;
    return real;
}

std::string_view contentTypeOf(const std::filesystem::path &file)
{
    static constexpr std::pair<std::string_view, std::string_view> kTypes[] = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".mjs", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".json", "application/json"},
        {".webmanifest", "application/manifest+json"},
        {".wasm", "application/wasm"},
        {".png", "image/png"},
        {".svg", "image/svg+xml"},
        {".woff2", "font/woff2"},
        {".wav", "audio/wav"},
    };
    const std::string extension = file.extension().string();
    for (const auto &[ending, type] : kTypes) {
        if (extension == ending)
            return type;
    }
    return "application/octet-stream";
}

} // namespace nuperako::pool
