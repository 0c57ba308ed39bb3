// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "web/jsonwriter.h"

#include <cstdio>

namespace nuperako::web {

void JsonWriter::separate()
{
    if (!m_first && m_text.back() != ':')
        m_text += ',';
    m_first = false;
}

JsonWriter &JsonWriter::beginObject()
{
    separate();
    m_text += '{';
    m_first = true;
    return *this;
}

JsonWriter &JsonWriter::endObject()
{
    m_text += '}';
    m_first = false;
    return *this;
}

JsonWriter &JsonWriter::beginArray()
{
    separate();
    m_text += '[';
    m_first = true;
    return *this;
}

JsonWriter &JsonWriter::endArray()
{
    m_text += ']';
    m_first = false;
    return *this;
}

JsonWriter &JsonWriter::key(std::string_view name)
{
    value(name);
    m_text += ':';
    return *this;
}

JsonWriter &JsonWriter::value(std::string_view text)
{
    separate();
    m_text += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            m_text += '\\';
            m_text += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            m_text += escaped;
        } else {
            m_text += c; // UTF-8 passes through
        }
    }
    m_text += '"';
    return *this;
}

JsonWriter &JsonWriter::value(long number)
{
    separate();
    m_text += std::to_string(number);
    return *this;
}

JsonWriter &JsonWriter::value(double number)
{
    separate();
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", number); // exactly, as JavaScript reads it
    m_text += digits;
    return *this;
}

JsonWriter &JsonWriter::value(bool flag)
{
    separate();
    m_text += flag ? "true" : "false";
    return *this;
}

JsonWriter &JsonWriter::null()
{
    separate();
    m_text += "null";
    return *this;
}

JsonWriter &JsonWriter::cssColor(std::optional<Rgb> c)
{
    if (!c)
        return null();
    constexpr char kDigits[] = "0123456789abcdef";
    std::string css = "#";
    for (const int part : {c->red, c->green, c->blue})
        css += {kDigits[part >> 4], kDigits[part & 15]};
    return value(css);
}

} // namespace nuperako::web
