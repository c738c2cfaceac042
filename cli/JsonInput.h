#pragma once
// The bytes of one input of quorvel-size (a file, standard input or a text in
// memory) as the JSON parser reads them, with the place of every token.
//
// The parser pulls bytes one at a time through Iterator. The input hands them
// out of a 64 KB buffer and never holds more: a line or a document of any
// length streams through, and the parser itself keeps only the token it is
// reading. In line mode the end of the current line looks like the end of the
// input, so each line of JSON Lines is parsed on its own.
//
// Places are lines and byte columns, both from 1. After each parser event the
// reader calls TakeTokenPlace, which answers where the token of that event
// began: the input notes the first byte after the previous event that is not
// a blank, "," or ":" (those lie between tokens), looking ahead in its buffer.
// This costs nothing inside a token, so the speed of reading hardly depends on it.

#include "TableRecord.h"

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
    // Reads a text that outlives the input; nothing is copied.
    explicit JsonInput(std::string_view text);

    JsonInput(const JsonInput&) = delete;
    JsonInput& operator=(const JsonInput&) = delete;

    // The parser's view: an input iterator whose end is the end of the input
    // or, in line mode, of the current line.
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = char;
        using difference_type = std::ptrdiff_t;
        using pointer = const char*;
        using reference = const char&;

        // The parser reads through one iterator, which keeps the position
        // itself (so the hot path touches nothing else) and hands it back to
        // the input at each slow step and when the parse ends. A copy starts
        // from wherever the input stands.
        explicit Iterator(JsonInput* input) : m_input(input) {}
        Iterator(const Iterator& other) : m_input(other.m_input) {}
        Iterator& operator=(const Iterator& other) {
            m_input = other.m_input;
            m_p = m_limit = nullptr;
            return *this;
        }
        ~Iterator() {
            if (m_input->m_reader == this)
                m_input->Detach();
        }

        const char& operator*() const { return *m_p; }
        Iterator& operator++() {
            ++m_p;
            return *this;
        }
        // Only ever compared with the end, which it reaches when no byte is left.
        bool operator!=(const Iterator&) const { return m_p != m_limit || m_input->More(*this); }
        bool operator==(const Iterator& other) const { return !(*this != other); }

    private:
        friend class JsonInput;
        JsonInput* m_input;
        mutable const char* m_p = nullptr;
        mutable const char* m_limit = nullptr;
    };

    Iterator begin() { return Iterator(this); }
    Iterator end() { return Iterator(this); }

    void SetLineMode(bool lines);

    // Called before the input waits for more bytes, so that what is ready
    // can be written while it waits.
    void SetBeforeRead(std::function<void()> hook);

    // Where the token that the parser read last began; line 0 when none began
    // since the previous call (it was a "," or ":", or read ahead of an event).
    Place TakeTokenPlace();

    // The place of a byte read on the current or the previous line (the
    // parser reads one byte ahead after a number, which may be a line break).
    Place PlaceOfOffset(std::uint64_t offset) const;
    std::uint64_t Offset() const;
    std::size_t Line() const { return m_line; }

    // Why the parser stopped at the byte at offset (past the last byte read:
    // the input ended too early), shown with the token read up to that byte;
    // or, when a number was too large, that number. Call before TakeTokenPlace.
    ReadError DescribeStop(std::uint64_t offset, bool numberOutOfRange, std::string_view number);
    // Up to max bytes (at most 64) from the current position on, without
    // consuming them.
    std::string_view Ahead(std::size_t max);

    // Skips blanks; across line breaks unless in line mode. True when a byte
    // other than a blank follows (on this line, in line mode).
    bool SkipBlanks();
    // Line mode: moves to the start of the next line; false at the end of the input.
    bool NextLine();

    // A UTF-8 byte order mark at the very start is not part of the text.
    void SkipByteOrderMark();

    bool ReadFailed() const { return m_failed; }
    int ReadErrno() const { return m_error; }

private:
    // The slow path of the iterator: refills, counts a line break, looks for
    // the start of a token. True when a byte is there to read.
    bool More(const Iterator& reader);
    bool More();
    // Looks for the start of the next token from the current position up to
    // the line break or the end of the bytes held.
    bool FindToken();
    // After the position moved other than by the parser.
    void Moved();
    // Takes the position back from the iterator the parser reads through.
    void Sync();
    void Detach();
    bool Fill();
    void FindLineEnd();
    void NoteLineBreak();
    std::uint64_t OffsetOf(const char* p) const;

    std::FILE* m_file = nullptr;
    std::size_t m_chunk = 0;
    std::function<void()> m_beforeRead;
    std::vector<char> m_storage;
    const char* m_begin = nullptr;   // first byte held (what is kept from before, then the chunk)
    const char* m_p = nullptr;       // next byte to read
    const char* m_end = nullptr;     // end of the bytes held
    const char* m_lineEnd = nullptr; // next line break, or m_end
    const char* m_limit = nullptr;   // where the iterator's fast path stops
    std::uint64_t m_beginOffset = 0; // offset of m_begin in the whole input
    bool m_eof = false;
    bool m_failed = false;
    int m_error = 0;

    const Iterator* m_reader = nullptr; // the iterator of the parse under way
    bool m_lineMode = false;
    bool m_seeking = false;
    Place m_token;
    std::uint64_t m_tokenOffset = 0;
    std::size_t m_line = 1;
    std::uint64_t m_lineStart = 0;
    std::uint64_t m_previousLineStart = 0;
};

} // namespace quorvel::cli
