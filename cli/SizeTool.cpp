// quorvel-size without its command line.

#include "SizeTool.h"

#include "JsonReportWriter.h"
#include "TextReportWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>

namespace quorvel::cli {

namespace {
constexpr std::size_t kFlushSize = 1 << 16;
constexpr char kProgram[] = "quorvel-size: ";
} // namespace

SizeTool::SizeTool(bool json, Output out, Output err)
    : m_out(std::move(out)), m_err(std::move(err))
{
    if (json)
        m_writer = std::make_unique<JsonReportWriter>();
    else
        m_writer = std::make_unique<TextReportWriter>();
    m_buffer.reserve(kFlushSize * 2);
    m_writer->Begin(m_buffer);
}

SizeTool::~SizeTool() = default;

void SizeTool::Error(const std::string& message)
{
    // The report so far goes first, so the message lands after the tables it follows.
    m_out(m_buffer);
    m_buffer.clear();
    m_err(kProgram + message + "\n");
}

void SizeTool::FlushIfFull()
{
    if (m_buffer.size() >= kFlushSize) {
        m_out(m_buffer);
        m_buffer.clear();
    }
}

bool SizeTool::ReadPath(const std::string& path, InputFormat format)
{
    if (path == "-") {
        InputBuffer input(stdin);
        return ReadInput(input, "", "<stdin>", format);
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        Error("cannot open " + path + ": " + std::strerror(errno));
        m_inputError = true;
        return false;
    }
    InputBuffer input(file);
    const bool ok = ReadInput(input, path, path, format);
    std::fclose(file);
    return ok;
}

bool SizeTool::ReadStream(std::FILE* file, std::string_view source, InputFormat format)
{
    InputBuffer input(file);
    return ReadInput(input, "", source, format);
}

bool SizeTool::ReadText(std::string_view text, std::string_view source, InputFormat format)
{
    InputBuffer input(text);
    return ReadInput(input, source, source, format);
}

bool SizeTool::ReadInput(InputBuffer& input, std::string_view path, std::string_view source, InputFormat format)
{
    m_source = std::string(source);
    const FormatChoice choice = ChooseFormat(format, path, input);
    TableReader reader([this](const TableRecord& record) { OnTable(record); }, m_tablesRead);

    bool ok = true;
    if (choice.format == InputFormat::JsonLines) {
        std::string_view line;
        std::size_t number = choice.skippedLines;
        while (input.NextLine(line))
            reader.ReadLine(line, ++number);
    } else {
        std::istream stream(&input);
        if (const auto syntax = reader.ReadDocument(stream)) {
            std::string where = m_source;
            if (syntax->line > 0)
                where += ":" + std::to_string(syntax->line + choice.skippedLines) + ":" + std::to_string(syntax->column);
            if (!input.ReadFailed()) {
                Error(where + ": malformed JSON: " + syntax->reason);
                ok = false;
            }
        }
    }
    m_tablesRead = reader.TablesRead();
    if (input.ReadFailed()) {
        Error("cannot read " + m_source + ": " + std::strerror(input.ReadError()));
        ok = false;
    }
    if (!ok)
        m_inputError = true;
    return ok;
}

void SizeTool::OnTable(const TableRecord& record)
{
    ++m_totals.tables;
    TableOutcome outcome{record, m_source, TableStatus::Invalid, RunMessage::None, nullptr};
    TableEstimate result;
    if (record.error.empty()) {
        // The same checks, conversions, estimates and totals as the window's Calc command.
        result = m_estimator.Estimate(record.description);
        if (result.failure == RunMessage::None) {
            outcome.status = TableStatus::Succeeded;
            outcome.result = &result;
            ++m_totals.succeeded;
            m_totals.pages += result.totals->totalPages;
            m_totals.bytes += result.totals->tableBytes;
        } else if (IsEstimateFailure(result.failure)) {
            outcome.status = TableStatus::Failed;
            outcome.message = result.failure;
            outcome.result = &result;
        } else {
            outcome.status = TableStatus::Refused;
            outcome.message = result.failure;
        }
    }
    m_writer->Table(outcome, m_buffer);
    FlushIfFull();
}

int SizeTool::Finish()
{
    m_writer->End(m_totals, m_buffer);
    m_out(m_buffer);
    m_buffer.clear();
    if (m_inputError)
        return kExitInputError;
    return m_totals.succeeded == m_totals.tables ? kExitAllSucceeded : kExitSomeTableUnsuccessful;
}

} // namespace quorvel::cli
