// Scripts in their users' encodings, row by row from tests/cases/script_encodings.json.
//
// A row keeps its script readable: UTF-8 lines, which the runner writes in the
// row's encoding through iconv (CP932, UTF-16...), with \xHH for raw bytes that
// no encoding would write. The script's bytes are decoded and the outcome,
// its place and the text compared with the row.

#include "schema/ScriptEncoding.h"
#include "CaseRows.h"
#include "Encoded.h"

#include <array>
#include <string>

namespace quorvel::schema {
namespace {

using nlohmann::json;
using testing::CaseRow;
using testing::Unescaped;

std::string Script(const json& row) {
    const std::string as = row.value("as", "UTF-8");
    std::string bytes = Unescaped(row.value("bom", ""));
    for (const json& line : row.at("lines"))
        bytes += Unescaped(line.get<std::string>() + "\n", as);
    bytes.resize(bytes.size() - row.value("cut", std::size_t{0}));
    return bytes;
}

// The expected text: the lines as written, in UTF-8.
std::string Text(const json& row) {
    std::string text;
    for (const json& line : row.value("text", row.at("lines")))
        text += Unescaped(line.get<std::string>() + "\n");
    return text;
}

constexpr std::array<const char*, 11> kOutcomes{
    "Utf8",         "Decoded",   "GuessedCp932",    "NotUtf8",        "NotUtf8NorCp932", "NulCharacter",
    "InvalidBytes", "Truncated", "UnknownEncoding", "BomContradicts", "OutOfMemory",
};

json Result(const DecodedScript& d, const json& row) {
    json result{{"outcome", kOutcomes.at(static_cast<std::size_t>(d.outcome))}};
    if (!d.encoding.empty())
        result["read_as"] = d.encoding;
    if (d.line != 0) {
        result["at"] = {d.line, d.column};
        result["offset"] = d.offset;
    }
    if (!d.bomEncoding.empty())
        result["mark"] = d.bomEncoding;
    if (d.Ok() && d.text != Text(row))
        result["text"] = d.text;
    else if (!d.Ok() && !d.text.empty())
        result["text"] = "a script that cannot be read has a text: " + d.text;
    return result;
}

class ScriptEncodingTest : public ::testing::TestWithParam<CaseRow> {};

TEST_P(ScriptEncodingTest, DecodesAsTheRowSays) {
    const json& row = GetParam().data;
    json expected = json::object();
    for (const char* key : {"outcome", "read_as", "at", "offset", "mark"}) {
        if (row.contains(key))
            expected[key] = row[key];
    }
    const std::string name = row.value("encoding", "");
    const DecodedScript d = DecodeScript(Script(row), {name, row.value("japanese", false)});
    EXPECT_EQ(Result(d, row).dump(), expected.dump());
}

INSTANTIATE_TEST_SUITE_P(File, ScriptEncodingTest,
                         ::testing::ValuesIn(testing::LoadRows("script_encodings.json", "rows")),
                         testing::RowName());

} // namespace
} // namespace quorvel::schema
