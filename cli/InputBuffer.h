#pragma once
// The bytes of one input of quorvel-size: a file, standard input or a text in
// memory.
//
// JSON Lines are read line by line straight out of the buffer, so memory stays
// bounded by the longest line however many tables follow. A JSON document is
// read through the same buffer as a std::streambuf. The format detection may
// look at the first line before either reader starts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <streambuf>
#include <string_view>
#include <vector>

namespace quorvel::cli {

class InputBuffer : public std::streambuf {
public:
    // Reads the file (not owned, not closed) from its current position.
    explicit InputBuffer(std::FILE* file);
    // Reads a text that outlives the buffer; nothing is copied.
    explicit InputBuffer(std::string_view text);

    InputBuffer(const InputBuffer&) = delete;
    InputBuffer& operator=(const InputBuffer&) = delete;

    // The next line without its line break (a CR before the LF is dropped too);
    // false at the end of the input. The view is valid until the next call.
    bool NextLine(std::string_view& line);

    // The line from the current position, not consumed; nullopt when it runs
    // longer than limit bytes (then nothing more than that is held).
    std::optional<std::string_view> PeekLine(std::size_t limit);

    // Consumes the lines that hold nothing but blanks; answers how many.
    std::size_t SkipBlankLines();

    // Skips a UTF-8 byte order mark at the current position.
    void SkipByteOrderMark();

    // Whether reading the file failed, and the errno of the failure.
    bool ReadFailed() const { return m_failed; }
    int ReadError() const { return m_error; }

protected:
    int_type underflow() override;

private:
    // Keeps the unread bytes and appends more; false when nothing more came.
    bool Fill();
    // Finds the end of the current line, reading as needed; nullptr when the
    // input ends first or the line runs past limit bytes.
    const char* FindLineEnd(std::size_t limit = SIZE_MAX);

    std::FILE* m_file = nullptr;
    std::vector<char> m_storage;
    bool m_eof = false;
    bool m_failed = false;
    int m_error = 0;
};

} // namespace quorvel::cli
