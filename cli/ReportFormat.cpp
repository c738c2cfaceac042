// Small text helpers of the quorvel-size reports.

#include "cli/ReportFormat.h"

#include "schema/ScriptEncoding.h"

#include <cstdint>

namespace quorvel::cli {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

char32_t CodePoint(std::string_view text, std::size_t i, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (length == 1)
        return lead;
    char32_t code = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    return code;
}

void AppendHexByte(std::string& out, unsigned char byte, const char* prefix) {
    out += prefix;
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0xF]);
}

} // namespace

void AppendGrouped(std::string& out, BigCount value) {
    char buffer[64];
    out += numtext::FormatGrouped(value, buffer);
}

void AppendDecimal(std::string& out, BigCount value) {
    char buffer[64];
    out += numtext::FormatPlain(value, buffer);
}

std::string SizeText(BigCount bytes) {
    static constexpr const char* kUnits[] = {"MB", "GB", "TB", "PB", "EB"};
    std::string out;
    if (bytes < BigCount{1024} * 1024 - 512) {
        AppendGrouped(out, (bytes + 512) / 1024);
        return out + " KB";
    }
    BigCount unit = BigCount{1024} * 1024;
    std::size_t u = 0;
    BigCount tenths = (bytes * 10 + unit / 2) / unit;
    while (tenths >= 10240 && u + 1 < std::size(kUnits)) {
        unit *= 1024;
        ++u;
        tenths = (bytes * 10 + unit / 2) / unit;
    }
    AppendGrouped(out, tenths / 10);
    out.push_back('.');
    out.push_back(static_cast<char>('0' + static_cast<int>(tenths % 10)));
    return out + " " + kUnits[u];
}

std::size_t DisplayWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = schema::Utf8CharLength(utf8, i);
        if (length == 0) {
            ++width;
            ++i;
            continue;
        }
        const char32_t code = CodePoint(utf8, i, length);
        i += length;
        const bool narrow = code < 0x1100 || (code >= 0xFF61 && code <= 0xFF9F);
        width += narrow ? 1 : 2;
    }
    return width;
}

std::string CutText(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return std::string(text);
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end)) + "…";
}

void AppendPrintable(std::string& out, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = schema::Utf8CharLength(bytes, i);
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (length == 0 || c < 0x20 || c == 0x7F) {
            AppendHexByte(out, c, "\\x");
            ++i;
        } else {
            out.append(bytes, i, length);
            i += length;
        }
    }
}

std::string Printable(std::string_view bytes) {
    std::string out;
    AppendPrintable(out, bytes);
    return out;
}

void AppendJsonString(std::string& out, std::string_view bytes) {
    out.push_back('"');
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (c < 0x20) {
            AppendHexByte(out, c, "\\u00");
            ++i;
        } else if (const std::size_t length = schema::Utf8CharLength(bytes, i); length > 0) {
            out.append(bytes, i, length);
            i += length;
        } else {
            AppendHexByte(out, c, "\\\\x");
            ++i;
        }
    }
    out.push_back('"');
}

} // namespace quorvel::cli
