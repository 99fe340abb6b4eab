#include "JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "TextEncoding.h"

void CJsonWriter::Separate() {
    if (!m_bFirst) m_text += ',';
    m_bFirst = false;
}

CJsonWriter& CJsonWriter::BeginObject() {
    Separate();
    m_text += '{';
    m_bFirst = true;
    return *this;
}

CJsonWriter& CJsonWriter::EndObject() {
    m_text += '}';
    m_bFirst = false;
    return *this;
}

CJsonWriter& CJsonWriter::BeginArray() {
    Separate();
    m_text += '[';
    m_bFirst = true;
    return *this;
}

CJsonWriter& CJsonWriter::EndArray() {
    m_text += ']';
    m_bFirst = false;
    return *this;
}

CJsonWriter& CJsonWriter::Key(std::string_view name) {
    String(name);
    m_text += ':';
    m_bFirst = true;  // the value that follows takes no comma
    return *this;
}

CJsonWriter& CJsonWriter::String(std::string_view bytes) {
    Separate();
    m_text += '"';
    for (const char c : rad::ToUtf8(bytes)) {
        switch (c) {
            case '"':
                m_text += "\\\"";
                break;
            case '\\':
                m_text += "\\\\";
                break;
            case '\n':
                m_text += "\\n";
                break;
            case '\r':
                m_text += "\\r";
                break;
            case '\t':
                m_text += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    m_text += escaped;
                } else {
                    m_text += c;
                }
        }
    }
    m_text += '"';
    return *this;
}

CJsonWriter& CJsonWriter::Number(double value) {
    Separate();
    if (!std::isfinite(value)) {
        m_text += "null";
        return *this;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_text.append(buffer, result.ptr);
    return *this;
}

CJsonWriter& CJsonWriter::Number(double value, int decimals) {
    Separate();
    if (!std::isfinite(value)) {
        m_text += "null";
        return *this;
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    m_text.append(buffer, result.ptr);
    return *this;
}

CJsonWriter& CJsonWriter::Integer(long long value) {
    Separate();
    m_text += std::to_string(value);
    return *this;
}

CJsonWriter& CJsonWriter::Null() {
    Separate();
    m_text += "null";
    return *this;
}

CJsonWriter& CJsonWriter::Bool(bool value) {
    Separate();
    m_text += value ? "true" : "false";
    return *this;
}
