// Table descriptions of quorvel-size, read from the events of the JSON parser.

#include "cli/TableEvents.h"

#include "calc/ServerLimits.h"
#include "cli/ReportFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace quorvel::cli {

namespace {

using Context = TableEvents::Context;
using Field = TableEvents::Field;

struct FieldKeyRow {
    Field field;
    std::string_view key;
    Context where; // Table, Section, Window or WindowSection
};

constexpr std::array kFieldKeys{
    FieldKeyRow{Field::Name, keys::kName, Context::Table},
    FieldKeyRow{Field::RowCount, keys::kRowCount, Context::Table},
    FieldKeyRow{Field::Data, keys::kData, Context::Table},
    FieldKeyRow{Field::Clustered, keys::kClustered, Context::Table},
    FieldKeyRow{Field::NonClustered, keys::kNonClustered, Context::Table},
    FieldKeyRow{Field::Window, keys::kWindow, Context::Table},
    FieldKeyRow{Field::FillFactor, keys::kFillFactor, Context::Section},
    FieldKeyRow{Field::FixedBytes, keys::kFixedBytes, Context::Section},
    FieldKeyRow{Field::VariableBytes, keys::kVariableBytes, Context::Section},
    FieldKeyRow{Field::VariableColumns, keys::kVariableColumns, Context::Section},
    FieldKeyRow{Field::Data, keys::kData, Context::Window},
    FieldKeyRow{Field::Clustered, keys::kClustered, Context::Window},
    FieldKeyRow{Field::NonClustered, keys::kNonClustered, Context::Window},
    FieldKeyRow{Field::FillFactor, keys::kFillFactor, Context::WindowSection},
    FieldKeyRow{Field::AllFixedBytes, keys::kAllFixedBytes, Context::WindowSection},
    FieldKeyRow{Field::FixedBytes, keys::kFixedBytes, Context::WindowSection},
    FieldKeyRow{Field::VariableBytes, keys::kVariableBytes, Context::WindowSection},
    FieldKeyRow{Field::VariableColumns, keys::kVariableColumns, Context::WindowSection},
};

// The field of a section of the window member that a key names.
TableField KeptField(Field field) {
    switch (field) {
    case Field::FillFactor:
        return TableField::FillFactor;
    case Field::AllFixedBytes:
        return TableField::AllFixedBytes;
    case Field::FixedBytes:
        return TableField::FixedBytes;
    case Field::VariableBytes:
        return TableField::VariableBytes;
    case Field::VariableColumns:
        return TableField::VariableColumns;
    default:
        return TableField::None;
    }
}

bool IsContainer(Field field) {
    return field == Field::Data || field == Field::Clustered || field == Field::NonClustered || field == Field::Window;
}

// Longest key quoted in a message.
constexpr std::size_t kKeyBytes = 64;

// A fraction as its shortest round-trip text, so it reaches the numeric rules
// as the user would have typed it.
std::string FloatText(double value, const std::string& raw) {
    if (!std::isfinite(value))
        return raw;
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

} // namespace

TableEvents::TableEvents(JsonInput& input, const TableHandler& handler) : m_input(input), m_handler(handler) {
    m_stack.reserve(8);
}

void TableEvents::BeginValue(bool holdTable) {
    m_holdTable = holdTable;
    m_held = false;
    m_stack.clear();
    m_skip = 0;
    m_field = Field::None;
    m_syntax = ReadError{};
    m_startOffset = m_input.Offset();
    m_endLine = 0;
}

bool TableEvents::ReleaseHeld() {
    if (m_held) {
        m_held = false;
        m_stopped = !m_handler(m_record);
    }
    return !m_stopped;
}

bool TableEvents::EmitProblem(const ReadError& error) {
    m_held = false;
    BeginTable(error.place);
    m_record.error = error;
    m_stopped = !m_handler(m_record);
    return !m_stopped;
}

bool TableEvents::null() {
    return Scalar(Text::KindNull, {}, m_input.TakeTokenPlace());
}
bool TableEvents::boolean(bool) {
    return Scalar(Text::KindBoolean, {}, m_input.TakeTokenPlace());
}
bool TableEvents::number_integer(number_integer_t v) {
    return Scalar(Text::KindNumber, std::to_string(v), m_input.TakeTokenPlace());
}
bool TableEvents::number_unsigned(number_unsigned_t v) {
    return Scalar(Text::KindNumber, std::to_string(v), m_input.TakeTokenPlace());
}
bool TableEvents::number_float(number_float_t v, const string_t& raw) {
    return Scalar(Text::KindNumber, FloatText(v, raw), m_input.TakeTokenPlace());
}
bool TableEvents::string(string_t& v) {
    return Scalar(Text::KindText, v, m_input.TakeTokenPlace());
}
bool TableEvents::binary(binary_t&) {
    return Scalar(Text::KindText, {}, m_input.TakeTokenPlace());
}
bool TableEvents::start_object(std::size_t) {
    return Start(true, m_input.TakeTokenPlace());
}
bool TableEvents::start_array(std::size_t) {
    return Start(false, m_input.TakeTokenPlace());
}

bool TableEvents::end_object() {
    m_input.TakeTokenPlace();
    return End();
}

bool TableEvents::end_array() {
    m_input.TakeTokenPlace();
    return End();
}

bool TableEvents::key(string_t& k) {
    const Place at = m_input.TakeTokenPlace();
    if (m_skip > 0)
        return true;
    const Context top = m_stack.back();
    m_field = FieldOf(k, top);
    if (m_field == Field::Unknown) {
        Fail(ReadProblem::UnknownKey, at, PathOf(k));
        return true;
    }
    unsigned& seen = top == Context::Table ? m_tableSeen : top == Context::Window ? m_windowSeen : m_sectionSeen;
    if ((seen & Bit(m_field)) != 0) {
        Fail(ReadProblem::DuplicateKey, at, PathOf(k));
        m_field = Field::Unknown;
    }
    seen |= Bit(m_field);
    return true;
}

bool TableEvents::parse_error(std::size_t position, const std::string& lastToken,
                              const nlohmann::json::exception& ex) {
    // position counts the bytes this parse read, the one at fault included.
    // The only range error of parsing is a number beyond a double.
    const bool outOfRange = dynamic_cast<const nlohmann::json::out_of_range*>(&ex) != nullptr;
    m_syntax = m_input.DescribeStop(m_startOffset + (position > 0 ? position - 1 : 0), outOfRange, lastToken);
    return false;
}

// The key a table, a section or the window member reads for a field; the data
// section has no fill factor.
TableEvents::Field TableEvents::FieldOf(const std::string& key, Context context) const {
    const auto row = std::find_if(kFieldKeys.begin(), kFieldKeys.end(), [&](const FieldKeyRow& r) {
        return r.where == context && r.key == key;
    });
    if (row == kFieldKeys.end() || (row->field == Field::FillFactor && m_sectionKind == TableSection::Data))
        return Field::Unknown;
    return row->field;
}

std::string_view TableEvents::FieldName(Field f) {
    const auto row =
        std::find_if(kFieldKeys.begin(), kFieldKeys.end(), [f](const FieldKeyRow& r) { return r.field == f; });
    return row == kFieldKeys.end() ? std::string_view() : row->key;
}

// A key as the path from the table: "rowCount", "nonClustered[2].fillFactor",
// "window.data.fixedBytes".
std::string TableEvents::PathOf(std::string_view key) const {
    std::string path;
    const Context top = m_stack.empty() ? Context::TopArray : m_stack.back();
    if (top == Context::Window || top == Context::WindowSection)
        path = std::string(keys::kWindow) + ".";
    if (top == Context::Section || top == Context::WindowSection) {
        const std::size_t index = top == Context::Section ? m_record.description.nonClustered.size()
                                                          : m_record.window.nonClustered.size();
        path += SectionPath(m_sectionKind, index > 0 ? index - 1 : 0) + ".";
    }
    return path + CutText(key, kKeyBytes);
}

void TableEvents::Fail(ReadProblem problem, Place at, std::string path) {
    if (m_record.error.problem != ReadProblem::None)
        return;
    m_record.error.problem = problem;
    m_record.error.place = at;
    m_record.error.path = std::move(path);
}

void TableEvents::WrongType(Field field, JsonKind kind, Place at) {
    if (m_record.error.problem != ReadProblem::None)
        return;
    Fail(ReadProblem::WrongType, at, PathOf(FieldName(field)));
    const Context top = m_stack.back();
    m_record.error.kind = kind;
    m_record.error.expected = top == Context::WindowSection || field == Field::Name ? Text::KindText
                              : field == Field::Data && top == Context::Table        ? Text::KindObject
                              : field == Field::NonClustered && top == Context::Table ? Text::KindArray
                              : IsContainer(field)                                    ? Text::ExpectObjectOrNull
                                                                                      : Text::ExpectNumberOrText;
}

void TableEvents::WrongIndex(JsonKind kind, Place at) {
    if (m_record.error.problem != ReadProblem::None)
        return;
    const bool kept = m_stack.back() == Context::WindowIndexList;
    const std::size_t index = kept ? m_record.window.nonClustered.size() : m_record.nonClustered.size();
    Fail(ReadProblem::WrongType, at,
         (kept ? std::string(keys::kWindow) + "." : std::string()) + SectionPath(TableSection::NonClustered, index));
    m_record.error.kind = kind;
    m_record.error.expected = Text::ExpectObjectOrNull;
}

void TableEvents::BeginTable(Place at) {
    TableRecord& r = m_record;
    r.place = at;
    r.name.clear();
    r.error = ReadError{};
    // Reset in place: the lists keep their storage for the next table.
    r.description.rowCount = "0";
    r.description.data = SectionDescription{KeyMode::WithVariable};
    r.description.clustered = SectionDescription{};
    r.description.nonClustered.clear();
    r.table = r.data = r.clustered = SectionPlaces{};
    r.nonClustered.clear();
    r.window.data = r.window.clustered = KeptSection{};
    r.window.nonClustered.clear();
    m_tableSeen = 0;
    m_field = Field::None;
}

bool TableEvents::Emit() {
    if (m_holdTable && m_stack.empty()) {
        m_held = true;
        return true;
    }
    m_stopped = !m_handler(m_record);
    return !m_stopped;
}

void TableEvents::NotATable(JsonKind kind, Place at) {
    BeginTable(at);
    Fail(ReadProblem::NotATable, at);
    m_record.error.kind = kind;
    Emit();
}

void TableEvents::NoteTopLevelEnd(std::size_t line) {
    if (m_stack.empty())
        m_endLine = line;
}

// The key whose value comes next, taken so it serves one value only.
TableEvents::Field TableEvents::TakeField() {
    const Field field = m_field;
    m_field = Field::None;
    return field;
}

bool TableEvents::Scalar(JsonKind kind, const std::string& text, Place at) {
    if (m_skip > 0)
        return true;
    if (m_stack.empty() || m_stack.back() == Context::TopArray) {
        NotATable(kind, at);
        NoteTopLevelEnd(at.line);
        return !m_stopped;
    }
    const Field field = TakeField();
    const Context top = m_stack.back();
    if (top == Context::IndexList) {
        if (kind != Text::KindNull)
            WrongIndex(kind, at);
        else if (SectionDescription* none = AddIndex(at)) {
            none->mode = KeyMode::None; // "なし", as between two indexes of the window
        }
        return true;
    }
    if (top == Context::WindowIndexList) {
        if (kind != Text::KindNull)
            WrongIndex(kind, at);
        else
            AddKeptIndex(at); // nothing kept for this index, which keeps its place in the list
        return true;
    }
    if (field == Field::Unknown || field == Field::None)
        return true; // the key was wrong, and said so already
    // No clustered index: "なし"; no texts kept for the window or one of its sections.
    if (kind == Text::KindNull &&
        (field == Field::Clustered || field == Field::Window || (top == Context::Window && IsContainer(field))))
        return true;
    const bool accepted = top == Context::WindowSection || field == Field::Name
                              ? kind == Text::KindText
                              : !IsContainer(field) && (kind == Text::KindNumber || kind == Text::KindText);
    if (accepted)
        Assign(field, text, at);
    else
        WrongType(field, kind, at);
    return true;
}

void TableEvents::Assign(Field field, const std::string& text, Place at) {
    const auto store = [&text, at](std::string& value, Place& place) {
        value = text;
        place = at;
    };
    if (field == Field::Name) {
        m_record.name = text;
        return;
    }
    if (m_stack.back() == Context::WindowSection) {
        const TableField kept = KeptField(field);
        (*m_kept)[kept] = text;
        m_kept->places[kept] = at;
        return;
    }
    if (field == Field::RowCount)
        return store(m_record.description.rowCount, m_record.table[TableField::RowCount]);
    SectionDescription& s = *m_section;
    SectionPlaces& places = *m_sectionPlaces;
    switch (field) {
    case Field::FillFactor:
        return store(s.fillFactor, places[TableField::FillFactor]);
    case Field::FixedBytes:
        // Both forms of the fixed bytes carry the text; the mode decides which is read.
        store(s.allFixedBytes, places[TableField::AllFixedBytes]);
        return store(s.fixedBytes, places[TableField::FixedBytes]);
    case Field::VariableBytes:
        return store(s.variableBytes, places[TableField::VariableBytes]);
    case Field::VariableColumns:
        return store(s.variableColumns, places[TableField::VariableColumns]);
    default:
        return;
    }
}

// The next nonclustered index; null beyond the most a table may have.
SectionDescription* TableEvents::AddIndex(Place at) {
    auto& list = m_record.description.nonClustered;
    if (list.size() >= limits::kNonClustered) {
        Fail(ReadProblem::TooManyIndexes, at, SectionPath(TableSection::NonClustered, list.size()));
        return nullptr;
    }
    list.emplace_back();
    m_record.nonClustered.emplace_back().section = at;
    return &list.back();
}

// The next nonclustered index of the window member, under the same limit.
KeptSection* TableEvents::AddKeptIndex(Place at) {
    auto& list = m_record.window.nonClustered;
    if (list.size() >= limits::kNonClustered) {
        Fail(ReadProblem::TooManyIndexes, at,
             std::string(keys::kWindow) + "." + SectionPath(TableSection::NonClustered, list.size()));
        return nullptr;
    }
    list.emplace_back().places.section = at;
    return &list.back();
}

void TableEvents::EnterKept(KeptSection& section, TableSection kind, Place at) {
    m_kept = &section;
    m_sectionKind = kind;
    m_sectionSeen = 0;
    section.places.section = at;
    m_stack.push_back(Context::WindowSection);
}

void TableEvents::EnterSection(SectionDescription& section, SectionPlaces& places, TableSection kind,
                               Place at) {
    m_section = &section;
    m_sectionPlaces = &places;
    m_sectionKind = kind;
    m_sectionSeen = 0;
    places.section = at;
    m_stack.push_back(Context::Section);
}

bool TableEvents::Start(bool object, Place at) {
    if (m_skip > 0) {
        ++m_skip;
        return true;
    }
    const JsonKind kind = object ? Text::KindObject : Text::KindArray;
    if (m_stack.empty() || m_stack.back() == Context::TopArray) {
        if (object) {
            BeginTable(at);
            m_stack.push_back(Context::Table);
        } else if (m_stack.empty()) {
            m_stack.push_back(Context::TopArray);
        } else {
            NotATable(kind, at);
            m_skip = 1;
        }
        return !m_stopped;
    }
    const Context top = m_stack.back();
    const Field field = TakeField();
    if (top == Context::Table) {
        if (field == Field::Data && object) {
            m_record.description.data.mode = KeyMode::AllFixed;
            EnterSection(m_record.description.data, m_record.data, TableSection::Data, at);
            return true;
        }
        if (field == Field::Clustered && object) {
            EnterSection(m_record.description.clustered, m_record.clustered, TableSection::Clustered, at);
            return true;
        }
        if (field == Field::NonClustered && !object) {
            m_stack.push_back(Context::IndexList);
            return true;
        }
        if (field == Field::Window && object) {
            m_windowSeen = 0;
            m_stack.push_back(Context::Window);
            return true;
        }
    } else if (top == Context::IndexList && object) {
        if (SectionDescription* index = AddIndex(at)) {
            EnterSection(*index, m_record.nonClustered.back(), TableSection::NonClustered, at);
            return true;
        }
    } else if (top == Context::Window) {
        if ((field == Field::Data || field == Field::Clustered) && object) {
            const bool data = field == Field::Data;
            EnterKept(data ? m_record.window.data : m_record.window.clustered,
                      data ? TableSection::Data : TableSection::Clustered, at);
            return true;
        }
        if (field == Field::NonClustered && !object) {
            m_stack.push_back(Context::WindowIndexList);
            return true;
        }
    } else if (top == Context::WindowIndexList && object) {
        if (KeptSection* index = AddKeptIndex(at)) {
            EnterKept(*index, TableSection::NonClustered, at);
            return true;
        }
    }
    // Anything else is not where it belongs: said once, then skipped whole.
    // (An index object refused here was one too many, which AddIndex said.)
    const bool list = top == Context::IndexList || top == Context::WindowIndexList;
    if (list && !object)
        WrongIndex(kind, at);
    else if (!list && field != Field::Unknown && field != Field::None)
        WrongType(field, kind, at);
    m_skip = 1;
    return true;
}

bool TableEvents::End() {
    if (m_skip > 0) {
        --m_skip;
        return true;
    }
    const Context top = m_stack.back();
    m_stack.pop_back();
    if (top == Context::Section)
        FinishSection();
    else if (top == Context::WindowSection)
        m_sectionKind = TableSection::Table; // keys after it belong to the window member again
    else if (top == Context::Table)
        FinishTable();
    NoteTopLevelEnd(m_input.Line());
    return !m_stopped;
}

void TableEvents::FinishSection() {
    const unsigned variable = Bit(Field::VariableBytes) | Bit(Field::VariableColumns);
    m_section->mode = (m_sectionSeen & variable) != 0 ? KeyMode::WithVariable : KeyMode::AllFixed;
    if ((m_sectionSeen & Bit(Field::FixedBytes)) == 0) {
        const std::size_t index = m_record.nonClustered.empty() ? 0 : m_record.nonClustered.size() - 1;
        Fail(ReadProblem::MissingKey, m_sectionPlaces->section,
             SectionPath(m_sectionKind, index) + ".fixedBytes");
    }
    m_sectionKind = TableSection::Table; // keys after the section belong to the table again
}

// The window member's texts go into the fields the figures do not read (the
// starting "0" where it names none), so that the checks before a run see every
// field the window saw; an index it names must be one of the table's.
void TableEvents::KeepWindowTexts() {
    TableDescription& d = m_record.description;
    WindowTexts& w = m_record.window;
    if (w.nonClustered.size() > d.nonClustered.size()) {
        Fail(ReadProblem::UnknownKey, w.nonClustered[d.nonClustered.size()].places.section,
             std::string(keys::kWindow) + "." + SectionPath(TableSection::NonClustered, d.nonClustered.size()));
        return;
    }
    const auto keep = [](SectionDescription& s, SectionPlaces& places, const KeptSection& kept, bool index) {
        for (const TableField field : {TableField::FillFactor, TableField::AllFixedBytes, TableField::FixedBytes,
                                       TableField::VariableBytes, TableField::VariableColumns}) {
            if (!Unread(s, index, field))
                continue;
            TextOf(s, field) = kept[field].value_or("0");
            places[field] = kept.places[field];
        }
    };
    keep(d.data, m_record.data, w.data, false);
    keep(d.clustered, m_record.clustered, w.clustered, true);
    static const KeptSection none;
    for (std::size_t i = 0; i < d.nonClustered.size(); ++i)
        keep(d.nonClustered[i], m_record.nonClustered[i], i < w.nonClustered.size() ? w.nonClustered[i] : none, true);
}

void TableEvents::FinishTable() {
    if ((m_tableSeen & Bit(Field::RowCount)) == 0)
        Fail(ReadProblem::MissingKey, m_record.place, "rowCount");
    else if ((m_tableSeen & Bit(Field::Data)) == 0)
        Fail(ReadProblem::MissingKey, m_record.place, "data");
    KeepWindowTexts();
    Emit();
}

} // namespace quorvel::cli
