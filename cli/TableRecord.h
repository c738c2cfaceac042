#pragma once
// One table as a reader of quorvel-size hands it on: the description the
// calculation takes, where each of its values stands in the input, and what
// was wrong with it when the description itself could not be read.
//
// The rest of the tool (estimate, reports) works on records only, so any
// reader that fills them (JSON today) feeds the same reports.

#include "calc/TableEstimate.h"
#include "schema/Messages.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

// The keys of a table in the tool's JSON input, and of its sections: read
// by the reader, named in messages, written by --describe and the window's files.
namespace keys {
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kRowCount = "rowCount";
inline constexpr std::string_view kData = "data";
inline constexpr std::string_view kClustered = "clustered";
inline constexpr std::string_view kNonClustered = "nonClustered";
inline constexpr std::string_view kFillFactor = "fillFactor";
inline constexpr std::string_view kFixedBytes = "fixedBytes";
inline constexpr std::string_view kVariableBytes = "variableBytes";
inline constexpr std::string_view kVariableColumns = "variableColumns";
// The window's own texts of the fields the figures do not read (WindowTexts).
inline constexpr std::string_view kWindow = "window";
inline constexpr std::string_view kAllFixedBytes = "allFixedBytes";
} // namespace keys

// The JSON type of a value, as the messages about a wrong one name it:
// Text::KindNull, KindBoolean, KindNumber, KindText, KindObject, KindArray.
using JsonKind = Text;

enum class ReadProblem {
    None,
    Malformed,        // detail: the text read where it went wrong
    UnexpectedEnd,    // the input (or line) ends inside a value
    NumberOutOfRange, // detail: the number
    NotATable,        // kind
    UnknownKey,       // path
    DuplicateKey,     // path
    WrongType,        // path, expected, kind
    MissingKey,       // path
    TooManyIndexes,   // path of the first index too many
    EmptyInput,       // the input holds nothing but blanks
    Script,           // detail: what a schema script says is wrong with the table
};

struct ReadError {
    ReadProblem problem = ReadProblem::None;
    Place place;
    std::string source; // the input the place is in, when not the table's (a script that alters it)
    std::string path;   // key path: "nonClustered[2].fillFactor"
    std::string detail; // raw bytes of the input, made printable when shown
    JsonKind kind = Text::KindNull;
    Text expected = Text::ExpectNumberOrText; // what the value should have been
};

// Where the values of one section stand, by TableField; section is the place
// of the section itself.
struct SectionPlaces {
    Place section;
    std::array<Place, 7> fields{};

    Place& operator[](TableField field) { return fields[static_cast<std::size_t>(field)]; }
    const Place& operator[](TableField field) const { return fields[static_cast<std::size_t>(field)]; }
};

// The texts a window keeps in the fields that the selected modes do not read,
// so that a saved estimate opens again exactly as it was typed: the member
//   "window": {"data": {"fixedBytes": "120"}, "clustered": {"fillFactor": "80"},
//              "nonClustered": [null, {"allFixedBytes": "4"}]}
// holds texts only, by the field of each section (allFixedBytes is the field of
// "all fixed-length", fixedBytes, variableBytes and variableColumns those of
// "with variable-length columns"). The figures never read it.
struct KeptSection {
    std::array<std::optional<std::string>, 7> texts{}; // by TableField
    SectionPlaces places;

    std::optional<std::string>& operator[](TableField field) { return texts[static_cast<std::size_t>(field)]; }
    const std::optional<std::string>& operator[](TableField field) const {
        return texts[static_cast<std::size_t>(field)];
    }
};

struct WindowTexts {
    KeptSection data;
    KeptSection clustered;
    std::vector<KeptSection> nonClustered;
};

struct TableRecord {
    std::string name; // empty when the table has none
    Place place;      // where the table begins
    TableDescription description;
    SectionPlaces table; // the row count
    SectionPlaces data;
    SectionPlaces clustered;
    std::vector<SectionPlaces> nonClustered;
    WindowTexts window;
    ReadError error; // problem None when the description was read

    // What a schema script adds beside the description.
    bool sized = true;                     // false: no row count, so described only
    RunMessage refusal = RunMessage::None; // a refusal the description cannot carry
    std::vector<std::string> notes;        // in the user's language
};

// Whether the mode of a section leaves a field unread by the figures (the
// checks before a run still look at it), and the text of a field.
bool Unread(const SectionDescription& section, bool index, TableField field);
std::string& TextOf(SectionDescription& section, TableField field);

// The text of a value of a description, by reference ("" for None).
const std::string& FieldText(const TableDescription& description, const ValueRef& where, TableField field);

// The places of the section a reference names.
const SectionPlaces& PlacesOf(const TableRecord& record, const ValueRef& where);

// "rowCount", "data.fixedBytes", "nonClustered[2].fillFactor", "clustered":
// how the input names a section or a value (indexes counted from 0).
std::string KeyPath(const ValueRef& where, TableField field);
std::string SectionPath(TableSection section, std::size_t index);
// The key of a value ("" for None); both forms of the fixed bytes share one.
std::string_view FieldKey(TableField field);

} // namespace quorvel::cli
