// Buffered reading of one input of quorvel-size.

#include "InputBuffer.h"

#include <cerrno>
#include <cstring>

namespace quorvel::cli {

namespace {
constexpr std::size_t kChunk = 1 << 16;
}

InputBuffer::InputBuffer(std::FILE* file)
    : m_file(file)
{
    m_storage.resize(kChunk);
    setg(m_storage.data(), m_storage.data(), m_storage.data());
}

InputBuffer::InputBuffer(std::string_view text)
    : m_eof(true)
{
    // The get area only ever reads; the text is never written through it.
    char* begin = const_cast<char*>(text.data());
    setg(begin, begin, begin + text.size());
}

bool InputBuffer::Fill()
{
    if (m_eof)
        return false;
    const std::size_t unread = static_cast<std::size_t>(egptr() - gptr());
    if (unread > 0 && gptr() != m_storage.data())
        std::memmove(m_storage.data(), gptr(), unread);
    if (unread == m_storage.size())
        m_storage.resize(m_storage.size() * 2); // a line longer than the buffer
    const std::size_t got = std::fread(m_storage.data() + unread, 1, m_storage.size() - unread, m_file);
    if (got == 0) {
        if (std::ferror(m_file)) {
            m_failed = true;
            m_error = errno;
        }
        m_eof = true;
    }
    setg(m_storage.data(), m_storage.data(), m_storage.data() + unread + got);
    return got > 0;
}

InputBuffer::int_type InputBuffer::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (!Fill())
        return traits_type::eof();
    return traits_type::to_int_type(*gptr());
}

const char* InputBuffer::FindLineEnd(std::size_t limit)
{
    std::size_t searched = 0;
    for (;;) {
        const std::size_t available = static_cast<std::size_t>(egptr() - gptr());
        if (searched < available) {
            const void* found = std::memchr(gptr() + searched, '\n', available - searched);
            if (found != nullptr)
                return static_cast<const char*>(found);
        }
        searched = available;
        if (searched > limit || !Fill())
            return nullptr;
    }
}

bool InputBuffer::NextLine(std::string_view& line)
{
    const char* end = FindLineEnd();
    const char* begin = gptr();
    if (end == nullptr) {
        if (begin == egptr())
            return false;
        end = egptr(); // the last line has no line break
        setg(eback(), egptr(), egptr());
    } else {
        setg(eback(), const_cast<char*>(end) + 1, egptr());
    }
    std::size_t length = static_cast<std::size_t>(end - begin);
    if (length > 0 && begin[length - 1] == '\r')
        --length;
    line = std::string_view(begin, length);
    return true;
}

std::optional<std::string_view> InputBuffer::PeekLine(std::size_t limit)
{
    const char* end = FindLineEnd(limit);
    if (end == nullptr) {
        if (!m_eof || static_cast<std::size_t>(egptr() - gptr()) > limit)
            return std::nullopt;
        end = egptr();
    }
    return std::string_view(gptr(), static_cast<std::size_t>(end - gptr()));
}

std::size_t InputBuffer::SkipBlankLines()
{
    std::size_t skipped = 0;
    std::size_t offset = 0; // blanks seen on the current line, not yet consumed
    for (;;) {
        if (gptr() + offset == egptr() && !Fill())
            return skipped; // only blanks up to the end
        const char c = gptr()[offset];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++offset;
        } else if (c == '\n') {
            setg(eback(), gptr() + offset + 1, egptr());
            offset = 0;
            ++skipped;
        } else {
            return skipped;
        }
    }
}

void InputBuffer::SkipByteOrderMark()
{
    while (egptr() - gptr() < 3 && Fill()) {
    }
    if (egptr() - gptr() >= 3 && std::memcmp(gptr(), "\xEF\xBB\xBF", 3) == 0)
        setg(eback(), gptr() + 3, egptr());
}

} // namespace quorvel::cli
