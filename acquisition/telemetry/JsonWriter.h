#pragma once

#include <string>
#include <string_view>

// A compact JSON text built front to back. Members and elements are separated as they come;
// a number that is not finite is written null, as JSON has no NaN.
class CJsonWriter {
  public:
    CJsonWriter& BeginObject();
    CJsonWriter& EndObject();
    CJsonWriter& BeginArray();
    CJsonWriter& EndArray();
    // The name of the next member of an object.
    CJsonWriter& Key(std::string_view name);
    // Always valid UTF-8: text in a legacy encoding is converted (rad::ToUtf8).
    CJsonWriter& String(std::string_view bytes);
    // Shortest text that reads back as the same double.
    CJsonWriter& Number(double value);
    // Fixed number of decimals, for values whose precision is known (spectra).
    CJsonWriter& Number(double value, int decimals);
    CJsonWriter& Integer(long long value);
    CJsonWriter& Bool(bool value);
    CJsonWriter& Null();

    const std::string& Text() const { return m_text; }

  private:
    void Separate();

    std::string m_text;
    bool m_bFirst = true;  // no element yet in the innermost object or array
};
