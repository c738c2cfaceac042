// A table description in the input form of quorvel-size.

#include "cli/DescriptionJson.h"

#include "cli/JsonWriter.h"
#include "cli/TableRecord.h"

#include <algorithm>

namespace quorvel::cli {

namespace {

// Plain digits as a JSON number, which has no leading zeros ("080" is 80),
// when short enough for any JSON reader's integers; any other text as a text.
void Value(JsonWriter& json, std::string_view key, std::string_view text) {
    json.Key(key);
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    const std::string_view number = digits ? text.substr(std::min(text.find_first_not_of('0'), text.size() - 1)) : "";
    if (digits && number.size() <= 15)
        json.Value(number);
    else
        json.Text(text);
}

void Section(JsonWriter& json, const SectionDescription& s, bool index) {
    json.Object();
    if (index && s.fillFactor != "0")
        Value(json, keys::kFillFactor, s.fillFactor);
    if (s.mode == KeyMode::AllFixed) {
        Value(json, keys::kFixedBytes, s.allFixedBytes);
    } else {
        Value(json, keys::kFixedBytes, s.fixedBytes);
        Value(json, keys::kVariableBytes, s.variableBytes);
        Value(json, keys::kVariableColumns, s.variableColumns);
    }
    json.End();
}

} // namespace

void AppendDescription(std::string& out, std::string_view name, const TableDescription& description) {
    JsonWriter json(out);
    json.Object();
    json.Member(keys::kName, name);
    Value(json, keys::kRowCount, description.rowCount);
    json.Key(keys::kData);
    Section(json, description.data, false);
    if (description.clustered.mode != KeyMode::None) {
        json.Key(keys::kClustered);
        Section(json, description.clustered, true);
    }
    if (!description.nonClustered.empty()) {
        json.Key(keys::kNonClustered).Array();
        for (const SectionDescription& index : description.nonClustered) {
            if (index.mode == KeyMode::None)
                json.Null();
            else
                Section(json, index, true);
        }
        json.End();
    }
    json.End();
    out.push_back('\n');
}

} // namespace quorvel::cli
