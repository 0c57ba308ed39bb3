// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "classroom/openfiles.h"

#include <sys/resource.h>

namespace nuperako::classroom {

namespace {

constexpr std::size_t kUsualLimit = 1024; // if the system will not say

} // namespace

std::size_t raiseOpenFilesLimit()
{
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) != 0)
        return kUsualLimit;
    if (files.rlim_cur < files.rlim_max) {
        rlimit raised = files;
        raised.rlim_cur = files.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            files = raised;
    }
    return static_cast<std::size_t>(files.rlim_cur);
}

} // namespace nuperako::classroom
