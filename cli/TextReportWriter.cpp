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

#include "Captions.h"

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
    const std::string_view number = numtext::FormatGrouped(value, buffer);
    out += label.text;
    const std::size_t used = label.width + number.size();
    const std::size_t end = 4 + kLabelColumns + kValueColumns;
    out.append(used < end ? end - used : 1, ' ');
    out += number;
    out.push_back('\n');
}

// Every caption of the report, padded once. The figures' captions are the
// window's (Captions.h).
struct Labels {
    std::array<Label, 3> data;
    std::array<Label, 3> clustered;
    std::array<Label, 6> nonClustered;
    std::array<Label, 4> totals;
    std::array<Label, kLevelCount> clusteredLevels;
    std::array<Label, kLevelCount> leafLevels;
    Label tables = MakeLabel("ﾃｰﾌﾞﾙ数");
    Label succeeded = MakeLabel("計算できたﾃｰﾌﾞﾙ数");
    Label databasePages = MakeLabel("ﾍﾟｰｼﾞ総数");
    Label databaseSize = MakeLabel("ﾃﾞｰﾀﾍﾞｰｽｻｲｽﾞ");

    Labels()
    {
        Fill(data, captions::kDataFigures);
        Fill(clustered, captions::kClusteredFigures);
        Fill(nonClustered, captions::kNonClusteredFigures);
        Fill(totals, captions::kTotals);
        for (int k = 0; k < kLevelCount; ++k) {
            clusteredLevels[static_cast<std::size_t>(k)] = MakeLabel(captions::LevelCaption(k, false));
            leafLevels[static_cast<std::size_t>(k)] = MakeLabel(captions::LevelCaption(k, true));
        }
    }

    template <std::size_t N>
    static void Fill(std::array<Label, N>& labels, const std::array<std::string_view, N>& texts)
    {
        for (std::size_t i = 0; i < N; ++i)
            labels[i] = MakeLabel(texts[i]);
    }
};

const Labels& Text()
{
    static const Labels labels;
    return labels;
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

void AppendHeading(std::string& out, std::string_view heading, std::string_view after = {})
{
    out += "  ";
    out += heading;
    out += after;
    out.push_back('\n');
}

void AppendNonClusteredHeading(std::string& out, std::size_t index)
{
    out += "  非ｸﾗｽﾀﾍﾟｰｼﾞ(";
    out += std::to_string(index);
    out.push_back(')');
}

void AppendFigures(std::string& out, const TableEstimate& result)
{
    const Labels& t = Text();
    if (result.data) {
        AppendHeading(out, captions::kTabs[0]);
        AppendLine(out, t.data[0], result.data->rowSize);
        AppendLine(out, t.data[1], result.data->rowsPerPage);
        AppendLine(out, t.data[2], result.data->pages);
    }
    if (result.clustered) {
        if (!result.clustered->present) {
            AppendHeading(out, captions::kTabs[1], "  なし");
        } else {
            AppendHeading(out, captions::kTabs[1]);
            AppendLine(out, t.clustered[0], result.clustered->rowSize);
            AppendLine(out, t.clustered[1], result.clustered->rowsPerPage);
            AppendLine(out, t.clustered[2], result.clustered->pages);
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
        AppendLine(out, t.nonClustered[0], f.leafRowSize);
        AppendLine(out, t.nonClustered[1], f.leafRowsPerPage);
        AppendLine(out, t.nonClustered[2], f.leafPages);
        AppendLine(out, t.nonClustered[3], f.nonLeafRowSize);
        AppendLine(out, t.nonClustered[4], f.nonLeafRowsPerPage);
        AppendLine(out, t.nonClustered[5], f.pages);
        AppendLevels(out, f.levels, t.leafLevels);
    }
    if (result.totals) {
        AppendHeading(out, captions::kTotalsHeading);
        AppendLine(out, t.totals[0], result.totals->clusteredPages);
        AppendLine(out, t.totals[1], result.totals->nonClusteredPages);
        AppendLine(out, t.totals[2], result.totals->totalPages);
        AppendLine(out, t.totals[3], result.totals->tableBytes);
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
    const Labels& t = Text();
    out += "ﾃﾞｰﾀﾍﾞｰｽ合計\n";
    AppendLine(out, t.tables, static_cast<BigCount>(totals.tables));
    AppendLine(out, t.succeeded, static_cast<BigCount>(totals.succeeded));
    AppendLine(out, t.databasePages, totals.pages);
    AppendLine(out, t.databaseSize, totals.bytes);
}

} // namespace quorvel::cli
