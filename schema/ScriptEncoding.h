#pragma once
// From the bytes of a schema script to the UTF-8 text the script reader reads.
//
// Scripts come in their users' encodings: UTF-8, with or without a byte order
// mark; UTF-16 with one, as the server's tools write "Unicode" files; CP932
// (Shift_JIS) from a Japanese DBA's editor. The reader works on UTF-8, so a
// script is decoded first, as a whole:
//
//   DecodedScript d = DecodeScript(std::move(bytes), {name, japaneseLocale});
//   if (d.Ok()) ReadScript(d.text, path); else report d's outcome and stop.
//
// How the encoding is chosen, in this order:
// 1. A byte order mark: EF BB BF is UTF-8, FF FE UTF-16LE, FE FF UTF-16BE. The
//    mark itself is dropped.
// 2. A name (--encoding), anything iconv knows ("cp932", "utf-16le",
//    "euc-jp"...), in any case. A mark that says another encoding than the
//    name is refused (BomContradicts) rather than guessed either way: the user
//    named one encoding and the file says another. "utf-16" without a mark is
//    read little-endian, as Windows writes it. A name is a name only: iconv's
//    suffixes ("//IGNORE", "//TRANSLIT") would drop or change bytes silently,
//    so a name holding '/' is unknown.
// 3. Neither: a script that is valid UTF-8 is UTF-8, taken as it stands
//    without a copy. One that is not is read as CP932 when the user's locale
//    is Japanese (GuessedCp932: the caller shows a note), and refused
//    otherwise (NotUtf8), with the place of its first byte that is not UTF-8.
//    A NUL character before the first byte that is not UTF-8 is refused
//    (NulCharacter): no script holds one, and a UTF-16 file without a mark has
//    one in its first two bytes when it starts with ASCII, as scripts do.
//
// Places are the reader's: line and column from 1, the column counting
// characters, not bytes, of the text decoded before the place.
//
// Nothing here throws: running out of memory is the outcome OutOfMemory. The
// bytes are taken by value, so a caller that copies them rather than moving
// them in meets std::bad_alloc at its own call.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::schema {

enum class ScriptDecoding : std::uint8_t {
    // The text can be read.
    Utf8,         // UTF-8 by a mark, a name, or being valid: text is the bytes as they were
    Decoded,      // decoded from encoding, named or given by a mark
    GuessedCp932, // not UTF-8 (from line, column), read as CP932 under a Japanese locale
    // The script cannot be read; text is empty.
    NotUtf8,         // no mark, no name, not UTF-8 from line, column, not a Japanese locale
    NotUtf8NorCp932, // no mark, no name, Japanese locale: not CP932 either from line, column
    NulCharacter,    // no mark, no name: a NUL character at line, column
    InvalidBytes,    // bytes that encoding cannot decode at line, column (offset in the bytes)
    Truncated,       // the script ends inside a character of encoding, which starts at line, column
    UnknownEncoding, // encoding is no name iconv knows
    BomContradicts,  // a mark of bomEncoding, and the name encoding
    OutOfMemory,
};

struct ScriptEncodingChoice {
    std::string_view name;       // as the user gave it; empty: by the mark, or UTF-8
    bool japaneseLocale = false; // as JapaneseLocale() tells
};

// The length of the UTF-8 character at text[i], or 0 when the bytes there are
// not one (RFC 3629: no overlong forms, no surrogates, nothing above U+10FFFF);
// *truncated, when asked, tells whether they start one the text ends inside.
std::size_t Utf8CharLength(std::string_view text, std::size_t i, bool* truncated = nullptr);

// Whether the user's character set is that of a Japanese locale: LC_ALL,
// LC_CTYPE or LANG, the first one set, starts with "ja".
bool JapaneseLocale();

struct DecodedScript {
    ScriptDecoding outcome = ScriptDecoding::Utf8;
    std::string text;        // UTF-8 without a mark, when Ok()
    std::string encoding;    // what the script was read as, or the name that failed
    std::string bomEncoding; // the mark's encoding, when it contradicts the name
    std::size_t line = 0;    // where a problem (or the guess) is, from 1; 0 when no place
    std::size_t column = 0;  // characters from the line's start, from 1
    std::size_t offset = 0;  // byte offset of that place in the script's bytes
    std::uint8_t byte = 0;   // InvalidBytes: the byte at offset

    bool Ok() const {
        return outcome == ScriptDecoding::Utf8 || outcome == ScriptDecoding::Decoded ||
               outcome == ScriptDecoding::GuessedCp932;
    }
};

DecodedScript DecodeScript(std::string bytes, const ScriptEncodingChoice& choice) noexcept;

} // namespace quorvel::schema
