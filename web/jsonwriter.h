// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/palette.h"

#include <optional>
#include <string>
#include <string_view>

namespace nuperako::web {

// Writes JSON text for the page, with the commas and escapes. Objects and
// arrays are opened and closed by the caller; inside an object every value
// follows its key().
class JsonWriter {
public:
    JsonWriter &beginObject();
    JsonWriter &endObject();
    JsonWriter &beginArray();
    JsonWriter &endArray();
    JsonWriter &key(std::string_view name);
    JsonWriter &value(std::string_view text);
    JsonWriter &value(const char *text) { return value(std::string_view(text)); }
    JsonWriter &value(long number);
    JsonWriter &value(int number) { return value(static_cast<long>(number)); }
    JsonWriter &value(double number);
    JsonWriter &value(bool flag);
    JsonWriter &null();
    // A colour as CSS writes it ("#008000"), or null for the default text colour.
    JsonWriter &cssColor(std::optional<Rgb> c);

    [[nodiscard]] const std::string &text() const { return m_text; }

private:
    void separate();

    std::string m_text;
    bool m_first = true; // no value yet in the innermost object or array
};

} // namespace nuperako::web
