#include "schema/ScriptEncoding.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <utility>

namespace quorvel::schema {

std::size_t Utf8CharLength(std::string_view text, std::size_t i, bool* truncated) {
    if (truncated)
        *truncated = false;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (i + k == text.size()) {
            if (truncated)
                *truncated = true;
            return 0;
        }
        const auto next = static_cast<unsigned char>(text[i + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

namespace {

struct Mark {
    std::string_view bytes;
    std::string_view encoding; // as the result names it and iconv reads it
    // Names (upper case, without '-' and '_') that agree with the mark.
    std::array<std::string_view, 4> names;
};

// UTF-8's mark before UTF-16's: neither starts the other.
constexpr std::array kMarks{
    Mark{"\xEF\xBB\xBF", "UTF-8", {"UTF8"}},
    Mark{"\xFF\xFE", "UTF-16LE", {"UTF16", "UTF16LE", "UCS2", "UCS2LE"}},
    Mark{"\xFE\xFF", "UTF-16BE", {"UTF16", "UTF16BE", "UCS2", "UCS2BE"}},
};

// "utf-16le" and "UTF_16LE" alike: "UTF16LE".
std::string Folded(std::string_view name) {
    std::string folded;
    for (const char c : name) {
        if (c != '-' && c != '_')
            folded.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return folded;
}

const Mark* MarkOf(std::string_view bytes) {
    for (const Mark& mark : kMarks) {
        if (bytes.starts_with(mark.bytes))
            return &mark;
    }
    return nullptr;
}

bool Agrees(const Mark& mark, std::string_view foldedName) {
    for (const std::string_view name : mark.names) {
        if (!name.empty() && name == foldedName)
            return true;
    }
    return false;
}

// The first byte that is not part of valid UTF-8, or the size when all are;
// truncated when that byte starts a character the text ends inside.
std::size_t Utf8End(std::string_view s, bool& truncated) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = Utf8CharLength(s, i, &truncated);
        if (length == 0)
            return i;
        i += length;
    }
    truncated = false;
    return s.size();
}

// Line and column just after UTF-8 text.
void PlaceAfter(std::string_view text, DecodedScript& d) {
    d.line = 1;
    d.column = 1;
    for (const char c : text) {
        if (c == '\n') {
            ++d.line;
            d.column = 1;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++d.column;
        }
    }
}

class Converter {
public:
    explicit Converter(const std::string& from) : m_cd(iconv_open("UTF-8", from.c_str())) {}
    ~Converter() {
        if (Known())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Known() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    enum class Result { Done, Invalid, Incomplete };

    // All of in into out; on failure out holds what was decoded before the
    // bytes at in.data() + consumed.
    Result Convert(std::string_view in, std::string& out, std::size_t& consumed) {
        char* from = const_cast<char*>(in.data()); // iconv's signature; it only reads
        std::size_t fromLeft = in.size();
        std::size_t written = 0;
        out.resize(in.size() + in.size() / 2 + 16);
        for (;;) {
            char* to = out.data() + written;
            std::size_t toLeft = out.size() - written;
            const std::size_t r = iconv(m_cd, &from, &fromLeft, &to, &toLeft);
            const int error = errno;
            written = out.size() - toLeft;
            if (r != static_cast<std::size_t>(-1)) { // UTF-8 has no shift state to end
                out.resize(written);
                return Result::Done;
            }
            if (error == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            out.resize(written);
            consumed = in.size() - fromLeft;
            return error == EINVAL ? Result::Incomplete : Result::Invalid;
        }
    }

private:
    iconv_t m_cd;
};

// The bytes after the mark, decoded from `from`; encoding is already set.
void Decode(std::string& bytes, std::size_t start, const std::string& from, DecodedScript& d) {
    Converter converter(from);
    if (!converter.Known()) {
        d.outcome = ScriptDecoding::UnknownEncoding;
        return;
    }
    std::size_t consumed = 0;
    const Converter::Result r = converter.Convert(std::string_view(bytes).substr(start), d.text, consumed);
    if (r == Converter::Result::Done) {
        d.outcome = ScriptDecoding::Decoded;
        return;
    }
    d.outcome = r == Converter::Result::Invalid ? ScriptDecoding::InvalidBytes : ScriptDecoding::Truncated;
    d.offset = start + consumed;
    d.byte = static_cast<std::uint8_t>(bytes[d.offset]);
    PlaceAfter(d.text, d);
    d.text.clear();
}

// UTF-8 as it stands, the mark taken off in place.
void TakeUtf8(std::string& bytes, std::size_t start, DecodedScript& d) {
    bool truncated = false;
    const std::string_view text = std::string_view(bytes).substr(start);
    const std::size_t end = Utf8End(text, truncated);
    if (end == text.size()) {
        d.outcome = ScriptDecoding::Utf8;
        bytes.erase(0, start);
        d.text = std::move(bytes);
        return;
    }
    d.outcome = truncated ? ScriptDecoding::Truncated : ScriptDecoding::InvalidBytes;
    d.offset = start + end;
    d.byte = static_cast<std::uint8_t>(bytes[d.offset]);
    PlaceAfter(text.substr(0, end), d);
}

// Neither a mark nor a name.
void Detect(std::string& bytes, bool japaneseLocale, DecodedScript& d) {
    d.encoding = "UTF-8";
    bool truncated = false;
    const std::size_t end = Utf8End(bytes, truncated);
    // UTF-16 has a NUL in its first two bytes of ASCII, before any byte that is not UTF-8.
    const std::size_t nul = std::string_view(bytes).substr(0, end).find('\0');
    if (nul != std::string_view::npos) {
        d.outcome = ScriptDecoding::NulCharacter;
        d.offset = nul;
        PlaceAfter(std::string_view(bytes).substr(0, nul), d);
        return;
    }
    if (end == bytes.size()) {
        d.outcome = ScriptDecoding::Utf8;
        d.text = std::move(bytes);
        return;
    }
    if (!japaneseLocale) {
        d.outcome = ScriptDecoding::NotUtf8;
        d.offset = end;
        PlaceAfter(std::string_view(bytes).substr(0, end), d);
        return;
    }
    d.encoding = "CP932";
    Decode(bytes, 0, d.encoding, d);
    if (d.outcome == ScriptDecoding::Decoded) {
        d.outcome = ScriptDecoding::GuessedCp932;
        d.offset = end; // the note shows where the script stopped being UTF-8
        PlaceAfter(std::string_view(bytes).substr(0, end), d);
    } else if (d.outcome != ScriptDecoding::UnknownEncoding) {
        d.outcome = ScriptDecoding::NotUtf8NorCp932;
    }
}

void Choose(std::string& bytes, const ScriptEncodingChoice& choice, DecodedScript& d) {
    const Mark* mark = MarkOf(bytes);
    if (choice.name.empty()) {
        if (mark == nullptr)
            return Detect(bytes, choice.japaneseLocale, d);
        d.encoding = mark->encoding;
        if (mark == &kMarks[0])
            return TakeUtf8(bytes, mark->bytes.size(), d);
        return Decode(bytes, mark->bytes.size(), d.encoding, d);
    }

    d.encoding = choice.name;
    const std::string folded = Folded(choice.name);
    if (choice.name.find('/') != std::string_view::npos) {
        d.outcome = ScriptDecoding::UnknownEncoding;
        return;
    }
    if (mark != nullptr && !Agrees(*mark, folded)) {
        d.outcome =
            Converter(d.encoding).Known() ? ScriptDecoding::BomContradicts : ScriptDecoding::UnknownEncoding;
        if (d.outcome == ScriptDecoding::BomContradicts)
            d.bomEncoding = mark->encoding;
        return;
    }
    const std::size_t start = mark == nullptr ? 0 : mark->bytes.size();
    if (folded == "UTF8")
        return TakeUtf8(bytes, start, d);
    // The mark's byte order, or Windows' for a name without one.
    std::string from = mark != nullptr ? std::string(mark->encoding) : d.encoding;
    if (mark == nullptr && (folded == "UTF16" || folded == "UCS2"))
        from = folded == "UTF16" ? "UTF-16LE" : "UCS-2LE";
    Decode(bytes, start, from, d);
}

} // namespace

bool JapaneseLocale() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return std::string_view(value).starts_with("ja");
    }
    return false;
}

DecodedScript DecodeScript(std::string bytes, const ScriptEncodingChoice& choice) noexcept {
    DecodedScript d;
    try {
        Choose(bytes, choice, d);
        return d;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) { // a text longer than a string can hold
    }
    DecodedScript failed; // allocates nothing
    failed.outcome = ScriptDecoding::OutOfMemory;
    return failed;
}

} // namespace quorvel::schema
