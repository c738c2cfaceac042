// The text views of quorvel-size.
//
// Every figure, for one table:
//   [1] orders
//     ﾃﾞｰﾀﾍﾟｰｼﾞ
//       ﾃﾞｰﾀ行のｻｲｽﾞ                             102
//       ...
//     ｸﾗｽﾀﾍﾟｰｼﾞ  なし
//     計算結果
//       ﾃｰﾌﾞﾙｻｲｽﾞ                          1,079,296
// A message of the run or a description error follows "! ", a warning or a
// note "* "; levels are listed from 0 up to the highest level that has pages.
// A table of a script with text pages shows them (ﾃｷｽﾄﾍﾟｰｼﾞ数) before its
// ﾍﾟｰｼﾞ総数, which counts them, in both views and in the database total; one
// without a row count is its heading and its notes.
//
// The summary, one line a table:
//                            ﾃﾞｰﾀﾍﾟｰｼﾞ   ｸﾗｽﾀﾍﾟｰｼﾞ数 ...     ﾃｰﾌﾞﾙｻｲｽﾞ
//   [1] orders                   5,264             0 ...       11.4 MB
//   [2] big ! orders.jsonl:2:58: data.fixedBytes = "1963": 1列の最大…
//   ﾃﾞｰﾀﾍﾞｰｽ合計                 5,264             0 ...       11.4 MB  ﾃｰﾌﾞﾙ数 2  計算できたﾃｰﾌﾞﾙ数 1
// A name too long for its column is cut with "…", so the figures stay in
// line; a table without a row count lists its row sizes under its heading.

#include "cli/TextReportWriter.h"

#include "calc/Captions.h"

#include <array>
#include <cstdint>

