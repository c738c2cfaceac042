#pragma once
// The events of the JSON parser, walked through the shape of a table.
//
//   {"name": "orders", "rowCount": 10000,
//    "data": {"fixedBytes": 100, "variableBytes": 50, "variableColumns": 2},
//    "clustered": {"fillFactor": 0, "fixedBytes": 4},
//    "nonClustered": [{"fillFactor": 0, "fixedBytes": 4}, null, ...],
//    "window": {"data": {"allFixedBytes": "100"}, "nonClustered": [null, {...}]}}
//
// A top-level value is a table or an array of tables. One record serves every
// table in turn, so a stream of tables reuses its storage. Values that do not
// belong where they stand are skipped whole after one message, so a wrong
// value never derails the tables after it; the first problem of a table is the
// one it reports. Every value keeps the place it was read at. The "window"
// member holds texts only, kept for the window (TableRecord.h, WindowTexts).

#include "cli/JsonInput.h"
#include "cli/TableRecord.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorvel::cli {

// Answers false to stop reading (the report cannot be written).
using TableHandler = std::function<bool(const TableRecord&)>;

class TableEvents : public nlohmann::json_sax<nlohmann::json> {
public:
    TableEvents(JsonInput& input, const TableHandler& handler);

    // Ready for the next top-level value, which the parser starts reading at
    // the input's current offset. With holdTable a value that is one table is
    // kept back until ReleaseHeld, so that the rest of its line can be looked
    // at first.
    void BeginValue(bool holdTable);

    bool Stopped() const { return m_stopped; }
    bool ReleaseHeld();
    // The line on which the top-level value ended.
    std::size_t EndLine() const { return m_endLine; }
    // The syntax error that stopped the parser (problem None when none did).
    const ReadError& SyntaxError() const { return m_syntax; }

    // Hands on an entry for a text that is no table at all (a malformed line)
    // in place of any table held back.
    bool EmitProblem(const ReadError& error);

    bool null() override;
    bool boolean(bool value) override;
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t& raw) override;
    bool string(string_t& value) override;
    bool binary(binary_t& value) override;
    bool start_object(std::size_t elements) override;
    bool end_object() override;
    bool start_array(std::size_t elements) override;
    bool end_array() override;
    bool key(string_t& key) override;
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::json::exception& ex) override;

    // The value a key names; public for the table of keys.
    enum class Field : unsigned {
        None,
        Unknown,
        Name,
        RowCount,
        Data,
        Clustered,
        NonClustered,
        FillFactor,
        FixedBytes,
        VariableBytes,
        VariableColumns,
        Window,
        AllFixedBytes,
    };
    // Where a key stands: in a table, a section, the window member or one of its sections.
    enum class Context { TopArray, Table, Section, IndexList, Window, WindowSection, WindowIndexList };

private:
    static unsigned Bit(Field f) { return 1u << static_cast<unsigned>(f); }
    Field FieldOf(const std::string& key, Context context) const;
    std::string PathOf(std::string_view key) const;
    static std::string_view FieldName(Field f);

    bool Scalar(JsonKind kind, const std::string& text, Place at);
    bool Start(bool object, Place at);
    bool End();
    void Assign(Field field, const std::string& text, Place at);
    SectionDescription* AddIndex(Place at);
    KeptSection* AddKeptIndex(Place at);
    void EnterSection(SectionDescription& section, SectionPlaces& places, TableSection kind, Place at);
    void EnterKept(KeptSection& section, TableSection kind, Place at);
    void FinishSection();
    void FinishTable();
    void KeepWindowTexts();
    void BeginTable(Place at);
    void NotATable(JsonKind kind, Place at);
    void WrongType(Field field, JsonKind kind, Place at);
    void WrongIndex(JsonKind kind, Place at);
    void Fail(ReadProblem problem, Place at, std::string path = {});
    bool Emit();
    Field TakeField();
    void NoteTopLevelEnd(std::size_t line);

    JsonInput& m_input;
    const TableHandler& m_handler;
    TableRecord m_record;
    bool m_holdTable = false;
    bool m_held = false;
    bool m_stopped = false;
    std::uint64_t m_startOffset = 0;
    std::size_t m_endLine = 0;
    ReadError m_syntax;

    std::vector<Context> m_stack;
    std::size_t m_skip = 0; // depth inside a value being skipped
    Field m_field = Field::None;
    unsigned m_tableSeen = 0;
    unsigned m_sectionSeen = 0;
    unsigned m_windowSeen = 0;
    SectionDescription* m_section = nullptr;
    KeptSection* m_kept = nullptr;
    SectionPlaces* m_sectionPlaces = nullptr;
    TableSection m_sectionKind = TableSection::Data;
};

} // namespace quorvel::cli
