// What every view of the quorvel-size report says about a table.

#include "cli/ReportWriter.h"

#include "calc/Captions.h"
#include "calc/ServerLimits.h"
#include "cli/CsvReportWriter.h"
#include "cli/JsonReportWriter.h"
#include "cli/TextReportWriter.h"

namespace quorvel::cli {

namespace {
// Longest value quoted beside a refusal.
constexpr std::size_t kValueBytes = 32;
// Longest name the text views show; the JSON views keep it whole.
constexpr std::size_t kNameBytes = 200;

std::string Assignment(const TableOutcome& outcome, TableField field) {
    const std::string& value = FieldText(outcome.record.description, outcome.where, field);
    return KeyPath(outcome.where, field) + " = \"" + Printable(CutText(value, kValueBytes)) + "\"";
}
} // namespace

std::string_view StatusName(TableStatus status) {
    return status == TableStatus::Succeeded ? "ok"
           : status == TableStatus::Refused ? "refused"
           : status == TableStatus::Failed  ? "failed"
           : status == TableStatus::Invalid ? "invalid"
                                            : "described";
}

std::string DescribeReadError(const ReadError& e, Language language) {
    const std::string path = Printable(e.path);
    switch (e.problem) {
    case ReadProblem::Malformed:
        return Say(language, Text::Malformed, {Printable(e.detail)});
    case ReadProblem::UnexpectedEnd:
        return Say(language, Text::UnexpectedEnd);
    case ReadProblem::NumberOutOfRange:
        return Say(language, Text::NumberOutOfRange, {Printable(e.detail)});
    case ReadProblem::NotATable:
        return Say(language, Text::NotATable, {e.kind});
    case ReadProblem::UnknownKey:
        return Say(language, Text::UnknownKey, {path});
    case ReadProblem::DuplicateKey:
        return Say(language, Text::DuplicateKey, {path});
    case ReadProblem::WrongType:
        return Say(language, Text::WrongType, {path, e.expected, e.kind});
    case ReadProblem::MissingKey:
        return Say(language, Text::MissingKey, {path});
    case ReadProblem::TooManyIndexes:
        return Say(language, Text::TooManyListedIndexes, {path, std::to_string(limits::kNonClustered)});
    case ReadProblem::EmptyInput:
        return Say(language, Text::EmptyInput);
    case ReadProblem::Script:
        return Printable(e.detail);
    case ReadProblem::None:
        break;
    }
    return {};
}

std::unique_ptr<ReportWriter> MakeReportWriter(ReportView view, Language language) {
    switch (view) {
    case ReportView::Summary:
        return std::make_unique<TextReportWriter>(true, language);
    case ReportView::Json:
        return std::make_unique<JsonReportWriter>(false, language);
    case ReportView::JsonLines:
        return std::make_unique<JsonReportWriter>(true, language);
    case ReportView::Csv:
        return std::make_unique<CsvReportWriter>(language);
    case ReportView::Text:
        break;
    }
    return std::make_unique<TextReportWriter>(false, language);
}

std::size_t LevelsShown(const LevelTable& levels) {
    std::size_t top = 0;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        if (levels[k] != 0)
            top = k;
    }
    return top + 1;
}

void FindZeroRowsPerPage(const TableEstimate& result, std::vector<ZeroRowsPerPage>& found) {
    found.clear();
    if (result.data && result.data->DataRowsPerPage == 0)
        found.push_back({ValueRef{TableSection::Data}, captions::kDataFigures[1], "rowsPerPage"});
    if (result.clustered && result.clustered->present && result.clustered->ClusteredRowsPerPage == 0)
        found.push_back({ValueRef{TableSection::Clustered}, captions::kClusteredFigures[1], "rowsPerPage"});
    for (std::size_t i = 0; i < result.nonClustered.size(); ++i) {
        const NonClusteredEstimate& f = result.nonClustered[i];
        const ValueRef index{TableSection::NonClustered, i};
        if (f.present && f.LeafRowsPerPage == 0)
            found.push_back({index, captions::kNonClusteredFigures[1], "leafRowsPerPage"});
        if (f.present && f.NonLeafRowsPerPage == 0)
            found.push_back({index, captions::kNonClusteredFigures[4], "nonLeafRowsPerPage"});
    }
}

void AppendHeading(std::string& out, const TableOutcome& outcome) {
    out.push_back('[');
    AppendDecimal(out, static_cast<BigCount>(outcome.ordinal));
    out.push_back(']');
    if (outcome.record.name.empty())
        return;
    out.push_back(' ');
    if (outcome.record.name.size() <= kNameBytes)
        AppendPrintable(out, outcome.record.name);
    else
        AppendPrintable(out, CutText(outcome.record.name, kNameBytes));
}

std::string PlacePrefix(std::string_view source, Place place) {
    std::string text(source);
    if (place.line > 0) {
        text += ":" + std::to_string(place.line);
        if (place.column > 0)
            text += ":" + std::to_string(place.column);
    }
    return text + ": ";
}

std::string_view ProblemSource(const TableOutcome& outcome) {
    const bool elsewhere = outcome.status == TableStatus::Invalid && !outcome.record.error.source.empty();
    return elsewhere ? std::string_view(outcome.record.error.source) : outcome.source;
}

Place ProblemPlace(const TableOutcome& outcome) {
    const TableRecord& record = outcome.record;
    if (outcome.status == TableStatus::Invalid)
        return record.error.place;
    const SectionPlaces& places = PlacesOf(record, outcome.where);
    if (places[outcome.where.field].line > 0)
        return places[outcome.where.field];
    return places.section.line > 0 ? places.section : record.place;
}

std::string ProblemKey(const TableOutcome& outcome) {
    switch (outcome.status) {
    case TableStatus::Invalid:
        return outcome.record.error.path;
    case TableStatus::Refused:
    case TableStatus::Failed:
        return KeyPath(outcome.where, outcome.where.field);
    case TableStatus::Succeeded:
    case TableStatus::Described:
        break;
    }
    return {};
}

std::string ProblemText(const TableOutcome& outcome, Language language) {
    std::string text = PlacePrefix(ProblemSource(outcome), ProblemPlace(outcome));
    switch (outcome.status) {
    case TableStatus::Invalid:
        return text + DescribeReadError(outcome.record.error, language);
    case TableStatus::Refused:
        if (outcome.where.field == TableField::None) { // the section as a whole
            text += SectionPath(outcome.where.section, outcome.where.index);
            break;
        }
        text += Assignment(outcome, outcome.where.field);
        if (outcome.where.second != TableField::None)
            text += ", " + Assignment(outcome, outcome.where.second);
        break;
    case TableStatus::Failed:
        text += SectionPath(outcome.where.section, outcome.where.index);
        break;
    case TableStatus::Succeeded:
    case TableStatus::Described:
        return {};
    }
    return text + ": " + std::string(MessageText(outcome.message));
}

std::string WarningText(const TableOutcome& outcome, const ZeroRowsPerPage& warning, Language language) {
    const Place place = PlacesOf(outcome.record, warning.section).section;
    return PlacePrefix(outcome.source, place) +
           Say(language, Text::ZeroRowsPerPage,
               {SectionPath(warning.section.section, warning.section.index), warning.caption});
}

std::string NoteText(const TableOutcome& outcome, const std::string& note, Language language) {
    return PlacePrefix(outcome.source, outcome.record.place) +
           Say(language, Text::Note, {Printable(note)});
}

} // namespace quorvel::cli