namespace quorvel::cli {

namespace {

constexpr std::size_t kLabelColumns = 28;
constexpr std::size_t kValueColumns = 16;
// The summary's name column takes "[1234] " and a name of the 30 characters
// SQL Server 6.x allows, and a blank; a longer heading is cut to fit.
constexpr std::size_t kNameColumns = 38;   // summary
constexpr std::size_t kFigureColumns = 14; // summary

// A caption and its number, which ends in the same column on every line.
void AppendLine(std::string& out, std::string_view caption, BigCount value) {
    constexpr std::size_t kEnd = 4 + kLabelColumns + kValueColumns;
    char buffer[64];
    const std::string_view number = numtext::FormatGrouped(value, buffer);
    const std::size_t used = 4 + DisplayWidth(caption) + number.size();
    out += "    ";
    out += caption;
    out.append(used < kEnd ? kEnd - used : 1, ' ');
    out += number;
    out.push_back('\n');
}

void AppendLevels(std::string& out, const LevelTable& levels, bool nonClustered) {
    for (std::size_t k = 0, shown = LevelsShown(levels); k < shown; ++k)
        AppendLine(out, captions::LevelCaption(static_cast<int>(k), nonClustered), levels[k]);
}

void AppendHeading(std::string& out, std::string_view heading, std::string_view after = {}) {
    out += "  ";
    out += heading;
    out += after;
    out.push_back('\n');
}

void AppendNonClusteredHeading(std::string& out, std::size_t index) {
    out += "  非ｸﾗｽﾀﾍﾟｰｼﾞ(";
    out += std::to_string(index);
    out.push_back(')');
}

// Every figure of a table; for a table without a row count (sized false)
// the row sizes and rows per page only.
void AppendFigures(std::string& out, const TableEstimate& result, bool sized) {
    if (result.data) {
        AppendHeading(out, captions::kTabs[0]);
        AppendLine(out, captions::kDataFigures[0], result.data->DataRowSize);
        AppendLine(out, captions::kDataFigures[1], result.data->DataRowsPerPage);
        if (sized)
            AppendLine(out, captions::kDataFigures[2], result.data->DataPages);
    }
    if (result.clustered) {
        if (!result.clustered->present) {
            AppendHeading(out, captions::kTabs[1], "  なし");
        } else {
            AppendHeading(out, captions::kTabs[1]);
            AppendLine(out, captions::kClusteredFigures[0], result.clustered->ClusteredRowSize);
            AppendLine(out, captions::kClusteredFigures[1], result.clustered->ClusteredRowsPerPage);
            if (sized) {
                AppendLine(out, captions::kClusteredFigures[2], result.clustered->ClusteredPages);
                AppendLevels(out, result.clustered->levels, false);
            }
        }
    }
    for (std::size_t i = 0; i < result.nonClustered.size(); ++i) {
        const NonClusteredEstimate& f = result.nonClustered[i];
        AppendNonClusteredHeading(out, i + 1);
        if (!f.present) {
            out += "  なし\n";
            continue;
        }
        out.push_back('\n');
        const std::array<BigCount, 6> figures{f.LeafRowSize,    f.LeafRowsPerPage,    f.LeafPages,
                                              f.NonLeafRowSize, f.NonLeafRowsPerPage, f.NonClusteredPages};
        for (std::size_t k = 0; k < figures.size(); ++k) {
            if (sized || (k != 2 && k != 5)) // the leaf pages and the index's pages
                AppendLine(out, captions::kNonClusteredFigures[k], figures[k]);
        }
        if (sized)
            AppendLevels(out, f.levels, true);
    }
    if (result.totals && sized) {
        AppendHeading(out, captions::kTotalsHeading);
        AppendLine(out, captions::kTotals[0], result.totals->clusteredPages);
        AppendLine(out, captions::kTotals[1], result.totals->nonClusteredPages);
        if (result.totals->textPages != 0)
            AppendLine(out, kTextPagesCaption, result.totals->textPages);
        AppendLine(out, captions::kTotals[2], result.totals->totalPages);
        AppendLine(out, captions::kTotals[3], result.totals->tableBytes);
    }
}

void AppendPadding(std::string& out, std::size_t used, std::size_t width) {
    out.append(used < width ? width - used : 1, ' ');
}

void AppendRight(std::string& out, std::string_view text) {
    AppendPadding(out, DisplayWidth(text), kFigureColumns);
    out += text;
}

// The figures of a summary line, after its heading (which starts at start).
void AppendSummary(std::string& out, std::size_t start, const BigCount (&pages)[4], BigCount bytes) {
    if (DisplayWidth(std::string_view(out).substr(start)) >= kNameColumns) {
        // Whole characters off the end, until the heading and "…" leave a blank.
        while (DisplayWidth(std::string_view(out).substr(start)) > kNameColumns - 2) {
            while ((static_cast<unsigned char>(out.back()) & 0xC0) == 0x80)
                out.pop_back();
            out.pop_back();
        }
        out += "…";
    }
    AppendPadding(out, DisplayWidth(std::string_view(out).substr(start)), kNameColumns);
    char buffer[64];
    for (const BigCount value : pages)
        AppendRight(out, numtext::FormatGrouped(value, buffer));
    AppendRight(out, SizeText(bytes));
}

void AppendCount(std::string& out, std::string_view caption, BigCount count) {
    char buffer[64];
    out += "  ";
    out += caption;
    out.push_back(' ');
    out += numtext::FormatGrouped(count, buffer);
}

// A summary line of a table without a row count: one line a structure with
// its row sizes and rows per page, under the table's heading.
//     ﾃﾞｰﾀﾍﾟｰｼﾞ  ﾃﾞｰﾀ行のｻｲｽﾞ 125  ﾍﾟｰｼﾞごとのﾃﾞｰﾀ行数 16
void AppendSizes(std::string& out, const TableEstimate& result) {
    const auto line = [&out](std::string_view heading, std::initializer_list<std::pair<std::string_view, BigCount>> figures) {
        out += "    ";
        out += heading;
        for (const auto& [caption, value] : figures)
            AppendCount(out, caption, value);
        out.push_back('\n');
    };
    line(captions::kTabs[0], {{captions::kDataFigures[0], result.data->DataRowSize},
                              {captions::kDataFigures[1], result.data->DataRowsPerPage}});
    if (result.clustered->present)
        line(captions::kTabs[1], {{captions::kClusteredFigures[0], result.clustered->ClusteredRowSize},
                                  {captions::kClusteredFigures[1], result.clustered->ClusteredRowsPerPage}});
    for (std::size_t i = 0; i < result.nonClustered.size(); ++i) {
        const NonClusteredEstimate& f = result.nonClustered[i];
        if (f.present)
            line("非ｸﾗｽﾀﾍﾟｰｼﾞ(" + std::to_string(i + 1) + ")",
                 {{captions::kNonClusteredFigures[0], f.LeafRowSize},
                  {captions::kNonClusteredFigures[1], f.LeafRowsPerPage},
                  {captions::kNonClusteredFigures[3], f.NonLeafRowSize},
                  {captions::kNonClusteredFigures[4], f.NonLeafRowsPerPage}});
    }
}

} // namespace

void TextReportWriter::Begin(std::string& out) {
    if (!m_summary)
        return;
    out.append(kNameColumns, ' ');
    AppendRight(out, captions::kTabs[0]);
    for (const std::string_view caption : captions::kTotals)
        AppendRight(out, caption);
    out.push_back('\n');
}

void TextReportWriter::Table(const TableOutcome& outcome, std::string& out) {
    const std::size_t start = out.size();
    AppendHeading(out, outcome);
    const std::string_view indent = m_summary ? "    * " : "  * ";
    if (m_summary && outcome.status != TableStatus::Succeeded && outcome.status != TableStatus::Described) {
        out += " ! " + ProblemText(outcome, m_language) + "\n";
        return;
    }
    if (m_summary && outcome.status == TableStatus::Described) {
        out.push_back('\n');
        AppendSizes(out, *outcome.result);
    } else if (m_summary) {
        const TableEstimate& r = *outcome.result;
        AppendSummary(
            out, start,
            {r.data->DataPages, r.totals->clusteredPages, r.totals->nonClusteredPages, r.totals->totalPages},
            r.totals->tableBytes);
        out.push_back('\n');
        if (r.totals->textPages != 0) {
            out += "  ";
            AppendCount(out, kTextPagesCaption, r.totals->textPages);
            out.push_back('\n');
        }
    } else {
        out.push_back('\n');
        if (outcome.result != nullptr)
            AppendFigures(out, *outcome.result, outcome.status != TableStatus::Described);
    }
    for (const std::string& note : outcome.record.notes) {
        out += indent;
        out += NoteText(outcome, note, m_language);
        out.push_back('\n');
    }
    for (const ZeroRowsPerPage& warning : outcome.warnings) {
        out += indent;
        out += WarningText(outcome, warning, m_language);
        out.push_back('\n');
    }
    if (outcome.status != TableStatus::Succeeded && outcome.status != TableStatus::Described) {
        out += "  ! ";
        out += ProblemText(outcome, m_language);
        out.push_back('\n');
    }
}

void TextReportWriter::End(const DatabaseTotals& totals, std::string& out) {
    if (m_summary) {
        const std::size_t start = out.size();
        out += kDatabaseHeading;
        AppendSummary(out, start,
                      {totals.dataPages, totals.clusteredPages, totals.nonClusteredPages, totals.pages},
                      totals.bytes);
        AppendCount(out, kTablesCaption, static_cast<BigCount>(totals.tables));
        AppendCount(out, kSucceededCaption, static_cast<BigCount>(totals.succeeded));
        if (totals.textPages != 0)
            AppendCount(out, kTextPagesCaption, totals.textPages);
        out.push_back('\n');
        return;
    }
    if (totals.tables == 1)
        return; // a single table's own totals say it all
    out += kDatabaseHeading;
    out.push_back('\n');
    AppendLine(out, kTablesCaption, static_cast<BigCount>(totals.tables));
    AppendLine(out, kSucceededCaption, static_cast<BigCount>(totals.succeeded));
    if (totals.textPages != 0)
        AppendLine(out, kTextPagesCaption, totals.textPages);
    AppendLine(out, captions::kTotals[2], totals.pages);
    AppendLine(out, "ﾃﾞｰﾀﾍﾞｰｽｻｲｽﾞ", totals.bytes);
}

} // namespace quorvel::cli
