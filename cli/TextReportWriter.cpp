// The readable report of quorvel-size.
//
// Layout of one table:
//   [1] orders
//     ﾃﾞｰﾀﾍﾟｰｼﾞ
//       ﾃﾞｰﾀ行のｻｲｽﾞ                             102
//       ...
//     ｸﾗｽﾀﾍﾟｰｼﾞ  なし
//     計算結果
//       ﾃｰﾌﾞﾙｻｲｽﾞ                          1,079,296
// A message of the run follows "! "; levels are listed from 0 up to the
// highest level that has pages.

#include "TextReportWriter.h"

#include <array>
#include <cstdint>

namespace quorvel::cli {

namespace {

constexpr std::size_t kLabelColumns = 28;
constexpr std::size_t kValueColumns = 16;

// A caption padded so that every value ends in the same column.
struct Label {
    std::string text;
    std::size_t width;
};

Label MakeLabel(std::string_view caption)
{
    return Label{"    " + std::string(caption), 4 + DisplayWidth(caption)};
}

void AppendLine(std::string& out, const Label& label, BigCount value)
{
    char buffer[64];
    const std::string_view number = FormatGrouped(value, buffer);
    out += label.text;
    const std::size_t used = label.width + number.size();
    const std::size_t end = 4 + kLabelColumns + kValueColumns;
    out.append(used < end ? end - used : 1, ' ');
    out += number;
    out.push_back('\n');
}

struct Captions {
    Label dataRowSize = MakeLabel("ﾃﾞｰﾀ行のｻｲｽﾞ");
    Label dataRowsPerPage = MakeLabel("ﾍﾟｰｼﾞごとのﾃﾞｰﾀ行数");
    Label dataPages = MakeLabel("必要ﾃﾞｰﾀﾍﾟｰｼﾞ数");
    Label clusteredRowSize = MakeLabel("ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ");
    Label clusteredRowsPerPage = MakeLabel("ﾍﾟｰｼﾞごとのｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽ行数");
    Label indexPages = MakeLabel("必要ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞ数");
    Label leafRowSize = MakeLabel("ﾘｰﾌｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ");
    Label leafRowsPerPage = MakeLabel("ﾍﾟｰｼﾞごとのﾘｰﾌｲﾝﾃﾞｯｸｽ行数");
    Label leafPages = MakeLabel("ﾘｰﾌﾍﾟｰｼﾞ数");
    Label nonLeafRowSize = MakeLabel("非ﾘｰﾌｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ");
    Label nonLeafRowsPerPage = MakeLabel("ﾍﾟｰｼﾞごとの非ﾘｰﾌｲﾝﾃﾞｯｸｽ行数");
    Label clusteredTotal = MakeLabel("ｸﾗｽﾀﾍﾟｰｼﾞ数");
    Label nonClusteredTotal = MakeLabel("非ｸﾗｽﾀﾍﾟｰｼﾞ数");
    Label totalPages = MakeLabel("ﾍﾟｰｼﾞ総数");
    Label tableSize = MakeLabel("ﾃｰﾌﾞﾙｻｲｽﾞ");
    Label tables = MakeLabel("ﾃｰﾌﾞﾙ数");
    Label succeeded = MakeLabel("計算できたﾃｰﾌﾞﾙ数");
    Label databasePages = MakeLabel("ﾍﾟｰｼﾞ総数");
    Label databaseSize = MakeLabel("ﾃﾞｰﾀﾍﾞｰｽｻｲｽﾞ");
    std::array<Label, kLevelCount> clusteredLevels;
    std::array<Label, kLevelCount> leafLevels;

