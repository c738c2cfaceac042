#pragma once
// JSON written straight into a text as it goes, for the reports and the
// described tables: objects and arrays opened and closed in order, and a comma
// before every member or element but the first of its object or array. Texts
// go through AppendJsonString, so the output is valid UTF-8 whatever bytes
// came in; numbers of any size the totals reach are written whole.
//
//   JsonWriter json(out);
//   json.Object().Member("table", 1).Key("levels").Array().Number(8).Number(1).End().End();
//     // {"table":1,"levels":[8,1]}

#include "cli/ReportFormat.h"

#include <string>
#include <string_view>

namespace quorvel::cli {

class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : m_out(out) {}

    JsonWriter& Object() { return Open('{', '}'); }
    JsonWriter& Array() { return Open('[', ']'); }
    // Closes the object or array opened last.
    JsonWriter& End();
    // A member's key; its value comes next.
    JsonWriter& Key(std::string_view key);

    JsonWriter& Number(BigCount value);
    JsonWriter& Text(std::string_view text);
    JsonWriter& Null() { return Value("null"); }
    // A value already written as JSON (digits of a number, say).
    JsonWriter& Value(std::string_view json);

    JsonWriter& Member(std::string_view key, BigCount value) { return Key(key).Number(value); }
    JsonWriter& Member(std::string_view key, std::string_view text) { return Key(key).Text(text); }

private:
    JsonWriter& Open(char open, char close);

    std::string& m_out;
    std::string m_closers; // of the objects and arrays open, innermost last
    bool m_first = true;   // nothing written yet in the innermost one
    bool m_afterKey = false;
};

} // namespace quorvel::cli
