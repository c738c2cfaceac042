// A table description in the input form of quorvel-size.

#include "cli/DescriptionJson.h"

#include "cli/ReportFormat.h"

#include <algorithm>

namespace quorvel::cli {

namespace {

// Plain digits as a JSON number, which has no leading zeros ("080" is 80),
// when short enough for any JSON reader's integers; any other text as a text.
void Value(std::string& out, std::string_view key, std::string_view text, bool comma = true) {
    if (comma)
        out.push_back(',');
    out.push_back('"');
    out += key;
    out += "\":";
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    const std::string_view number = digits ? text.substr(std::min(text.find_first_not_of('0'), text.size() - 1)) : "";
    if (digits && number.size() <= 15)
        out += number;
    else
        AppendJsonString(out, text);
}

void Section(std::string& out, const SectionDescription& s, bool index) {
    out.push_back('{');
    bool first = true;
    if (index && s.fillFactor != "0") {
        Value(out, "fillFactor", s.fillFactor, false);
        first = false;
    }
    if (s.mode == KeyMode::AllFixed) {
        Value(out, "fixedBytes", s.allFixedBytes, !first);
    } else {
        Value(out, "fixedBytes", s.fixedBytes, !first);
        Value(out, "variableBytes", s.variableBytes);
        Value(out, "variableColumns", s.variableColumns);
    }
    out.push_back('}');
}

} // namespace

void AppendDescription(std::string& out, std::string_view name, const TableDescription& description) {
    out += "{\"name\":";
    AppendJsonString(out, name);
    Value(out, "rowCount", description.rowCount);
    out += ",\"data\":";
    Section(out, description.data, false);
    if (description.clustered.mode != KeyMode::None) {
        out += ",\"clustered\":";
        Section(out, description.clustered, true);
    }
    if (!description.nonClustered.empty()) {
        out += ",\"nonClustered\":[";
        for (std::size_t i = 0; i < description.nonClustered.size(); ++i) {
            if (i > 0)
                out.push_back(',');
            if (description.nonClustered[i].mode == KeyMode::None)
                out += "null";
            else
                Section(out, description.nonClustered[i], true);
        }
        out.push_back(']');
    }
    out += "}\n";
}

} // namespace quorvel::cli
