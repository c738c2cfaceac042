// One input of quorvel-size, read as the JSON parser asks for its bytes.

#include "JsonInput.h"

#include "ReportFormat.h"

#include <unistd.h>

#include <algorithm>
#include <array>
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

// What stands between two tokens.
constexpr std::array<bool, 256> kSeparator = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {' ', '\t', '\r', '\n', ',', ':'})
        table[c] = true;
    return table;
}();

} // namespace

JsonInput::JsonInput(std::FILE* file, std::size_t chunk)
    : m_file(file), m_chunk(chunk), m_storage(kKept + chunk) {
    m_begin = m_p = m_end = m_lineEnd = m_limit = m_storage.data();
    m_seeking = true;
}

JsonInput::JsonInput(std::string_view text) : m_eof(true) {
    m_begin = m_p = text.data();
    m_end = text.data() + text.size();
    m_seeking = true;
    FindLineEnd();
    m_limit = m_p;
}

void JsonInput::SetBeforeRead(std::function<void()> hook) {
    m_beforeRead = std::move(hook);
}

std::uint64_t JsonInput::OffsetOf(const char* p) const {
    return m_beginOffset + static_cast<std::uint64_t>(p - m_begin);
}

std::uint64_t JsonInput::Offset() const {
    return OffsetOf(m_reader != nullptr ? m_reader->m_p : m_p);
}

void JsonInput::FindLineEnd() {
    const void* found =
        m_p == m_end ? nullptr : std::memchr(m_p, '\n', static_cast<std::size_t>(m_end - m_p));
    m_lineEnd = found != nullptr ? static_cast<const char*>(found) : m_end;
}

bool JsonInput::Fill() {
    if (m_eof)
        return false;
    if (m_beforeRead)
        m_beforeRead();
    // Callers refill with fewer than kKept bytes unread, so those are kept too.
    const std::size_t unread = static_cast<std::size_t>(m_end - m_p);
    const std::size_t kept = std::min(kKept, static_cast<std::size_t>(m_end - m_begin));
    const std::uint64_t keptOffset = OffsetOf(m_end) - kept;
    std::memmove(m_storage.data(), m_end - kept, kept);
    m_begin = m_storage.data();
    m_beginOffset = keptOffset;
    m_p = m_begin + kept - unread;
    m_end = m_begin + kept;

    ssize_t got = 0;
    do {
        got = ::read(fileno(m_file), m_storage.data() + kept, m_chunk);
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        if (got < 0) {
            m_failed = true;
            m_error = errno;
        }
        m_eof = true;
        FindLineEnd();
        m_limit = m_p;
        return false;
    }
    m_end += got;
    FindLineEnd();
    m_limit = m_seeking ? m_p : m_lineEnd;
    return true;
}

void JsonInput::NoteLineBreak() {
    ++m_line;
    m_previousLineStart = m_lineStart;
    m_lineStart = OffsetOf(m_p) + 1;
    const void* found = std::memchr(m_p + 1, '\n', static_cast<std::size_t>(m_end - m_p - 1));
    m_lineEnd = found != nullptr ? static_cast<const char*>(found) : m_end;
}

bool JsonInput::More(const Iterator& reader) {
    if (m_reader == &reader)
        m_p = reader.m_p;
    else
        m_reader = &reader; // a new parse: it starts where the input stands
    const bool more = More();
    reader.m_p = m_p;
    reader.m_limit = m_limit;
    return more;
}

void JsonInput::Sync() {
    if (m_reader != nullptr)
        m_p = m_reader->m_p;
}

void JsonInput::Detach() {
    Sync();
    m_reader = nullptr;
    m_limit = m_p;
}

bool JsonInput::More() {
    for (;;) {
        if (m_p == m_lineEnd) { // a line break, or the end of the bytes held
            if (m_p == m_end) {
                if (!Fill())
                    return false;
                continue;
            }
            if (m_lineMode) {
                m_limit = m_p;
                return false;
            }
            NoteLineBreak();
        }
        if (m_seeking && !FindToken()) {
            m_limit = m_lineEnd; // back here at the line break or the end of the bytes held
            return true;
        }
        m_limit = m_lineEnd;
        return true;
    }
}

void JsonInput::SetLineMode(bool lines) {
    m_lineMode = lines;
}

Place JsonInput::TakeTokenPlace() {
    Sync();
    const Place place = m_seeking ? Place{} : m_token;
    // The next token starts after blanks and separators; found at once when
    // it starts among the bytes held on this line, else by the slow path.
    if (!FindToken()) {
        m_limit = m_p;
        if (m_reader != nullptr)
            m_reader->m_limit = m_p;
    }
    return place;
}

bool JsonInput::FindToken() {
    const char* q = m_p;
    while (q != m_lineEnd && kSeparator[static_cast<unsigned char>(*q)])
        ++q;
    m_seeking = q == m_lineEnd;
    if (m_seeking)
        return false;
    m_tokenOffset = OffsetOf(q);
    m_token = Place{m_line, static_cast<std::size_t>(m_tokenOffset - m_lineStart + 1)};
    return true;
}

Place JsonInput::PlaceOfOffset(std::uint64_t offset) const {
    if (offset >= m_lineStart)
        return Place{m_line, static_cast<std::size_t>(offset - m_lineStart + 1)};
    if (m_line > 1 && offset >= m_previousLineStart)
        return Place{m_line - 1, static_cast<std::size_t>(offset - m_previousLineStart + 1)};
    return Place{m_line, 1};
}

ReadError JsonInput::DescribeStop(std::uint64_t offset, bool numberOutOfRange, std::string_view number) {
    Sync();
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
    const char* first = m_begin + (from - m_beginOffset);
    std::string_view bytes(first, static_cast<std::size_t>(offset + 1 - from));
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
    while (static_cast<std::size_t>(m_end - m_p) < max && m_lineEnd == m_end && Fill()) {
    }
    m_limit = m_p;
    return std::string_view(m_p, std::min(max, static_cast<std::size_t>(m_end - m_p)));
}

void JsonInput::Moved() {
    // A token found ahead of the parser may lie behind the new position.
    m_seeking = true;
    m_limit = m_p;
}

bool JsonInput::SkipBlanks() {
    for (;;) {
        if (m_p == m_end && !Fill())
            break;
        if (m_p == m_lineEnd) {
            if (m_lineMode)
                break;
            NoteLineBreak();
            ++m_p;
        } else if (IsBlank(*m_p)) {
            ++m_p;
        } else {
            Moved();
            return true;
        }
    }
    Moved();
    return false;
}

bool JsonInput::NextLine() {
    bool passed = false;
    while (!passed && (m_p != m_end || Fill())) {
        if (m_p == m_lineEnd) {
            NoteLineBreak();
            ++m_p;
            passed = true;
        } else {
            m_p = m_lineEnd;
        }
    }
    Moved();
    return passed;
}

void JsonInput::SkipByteOrderMark() {
    while (m_end - m_p < 3 && Fill()) {
    }
    if (m_end - m_p >= 3 && std::memcmp(m_p, "\xEF\xBB\xBF", 3) == 0) {
        m_p += 3;
        m_lineStart = Offset();
    }
    Moved();
}

} // namespace quorvel::cli
