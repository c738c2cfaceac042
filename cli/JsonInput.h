#pragma once
// The bytes of one input of quorvel-size (a file or standard input) as the
// JSON parser reads them, with the place of every token.
//
// The parser pulls bytes one at a time through Iterator. The input hands them
// out of a 64 KB buffer and never holds more: a line or a document of any
// length streams through, and the parser itself keeps only the token it is
// reading. In line mode the end of the current line looks like the end of the
// input, so each line of JSON Lines is parsed on its own.
//
// Places are lines and byte columns, both from 1. After each parser event the
// reader calls TakeTokenPlace, which answers where the token of that event
// began: the first byte read since the previous event that is not a blank,
// "," or ":" (those lie between tokens).

#include "cli/TableRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string_view>
#include <vector>

namespace quorvel::cli {

class JsonInput {
public:
    static constexpr std::size_t kChunk = 1 << 16;

    // Reads the file (not owned, not closed) from its current position, at
    // most chunk bytes at a time.
    explicit JsonInput(std::FILE* file, std::size_t chunk = kChunk);

    JsonInput(const JsonInput&) = delete;
    JsonInput& operator=(const JsonInput&) = delete;

    // The parser's view: an input iterator whose end is the end of the input
    // or, in line mode, of the current line. Every copy reads through the input.
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = char;
        using difference_type = std::ptrdiff_t;
        using pointer = const char*;
        using reference = const char&;

        explicit Iterator(JsonInput* input) : m_input(input) {}
        const char& operator*() const { return *m_input->m_p; }
        Iterator& operator++() {
            m_input->Consume();
            return *this;
        }
        // Only ever compared with the end, which it reaches when no byte is left.
        bool operator!=(const Iterator&) const { return m_input->More(); }
        bool operator==(const Iterator& other) const { return !(*this != other); }

    private:
        JsonInput* m_input;
    };

    Iterator begin() { return Iterator(this); }
    Iterator end() { return Iterator(this); }

    void SetLineMode(bool lines) { m_lineMode = lines; }

    // Called before the input waits for more bytes, so that what is ready
    // can be written while it waits.
    void SetBeforeRead(std::function<void()> hook) { m_beforeRead = std::move(hook); }

    // Where the token that the parser read last began; line 0 when none began
    // since the previous call (it was a "," or ":", or read ahead of an event).
    Place TakeTokenPlace();

    // The place of a byte read on the current or the previous line (the
    // parser reads one byte ahead after a number, which may be a line break).
    Place PlaceOfOffset(std::uint64_t offset) const;
    std::uint64_t Offset() const { return OffsetOf(m_p); }
    std::size_t Line() const { return m_line; }

    // Why the parser stopped at the byte at offset (past the last byte read:
    // the input ended too early), shown with the token read up to that byte;
    // or, when a number was too large, that number.
    ReadError DescribeStop(std::uint64_t offset, bool numberOutOfRange, std::string_view number) const;
    // Up to max bytes (at most 64) from the current position on, without
    // consuming them.
    std::string_view Ahead(std::size_t max);

    // Skips blanks; across line breaks unless in line mode. True when a byte
    // other than a blank follows (on this line, in line mode).
    bool SkipBlanks();
    // Line mode: moves to the start of the next line (SkipBlanks then finds its
    // first value); false at the end of the input.
    bool NextLine();

    // A UTF-8 byte order mark at the very start is not part of the text.
    void SkipByteOrderMark();

    bool ReadFailed() const { return m_failed; }
    int ReadErrno() const { return m_error; }

private:
    // Whether a byte is there for the parser. Asked for every byte, as Consume
    // is: both inline, and only a line break or the end of the bytes held
    // takes the slow way.
    bool More() { return m_p != m_stop || AtStop(); }
    // The parser read the byte at m_p.
    void Consume() {
        if (m_seeking && !IsSeparator(*m_p))
            NoteToken();
        ++m_p;
    }
    static bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ':'; }
    bool AtStop();
    void NoteToken();
    bool Fill();
    // m_p stands on a line break, which is counted and m_stop moved past it.
    void CountLineBreak();
    void FindStop(const char* from);
    std::uint64_t OffsetOf(const char* p) const { return m_beginOffset + static_cast<std::uint64_t>(p - m_begin); }

    std::FILE* m_file = nullptr;
    std::size_t m_chunk = 0;
    std::function<void()> m_beforeRead;
    std::vector<char> m_storage;
    const char* m_begin = nullptr;   // first byte held (what is kept from before, then the chunk)
    const char* m_p = nullptr;       // next byte to read
    const char* m_end = nullptr;     // end of the bytes held
    const char* m_stop = nullptr;    // the next line break from m_p on, or m_end
    std::uint64_t m_beginOffset = 0; // offset of m_begin in the whole input
    bool m_eof = false;
    bool m_failed = false;
    int m_error = 0;

    bool m_lineMode = false;
    bool m_seeking = true; // no token began since the last place taken
    Place m_token;
    std::uint64_t m_tokenOffset = 0;
    std::size_t m_line = 1;
    std::uint64_t m_lineStart = 0;
    std::uint64_t m_previousLineStart = 0;
};

} // namespace quorvel::cli
