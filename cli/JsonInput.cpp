// One input of quorvel-size, read as the JSON parser asks for its bytes.

#include "cli/JsonInput.h"

#include "cli/ReportFormat.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quorvel::cli {

namespace {

// Bytes kept from before each refill, for the excerpts of error messages.
constexpr std::size_t kKept = 64;
// Bytes of the input shown with a syntax error, ending where it went wrong.
constexpr std::size_t kExcerptBytes = 32;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

} // namespace

JsonInput::JsonInput(std::FILE* file, std::size_t chunk) : m_file(file), m_chunk(chunk), m_storage(kKept + chunk) {
    m_begin = m_p = m_end = m_stop = m_storage.data();
}

void JsonInput::FindStop(const char* from) {
    const void* lineBreak = std::memchr(from, '\n', static_cast<std::size_t>(m_end - from));
    m_stop = lineBreak != nullptr ? static_cast<const char*>(lineBreak) : m_end;
}

bool JsonInput::Fill() {
    if (m_eof)
        return false;
    if (m_beforeRead)
        m_beforeRead();
    // Callers refill with fewer than kKept bytes unread, so those are kept too.
    const auto unread = static_cast<std::size_t>(m_end - m_p);
    const std::size_t kept = std::min(kKept, static_cast<std::size_t>(m_end - m_begin));
    const std::uint64_t keptOffset = OffsetOf(m_end) - kept;
    std::memmove(m_storage.data(), m_end - kept, kept);
    m_begin = m_storage.data();
    m_beginOffset = keptOffset;
    m_p = m_begin + kept - unread;
    m_end = m_begin + kept;
    FindStop(m_p);

    ssize_t got = 0;
    do {
        got = ::read(fileno(m_file), m_storage.data() + kept, m_chunk);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        m_failed = got < 0;
        m_error = got < 0 ? errno : 0;
        m_eof = true;
        return false;
    }
    m_end += got;
    FindStop(m_p);
    return true;
}

bool JsonInput::AtStop() {
    while (m_p == m_end) {
        if (!Fill())
            return false;
    }
    if (m_p != m_stop)
        return true;
    if (m_lineMode) // the end of the line is the end of the value
        return false;
    CountLineBreak();
    return true;
}

// The byte at m_p is the first of a token since the last place taken.
void JsonInput::NoteToken() {
    m_seeking = false;
    m_tokenOffset = OffsetOf(m_p);
    m_token = Place{m_line, static_cast<std::size_t>(m_tokenOffset - m_lineStart + 1)};
}

void JsonInput::CountLineBreak() {
    ++m_line;
    m_previousLineStart = m_lineStart;
    m_lineStart = OffsetOf(m_p) + 1;
    FindStop(m_p + 1);
}

Place JsonInput::TakeTokenPlace() {
    const Place place = m_seeking ? Place{} : m_token;
    m_seeking = true;
    return place;
}

Place JsonInput::PlaceOfOffset(std::uint64_t offset) const {
    if (offset >= m_lineStart)
        return Place{m_line, static_cast<std::size_t>(offset - m_lineStart + 1)};
    if (m_line > 1 && offset >= m_previousLineStart)
        return Place{m_line - 1, static_cast<std::size_t>(offset - m_previousLineStart + 1)};
    return Place{m_line, 1};
}

ReadError JsonInput::DescribeStop(std::uint64_t offset, bool numberOutOfRange, std::string_view number) const {
    const bool tokenBegan = !m_seeking;
    ReadError error;
    if (numberOutOfRange) {
        error.problem = ReadProblem::NumberOutOfRange;
        error.place = tokenBegan ? m_token : PlaceOfOffset(Offset());
        error.detail = CutText(number, kExcerptBytes);
        return error;
    }
    if (offset >= Offset()) {
        error.problem = ReadProblem::UnexpectedEnd;
        error.place = PlaceOfOffset(Offset());
        return error;
    }
    error.problem = ReadProblem::Malformed;
    error.place = PlaceOfOffset(offset);
    // The token read up to the byte at fault, or that byte alone; the last
    // kKept bytes read are always held.
    std::uint64_t from = tokenBegan && m_tokenOffset <= offset ? m_tokenOffset : offset;
    const bool cut = offset + 1 - from > kExcerptBytes;
    if (cut)
        from = offset + 1 - kExcerptBytes;
    std::string_view bytes(m_begin + (from - m_beginOffset), static_cast<std::size_t>(offset + 1 - from));
    if (cut) {
        while (!bytes.empty() && (static_cast<unsigned char>(bytes.front()) & 0xC0) == 0x80)
            bytes.remove_prefix(1);
        error.detail = "…";
    }
    error.detail += bytes;
    return error;
}

std::string_view JsonInput::Ahead(std::size_t max) {
    // Reads on until the bytes are there (or the line or the input ends), so
    // the answer never depends on where a read happened to stop.
    while (static_cast<std::size_t>(m_end - m_p) < max && m_stop == m_end && Fill()) {
    }
    return std::string_view(m_p, std::min(max, static_cast<std::size_t>(m_end - m_p)));
}

bool JsonInput::SkipBlanks() {
    m_seeking = true;
    while (m_p != m_end || Fill()) {
        if (*m_p == '\n' && m_lineMode)
            return false;
        if (*m_p == '\n') {
            CountLineBreak();
            ++m_p;
        } else if (IsBlank(*m_p))
            ++m_p;
        else
            return true;
    }
    return false;
}

bool JsonInput::NextLine() {
    while (m_p != m_end || Fill()) {
        if (m_stop != m_end) {
            m_p = m_stop;
            CountLineBreak();
            ++m_p;
            return true;
        }
        m_p = m_end;
    }
    return false;
}

void JsonInput::SkipByteOrderMark() {
    while (m_end - m_p < 3 && Fill()) {
    }
    if (m_end - m_p >= 3 && std::memcmp(m_p, "\xEF\xBB\xBF", 3) == 0) {
        m_p += 3;
        m_lineStart = Offset();
    }
}

} // namespace quorvel::cli
