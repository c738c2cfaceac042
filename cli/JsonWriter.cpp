#include "cli/JsonWriter.h"

namespace quorvel::cli {

void JsonWriter::BeforeValue() {
    if (m_afterKey)
        m_afterKey = false;
    else if (!m_first)
        m_out.push_back(',');
    m_first = false;
}

JsonWriter& JsonWriter::Open(char open, char close) {
    BeforeValue();
    m_out.push_back(open);
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
    BeforeValue();
    AppendJsonString(m_out, key);
    m_out.push_back(':');
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::Number(BigCount value) {
    BeforeValue();
    AppendDecimal(m_out, value);
    return *this;
}

JsonWriter& JsonWriter::Digits(std::string_view digits) {
    BeforeValue();
    m_out += digits;
    return *this;
}

JsonWriter& JsonWriter::Text(std::string_view text) {
    BeforeValue();
    AppendJsonString(m_out, text);
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    m_out += "null";
    return *this;
}

} // namespace quorvel::cli
