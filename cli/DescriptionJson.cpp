// A table description in the input form of quorvel-size.

#include "cli/DescriptionJson.h"

#include "cli/JsonWriter.h"
#include "cli/TableRecord.h"

#include <algorithm>

namespace quorvel::cli {

namespace {

// Plain digits as a JSON number, which has no leading zeros, when short
// enough for any JSON reader's integers; any other text as a text. Plain
// writes "080" as 80; AsTyped keeps it a text, as it reads back only so.
void Value(JsonWriter& json, std::string_view key, std::string_view text, ValueForm form) {
    json.Key(key);
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    const std::string_view number = digits ? text.substr(std::min(text.find_first_not_of('0'), text.size() - 1)) : "";
    const bool same = number.size() == text.size() || form == ValueForm::Plain;
    if (digits && number.size() <= 15 && same)
        json.Value(number);
    else
        json.Text(text);
}

void Section(JsonWriter& json, const SectionDescription& s, bool index, ValueForm form) {
    json.Object();
    if (index && s.fillFactor != "0")
        Value(json, keys::kFillFactor, s.fillFactor, form);
    if (s.mode == KeyMode::AllFixed) {
        Value(json, keys::kFixedBytes, s.allFixedBytes, form);
    } else {
        Value(json, keys::kFixedBytes, s.fixedBytes, form);
        Value(json, keys::kVariableBytes, s.variableBytes, form);
        Value(json, keys::kVariableColumns, s.variableColumns, form);
    }
    json.End();
}

} // namespace

void WriteDescription(JsonWriter& json, std::string_view name, const TableDescription& description, ValueForm form) {
    json.Member(keys::kName, name);
    Value(json, keys::kRowCount, description.rowCount, form);
    json.Key(keys::kData);
    Section(json, description.data, false, form);
    if (description.clustered.mode != KeyMode::None) {
        json.Key(keys::kClustered);
        Section(json, description.clustered, true, form);
    } else if (form == ValueForm::AsTyped) {
        json.Key(keys::kClustered).Null();
    }
    if (!description.nonClustered.empty()) {
        json.Key(keys::kNonClustered).Array();
        for (const SectionDescription& index : description.nonClustered) {
            if (index.mode == KeyMode::None)
                json.Null();
            else
                Section(json, index, true, form);
        }
        json.End();
    }
}

void AppendDescription(std::string& out, std::string_view name, const TableDescription& description) {
    JsonWriter json(out);
    json.Object();
    WriteDescription(json, name, description, ValueForm::Plain);
    json.End();
    out.push_back('\n');
}

} // namespace quorvel::cli
