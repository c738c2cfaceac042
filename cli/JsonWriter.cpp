#include "cli/JsonWriter.h"

namespace quorvel::cli {

JsonWriter& JsonWriter::Value(std::string_view json) {
    if (m_afterKey)
        m_afterKey = false;
    else if (!m_first)
        m_out.push_back(',');
    m_first = false;
    m_out += json;
    return *this;
}

JsonWriter& JsonWriter::Open(char open, char close) {
    Value(std::string_view(&open, 1));
    m_closers.push_back(close);
    m_first = true;
    return *this;
}

JsonWriter& JsonWriter::End() {
    m_out.push_back(m_closers.back());
    m_closers.pop_back();
    m_first = false;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    Text(key);
    m_out.push_back(':');
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::Number(BigCount value) {
    char buffer[64];
    return Value(numtext::FormatPlain(value, buffer));
}

JsonWriter& JsonWriter::Text(std::string_view text) {
    Value({});
    AppendJsonString(m_out, text);
    return *this;
}

} // namespace quorvel::cli
