// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
// A page's text frame as the server takes it apart, whatever it holds, and on
// into the class's rules as the server passes it on.
#include "classroom/pagemessage.h"
#include "pool/classpool.h"

#include <cstdint>

using namespace nuperako;
using namespace nuperako::classroom;

namespace {

const std::string kDevice = "fuzzing-device-0001";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    pool::ClassPool pool("ABCDE");
    pool.join(kDevice, 0);
    const PageMessage message =
        readPageMessage(QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (const auto *join = std::get_if<JoinMessage>(&message); join && pool::isDeviceId(join->device))
        pool.join(join->device, 0);
    else if (const auto *state = std::get_if<pool::StateMessage>(&message))
        pool.offer(kDevice, *state, 0);
    else if (const auto *seat = std::get_if<SeatMessage>(&message))
        pool.rename(kDevice, seat->name);
    return 0;
}
