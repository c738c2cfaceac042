#pragma once
// A note of the schema reader on a table, in English or Japanese.
//
// The reader never builds a finished sentence for a note: it keeps the text of
// the table below with its arguments (names as written in the script), so
// each face shows it in its user's language.
//
//   ScriptMessage m(ScriptText::NoAverage, {"notes"});
//   m.Render(TextLanguage::English)   // "no average length given for notes: ..."

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quorvel::schema {

enum class TextLanguage { English, Japanese };

enum class ScriptText : std::uint8_t {
    NoRowCount,
    AverageForMissingColumn, // column, table
    AverageNotUsed,          // column, type
    NoAverage,               // columns
    LongColumn,              // column, type
    Count
};

class ScriptMessage {
public:
    ScriptMessage(ScriptText text, std::initializer_list<std::string> arguments = {})
        : m_text(text), m_arguments(arguments) {}

    ScriptText Text() const { return m_text; }
    std::string Render(TextLanguage language = TextLanguage::English) const;

private:
    ScriptText m_text;
    std::vector<std::string> m_arguments;
};

} // namespace quorvel::schema
