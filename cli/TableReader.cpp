// Table descriptions of quorvel-size, read from the events of the JSON parser.

#include "TableReader.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <vector>

namespace quorvel::cli {

namespace {

using Json = nlohmann::json;

enum class Field {
    None, Unknown,
    Name, RowCount, Data, Clustered, NonClustered,
    FillFactor, FixedBytes, VariableBytes, VariableColumns,
};

enum class Context { TopArray, Table, Section, IndexList };

// The JSON type of a value, for the messages about a wrong one.
enum class Kind { Null, Boolean, Number, Text, Binary, Object, Array };

const char* KindName(Kind kind)
{
    switch (kind) {
    case Kind::Null: return "null";
    case Kind::Boolean: return "a boolean";
    case Kind::Number: return "a number";
    case Kind::Text: return "a text";
    case Kind::Binary: return "binary data";
    case Kind::Object: return "an object";
    case Kind::Array: return "an array";
    }
    return "a value";
}

// Bits of the keys seen in the current table and section.
unsigned Bit(Field f) { return 1u << static_cast<unsigned>(f); }

std::string NumberText(std::int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string NumberText(std::uint64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// A fraction as its shortest round-trip text; a number too large for a double
// keeps its own text, which the numeric rules then refuse as the window would.
std::string NumberText(double value, const std::string& raw)
{
    if (!std::isfinite(value))
        return raw;
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Line, column and reason out of the parser's own message
// ("... parse error at line 3, column 14: syntax error while parsing ...").
TableReader::SyntaxError DescribeParseError(const nlohmann::detail::exception& ex)
{
    TableReader::SyntaxError error;
    std::string what = ex.what();
    const auto bracket = what.find("] ");
    if (bracket != std::string::npos)
        what.erase(0, bracket + 2);
    const std::string marker = "parse error at line ";
    const auto at = what.find(marker);
    if (at == std::string::npos) {
        error.reason = what;
        return error;
    }
    const char* p = what.c_str() + at + marker.size();
    char* end = nullptr;
    error.line = std::strtoul(p, &end, 10);
    const std::string columnMarker = ", column ";
    if (std::string_view(end).substr(0, columnMarker.size()) == columnMarker)
        error.column = std::strtoul(end + columnMarker.size(), &end, 10);
    std::string_view rest(end);
    if (rest.substr(0, 2) == ": ")
        rest.remove_prefix(2);
    error.reason = std::string(rest);
    return error;
}

} // namespace

// Walks the parser's events through the shape of a table and fills one
// TableRecord at a time. Values it does not expect are skipped whole, so one
// wrong value never derails the tables after it.
class TableReader::Events : public nlohmann::json_sax<Json> {
public:
    Events(TableRecord& record, const TableReader::TableHandler& handler, std::size_t& ordinal)
        : m_record(record), m_handler(handler), m_ordinal(ordinal)
    {
        m_stack.reserve(8);
    }

    // Ready for a new document or line; what was read before is forgotten.
    void Reset(bool document, std::size_t line)
    {
        m_document = document;
        m_line = line;
        m_stack.clear();
        m_skip = 0;
        m_field = Field::None;
        m_syntaxError.reset();
        m_pending = false;
    }

    const std::optional<TableReader::SyntaxError>& Syntax() const { return m_syntaxError; }

    // In a line the table is handed on only once the whole line has parsed.
    bool TakePending()
    {
        const bool pending = m_pending;
        m_pending = false;
        return pending;
    }

    bool null() override { return Scalar(Kind::Null, {}); }
    bool boolean(bool) override { return Scalar(Kind::Boolean, {}); }
    bool number_integer(number_integer_t v) override { return Scalar(Kind::Number, NumberText(static_cast<std::int64_t>(v))); }
    bool number_unsigned(number_unsigned_t v) override { return Scalar(Kind::Number, NumberText(static_cast<std::uint64_t>(v))); }
    bool number_float(number_float_t v, const string_t& raw) override { return Scalar(Kind::Number, NumberText(v, raw)); }
    bool string(string_t& v) override { return Scalar(Kind::Text, v); }
    bool binary(binary_t&) override { return Scalar(Kind::Binary, {}); }

    bool start_object(std::size_t) override { return Start(true); }
    bool end_object() override { return End(); }
    bool start_array(std::size_t) override { return Start(false); }
    bool end_array() override { return End(); }

    bool key(string_t& k) override
    {
        if (m_skip > 0)
            return true;
        const Context top = m_stack.back();
        m_field = top == Context::Table ? TableField(k) : SectionField(k);
        if (m_field == Field::Unknown) {
            Fail("unknown key \"" + k + "\"" + Where());
            return true;
        }
        unsigned& seen = top == Context::Table ? m_tableSeen : m_sectionSeen;
        if ((seen & Bit(m_field)) != 0) {
            Fail("duplicate key \"" + k + "\"" + Where());
            m_field = Field::Unknown;
        }
        seen |= Bit(m_field);
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& ex) override
    {
        m_syntaxError = DescribeParseError(ex);
        return false;
    }

private:
    Field TableField(const std::string& k) const
    {
        if (k == "name") return Field::Name;
        if (k == "rowCount") return Field::RowCount;
        if (k == "data") return Field::Data;
        if (k == "clustered") return Field::Clustered;
        if (k == "nonClustered") return Field::NonClustered;
        return Field::Unknown;
    }

    Field SectionField(const std::string& k) const
    {
        if (k == "fixedBytes") return Field::FixedBytes;
        if (k == "variableBytes") return Field::VariableBytes;
        if (k == "variableColumns") return Field::VariableColumns;
        if (k == "fillFactor" && m_sectionIsIndex) return Field::FillFactor;
        return Field::Unknown;
    }

    static const char* FieldName(Field f)
    {
        switch (f) {
        case Field::Name: return "name";
        case Field::RowCount: return "rowCount";
        case Field::Data: return "data";
        case Field::Clustered: return "clustered";
        case Field::NonClustered: return "nonClustered";
        case Field::FillFactor: return "fillFactor";
        case Field::FixedBytes: return "fixedBytes";
        case Field::VariableBytes: return "variableBytes";
        case Field::VariableColumns: return "variableColumns";
        case Field::None:
        case Field::Unknown: break;
        }
        return "";
    }

    // "data", "clustered", "nonClustered[2]": the name of the current section.
    std::string SectionName() const
    {
        if (m_section == &m_record.description.data)
            return "data";
        if (m_section == &m_record.description.clustered)
            return "clustered";
        return "nonClustered[" + std::to_string(m_record.description.nonClustered.size() - 1) + "]";
    }

    // " in data", " in nonClustered[2]": where a section key stands.
    std::string Where() const
    {
        if (m_stack.empty() || m_stack.back() != Context::Section)
            return "";
        return " in " + SectionName();
    }

    void Fail(std::string message)
    {
        if (m_record.error.empty())
            m_record.error = std::move(message);
    }

    void WrongType(Field field, Kind kind)
    {
        const char* expected = "a number or a text";
        if (field == Field::Name)
            expected = "a text";
        else if (field == Field::Data)
            expected = "an object";
        else if (field == Field::Clustered)
            expected = "an object or null";
        else if (field == Field::NonClustered)
            expected = "an array";
        Fail(std::string("\"") + FieldName(field) + "\"" + Where() + " must be " + expected + ", not " + KindName(kind));
    }

    void BeginTable()
    {
        ++m_ordinal;
        m_record.ordinal = m_ordinal;
        m_record.line = m_line;
        m_record.name.clear();
        m_record.error.clear();
        // Reset in place: the list of indexes keeps its storage for the next table.
        TableDescription& description = m_record.description;
        description.rowCount = "0";
        description.data = SectionDescription{KeyMode::WithVariable};
        description.clustered = SectionDescription{};
        description.nonClustered.clear();
        m_tableSeen = 0;
        m_field = Field::None;
    }

    void EmitTable()
    {
        if (m_document)
            m_handler(m_record);
        else
            m_pending = true;
    }

    void NotATable(Kind kind)
    {
        BeginTable();
        Fail(std::string("a table must be a JSON object, not ") + KindName(kind));
        EmitTable();
    }

    // The key whose value comes next, taken so it serves one value only.
    Field TakeField()
    {
        const Field field = m_field;
        m_field = Field::None;
        return field;
    }

    bool Scalar(Kind kind, const std::string& text)
    {
        if (m_skip > 0)
            return true;
        if (m_stack.empty() || m_stack.back() == Context::TopArray) {
            NotATable(kind);
            return true;
        }
        const Field field = TakeField();
        if (m_stack.back() == Context::IndexList) {
            if (kind == Kind::Null) {
                // An index that is "なし", as between two indexes of the window.
                if (SectionDescription* index = AddIndex())
                    index->mode = KeyMode::None;
            } else {
                Fail(std::string("each nonclustered index must be a JSON object or null, not ") + KindName(kind));
            }
            return true;
        }
        if (field == Field::Unknown || field == Field::None)
            return true; // the key was wrong, and said so already
        if (field == Field::Clustered && kind == Kind::Null)
            return true; // no clustered index: "なし"
        const bool accepted = field == Field::Name
            ? kind == Kind::Text
            : field != Field::Data && field != Field::Clustered && field != Field::NonClustered
                  && (kind == Kind::Number || kind == Kind::Text);
        if (accepted)
            Assign(field, text);
        else
            WrongType(field, kind);
        return true;
    }

    void Assign(Field field, const std::string& text)
    {
        switch (field) {
        case Field::Name: m_record.name = text; break;
        case Field::RowCount: m_record.description.rowCount = text; break;
        case Field::FillFactor: m_section->fillFactor = text; break;
        case Field::FixedBytes:
            // Both forms of the fixed bytes carry the text; the mode decides which is read.
            m_section->allFixedBytes = text;
            m_section->fixedBytes = text;
            break;
        case Field::VariableBytes: m_section->variableBytes = text; break;
        case Field::VariableColumns: m_section->variableColumns = text; break;
        default: break;
        }
    }

    // The next nonclustered index; null beyond the most a table may have.
    SectionDescription* AddIndex()
    {
        auto& list = m_record.description.nonClustered;
        if (list.size() >= kMaxNonClustered) {
            Fail("more than " + std::to_string(kMaxNonClustered) + " nonclustered indexes");
            return nullptr;
        }
        list.emplace_back();
        return &list.back();
    }

    void EnterSection(SectionDescription& section, bool isIndex)
    {
        m_section = &section;
        m_sectionIsIndex = isIndex;
        m_sectionSeen = 0;
        m_stack.push_back(Context::Section);
    }

    bool Start(bool object)
    {
        if (m_skip > 0) {
            ++m_skip;
            return true;
        }
        const Kind kind = object ? Kind::Object : Kind::Array;
        if (m_stack.empty() || m_stack.back() == Context::TopArray) {
            if (object) {
                BeginTable();
                m_stack.push_back(Context::Table);
            } else if (m_stack.empty() && m_document) {
                m_stack.push_back(Context::TopArray);
            } else {
                NotATable(kind);
                m_skip = 1;
            }
            return true;
        }
        const Context top = m_stack.back();
        const Field field = TakeField();
        if (top == Context::Table) {
            if (field == Field::Data && object) {
                m_record.description.data.mode = KeyMode::AllFixed;
                EnterSection(m_record.description.data, false);
                return true;
            }
            if (field == Field::Clustered && object) {
                EnterSection(m_record.description.clustered, true);
                return true;
            }
            if (field == Field::NonClustered && !object) {
                m_stack.push_back(Context::IndexList);
                return true;
            }
        } else if (top == Context::IndexList && object) {
            if (SectionDescription* index = AddIndex()) {
                EnterSection(*index, true);
                return true;
            }
        }
        // Anything else is not where it belongs: said once, then skipped whole.
        // (An index object refused here was one too many, which AddIndex said.)
        if (top == Context::IndexList && !object)
            Fail(std::string("each nonclustered index must be a JSON object or null, not ") + KindName(kind));
        else if (top != Context::IndexList && field != Field::Unknown && field != Field::None)
            WrongType(field, kind);
        m_skip = 1;
        return true;
    }

    bool End()
    {
        if (m_skip > 0) {
            --m_skip;
            return true;
        }
        const Context top = m_stack.back();
        m_stack.pop_back();
        if (top == Context::Section)
            FinishSection();
        else if (top == Context::Table)
            FinishTable();
        return true;
    }

    void FinishSection()
    {
        const unsigned variable = Bit(Field::VariableBytes) | Bit(Field::VariableColumns);
        m_section->mode = (m_sectionSeen & variable) != 0 ? KeyMode::WithVariable : KeyMode::AllFixed;
        if ((m_sectionSeen & Bit(Field::FixedBytes)) == 0)
            Fail("missing \"fixedBytes\" in " + SectionName());
    }

    void FinishTable()
    {
        if ((m_tableSeen & Bit(Field::RowCount)) == 0)
            Fail("missing \"rowCount\"");
        else if ((m_tableSeen & Bit(Field::Data)) == 0)
            Fail("missing \"data\"");
        EmitTable();
    }

    TableRecord& m_record;
    const TableReader::TableHandler& m_handler;
    std::size_t& m_ordinal;
    bool m_document = true;
    std::size_t m_line = 0;

    std::vector<Context> m_stack;
    std::size_t m_skip = 0; // depth inside a value being skipped
    Field m_field = Field::None;
    unsigned m_tableSeen = 0;
    unsigned m_sectionSeen = 0;
    SectionDescription* m_section = nullptr;
    bool m_sectionIsIndex = false;
    std::optional<TableReader::SyntaxError> m_syntaxError;
    bool m_pending = false;
};

namespace {

bool IsBlank(std::string_view text)
{
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

} // namespace

TableReader::TableReader(TableHandler handler, std::size_t ordinalBase)
    : m_handler(std::move(handler)),
      m_ordinal(ordinalBase),
      m_record(std::make_unique<TableRecord>()),
      m_events(std::make_unique<Events>(*m_record, m_handler, m_ordinal))
{
}

TableReader::~TableReader() = default;

std::optional<TableReader::SyntaxError> TableReader::ReadDocument(std::istream& in)
{
    m_events->Reset(true, 0);
    Json::sax_parse(in, m_events.get(), Json::input_format_t::json, true, false);
    return m_events->Syntax();
}

void TableReader::ReadLine(std::string_view text, std::size_t lineNumber)
{
    if (IsBlank(text))
        return;
    const std::size_t before = m_ordinal;
    m_events->Reset(false, lineNumber);
    const bool ok = Json::sax_parse(text.begin(), text.end(), m_events.get(), Json::input_format_t::json, true, false);
    const bool pending = m_events->TakePending();
    if (ok) {
        if (pending)
            m_handler(*m_record);
        return;
    }
    // A malformed line is still one table of the input: it is counted and reported.
    TableRecord& record = *m_record;
    m_ordinal = before + 1;
    record.ordinal = m_ordinal;
    record.line = lineNumber;
    record.name.clear();
    record.description = TableDescription{};
    const auto& syntax = m_events->Syntax();
    record.column = syntax ? syntax->column : 0;
    record.error = "malformed JSON: " + (syntax ? syntax->reason : std::string("unreadable line"));
    m_handler(record);
}

} // namespace quorvel::cli
