// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

namespace nuperako {

// A broken promise inside the program (a count past its limit, a generator
// number outside [0, 1)), never bad input. The desktop build throws E, so the
// fault is visible and testable; a build without exceptions, as for the
// browser's WebAssembly module, stops on the spot instead of going on with
// corrupted tallies.
template <class E>
[[noreturn]] void fail([[maybe_unused]] const char *what)
{
#if defined(__cpp_exceptions)
    throw E(what);
#else
    __builtin_trap();
#endif
}

} // namespace nuperako
