// quorvel-size without its command line.

#include "cli/SizeTool.h"

#include "cli/TableReader.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace quorvel::cli {

namespace {
constexpr std::size_t kFlushSize = 1 << 16;
} // namespace

SizeTool::SizeTool(ReportView view, Language language, Output out, Output err)
    : m_language(language), m_out(std::move(out)), m_err(std::move(err)),
      m_writer(MakeReportWriter(view, language)),
      m_handler([this](const TableRecord& record) { return OnTable(record); }) {
    m_buffer.reserve(kFlushSize * 2);
    m_writer->Begin(m_buffer);
}

SizeTool::~SizeTool() = default;

bool SizeTool::Flush() {
    if (m_writeFailed)
        return false;
    if (!m_buffer.empty() && !m_out(m_buffer)) {
        m_writeFailed = true;
        const std::string reason = std::strerror(errno);
        m_err(Say(m_language, Text::CannotWrite, {reason}));
    }
    m_buffer.clear();
    return !m_writeFailed;
}

void SizeTool::Message(const std::string& text, MessageKind kind) {
    Error(text);
    m_someProblem = m_someProblem || kind == MessageKind::Problem;
    m_inputError = m_inputError || kind == MessageKind::InputError;
}

void SizeTool::Error(const std::string& message) {
    // The report so far goes first, so the message lands after the tables it follows.
    Flush();
    m_err(message);
}

void SizeTool::ReadPath(const std::string& path, InputFormat format) {
    if (path == "-") {
        ReadStream(stdin, "<stdin>", format);
        return;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        Error(Say(m_language, Text::CannotOpen, {Printable(path), std::strerror(errno)}));
        m_inputError = true;
        return;
    }
    JsonInput input(file);
    Read(input, path, Printable(path), format);
    std::fclose(file);
}

void SizeTool::ReadStream(std::FILE* file, std::string_view source, InputFormat format, std::size_t chunk) {
    JsonInput input(file, chunk);
    Read(input, "", source, format);
}

void SizeTool::Read(JsonInput& input, std::string_view path, std::string_view source, InputFormat format) {
    if (m_writeFailed)
        return;
    m_source = std::string(source);
    input.SetBeforeRead([this] { Flush(); });
    TableReader reader(input, m_handler);
    ReadOutcome outcome;
    try {
        outcome = reader.Read(FormatForPath(format, path));
    } catch (const std::bad_alloc&) { // a value longer than memory holds
        Error(m_source + ": " + Say(m_language, Text::OutOfMemory, {std::to_string(input.Offset() >> 20)}));
        m_inputError = true;
        return;
    }
    if (input.ReadFailed()) {
        Error(Say(m_language, Text::CannotRead, {m_source, std::strerror(input.ReadErrno())}));
        m_inputError = true;
    } else if (outcome.fatal.problem != ReadProblem::None) {
        Error(PlacePrefix(m_source, outcome.fatal.place) + DescribeReadError(outcome.fatal, m_language));
        m_inputError = true;
    }
}

bool SizeTool::OnTable(const TableRecord& record) {
    if (m_writeFailed)
        return false;
    const std::size_t ordinal = ++m_totals.tables;
    TableStatus status = TableStatus::Invalid;
    TableEstimate result;
    const TableEstimate* shown = nullptr;
    m_warnings.clear();
    if (record.error.problem == ReadProblem::None) {
        // The same checks, conversions, estimates and totals as the window's Calc command.
        // A table without a row count is run with none: its row sizes and rows
        // per page are what they are with any count, its pages are not shown.
        result = Estimate(record);
        if (result.failure == RunMessage::None && !record.sized) {
            status = TableStatus::Described;
            shown = &result;
            ++m_totals.described;
        } else if (result.failure == RunMessage::None) {
            status = TableStatus::Succeeded;
            shown = &result;
            ++m_totals.succeeded;
            m_totals.dataPages += result.data->DataPages;
            m_totals.clusteredPages += result.totals->clusteredPages;
            m_totals.nonClusteredPages += result.totals->nonClusteredPages;
            m_totals.textPages += result.totals->textPages;
            m_totals.pages += result.totals->totalPages;
            m_totals.bytes += result.totals->tableBytes;
        } else if (IsEstimateFailure(result.failure)) {
            status = TableStatus::Failed;
            shown = &result;
        } else {
            status = TableStatus::Refused;
        }
        if (shown != nullptr)
            FindZeroRowsPerPage(result, m_warnings);
    }
    const TableOutcome outcome{ordinal,        record,       m_source, status,
                               result.failure, result.where, shown,    m_warnings};
    const std::size_t before = m_buffer.size();
    try {
        m_writer->Table(outcome, m_buffer);
    } catch (...) { // out of memory: the report keeps the tables before this one whole
        m_buffer.resize(before);
        throw;
    }
    return m_buffer.size() < kFlushSize || Flush();
}

TableEstimate SizeTool::Estimate(const TableRecord& record) {
    if (record.refusal != RunMessage::None) {
        TableEstimate refused;
        refused.failure = record.refusal;
        refused.where = ValueRef{TableSection::Data};
        return refused;
    }
    return m_estimator.Estimate(record.description);
}

bool SizeTool::AddTable(const TableRecord& record, std::string_view source) {
    // The tables of one script all name it: its name is kept, not made again.
    if (m_source != source)
        m_source.assign(source);
    return OnTable(record);
}

int SizeTool::Finish() {
    if (!m_writeFailed)
        m_writer->End(m_totals, m_buffer);
    if (!Flush() || m_inputError)
        return kExitInputError;
    return m_totals.succeeded + m_totals.described == m_totals.tables && !m_someProblem
               ? kExitAllSucceeded
               : kExitSomeTableUnsuccessful;
}

} // namespace quorvel::cli