    Captions()
    {
        static const char* const kFullWidthDigits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
        for (int k = 0; k < kLevelCount; ++k) {
            std::string caption = "ﾚﾍﾞﾙ";
            if (k < 10)
                caption += kFullWidthDigits[k];
            else
                caption += std::to_string(k);
            std::string leaf = caption;
            if (k == 0)
                leaf += "(ﾘｰﾌ)";
            if (k == kLevelCount - 1) {
                caption += "(ﾙｰﾄ)";
                leaf += "(ﾙｰﾄ)";
            }
            clusteredLevels[static_cast<std::size_t>(k)] = MakeLabel(caption);
            leafLevels[static_cast<std::size_t>(k)] = MakeLabel(leaf);
        }
    }
};

const Captions& Text()
{
    static const Captions captions;
    return captions;
}

void AppendLevels(std::string& out, const std::array<std::int32_t, kLevelCount>& levels,
                  const std::array<Label, kLevelCount>& labels)
{
    std::size_t top = 0;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        if (levels[k] != 0)
            top = k;
    }
    for (std::size_t k = 0; k <= top; ++k)
        AppendLine(out, labels[k], levels[k]);
}

void AppendNonClusteredHeading(std::string& out, std::size_t index)
{
    out += "  非ｸﾗｽﾀﾍﾟｰｼﾞ(";
    out += std::to_string(index);
    out.push_back(')');
}

void AppendFigures(std::string& out, const RunResult& result)
{
    const Captions& t = Text();
    if (result.data) {
        out += "  ﾃﾞｰﾀﾍﾟｰｼﾞ\n";
        AppendLine(out, t.dataRowSize, result.data->rowSize);
        AppendLine(out, t.dataRowsPerPage, result.data->rowsPerPage);
        AppendLine(out, t.dataPages, result.data->pages);
    }
    if (result.clustered) {
        if (!result.clustered->present) {
            out += "  ｸﾗｽﾀﾍﾟｰｼﾞ  なし\n";
        } else {
            out += "  ｸﾗｽﾀﾍﾟｰｼﾞ\n";
            AppendLine(out, t.clusteredRowSize, result.clustered->rowSize);
            AppendLine(out, t.clusteredRowsPerPage, result.clustered->rowsPerPage);
            AppendLine(out, t.indexPages, result.clustered->pages);
            AppendLevels(out, result.clustered->levels, t.clusteredLevels);
        }
    }
    for (std::size_t i = 0; i < result.nonClustered.size(); ++i) {
        const NonClusteredFigures& f = result.nonClustered[i];
        AppendNonClusteredHeading(out, i + 1);
        if (!f.present) {
            out += "  なし\n";
            continue;
        }
        out.push_back('\n');
        AppendLine(out, t.leafRowSize, f.leafRowSize);
        AppendLine(out, t.leafRowsPerPage, f.leafRowsPerPage);
        AppendLine(out, t.leafPages, f.leafPages);
        AppendLine(out, t.nonLeafRowSize, f.nonLeafRowSize);
        AppendLine(out, t.nonLeafRowsPerPage, f.nonLeafRowsPerPage);
        AppendLine(out, t.indexPages, f.pages);
        AppendLevels(out, f.levels, t.leafLevels);
    }
    if (result.totals) {
        out += "  計算結果\n";
        AppendLine(out, t.clusteredTotal, result.totals->clusteredPages);
        AppendLine(out, t.nonClusteredTotal, result.totals->nonClusteredPages);
        AppendLine(out, t.totalPages, result.totals->totalPages);
        AppendLine(out, t.tableSize, result.totals->tableBytes);
    }
}

} // namespace

void TextReportWriter::Begin(std::string&)
{
}

void TextReportWriter::Table(const TableOutcome& outcome, std::string& out)
{
    out.push_back('[');
    out += std::to_string(outcome.record.ordinal);
    out.push_back(']');
    if (!outcome.record.name.empty()) {
        out.push_back(' ');
        out += PrintableLine(outcome.record.name);
    }
    out.push_back('\n');
    if (outcome.result != nullptr)
        AppendFigures(out, *outcome.result);
    switch (outcome.status) {
    case TableStatus::Succeeded:
        break;
    case TableStatus::Refused:
    case TableStatus::Failed:
        out += "  ! ";
        out += MessageText(outcome.message);
        out.push_back('\n');
        break;
    case TableStatus::Invalid:
        out += "  ! ";
        out += PrintableLine(InvalidTableText(outcome));
        out.push_back('\n');
        break;
    }
}

void TextReportWriter::End(const DatabaseTotals& totals, std::string& out)
{
    if (totals.tables < 2)
        return; // a single table's own totals say it all
    const Captions& t = Text();
    out += "ﾃﾞｰﾀﾍﾞｰｽ合計\n";
    AppendLine(out, t.tables, static_cast<BigCount>(totals.tables));
    AppendLine(out, t.succeeded, static_cast<BigCount>(totals.succeeded));
    AppendLine(out, t.databasePages, totals.pages);
    AppendLine(out, t.databaseSize, totals.bytes);
}

} // namespace quorvel::cli
