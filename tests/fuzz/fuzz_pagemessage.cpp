// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// A page's text frame as the server takes it apart, whatever it holds, and on
// into the class's rules as the server passes it: a page that has joined,
// then the frame, then the store's write.
#include "classroom/pagejson.h"
#include "pool/classhub.h"

#include <cstdint>

using namespace nuperako;

namespace {

struct FixedClock final : pool::WallClock {
    [[nodiscard]] std::int64_t nowMs() const override { return 3'600'000; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FixedClock clock;
    pool::ClassHub hub(clock, {});
    hub.open(pool::ClassSession(pool::ClassPool("ABCDE"), {}));
    hub.opened(1, "127.0.0.1");
    hub.received(1, pool::JoinMessage{"ABCDE", "fuzzing-device-0001"});
    const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    hub.received(1, classroom::readPageMessage(text));
    static_cast<void>(hub.rowsToWrite());
    hub.written(true);
    for (const pool::SessionRequest &r : hub.takeRequests()) {
        if (const auto *send = std::get_if<pool::Send>(&r))
            static_cast<void>(classroom::serverMessageJson(send->message));
    }
    return 0;
}
