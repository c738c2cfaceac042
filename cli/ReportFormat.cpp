// Small text helpers of the quorvel-size reports.

#include "ReportFormat.h"

#include <cstdint>

namespace quorvel::cli {

void AppendGrouped(std::string& out, BigCount value)
{
    char buffer[64];
    out += numtext::FormatGrouped(value, buffer);
}

void AppendDecimal(std::string& out, BigCount value)
{
    char buffer[64];
    out += numtext::FormatPlain(value, buffer);
}

std::size_t DisplayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0xF0) {
            length = 4;
            code = lead & 0x07u;
        } else if (lead >= 0xE0) {
            length = 3;
            code = lead & 0x0Fu;
        } else if (lead >= 0xC0) {
            length = 2;
            code = lead & 0x1Fu;
        }
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        i += length;
        const bool narrow = code < 0x1100 || (code >= 0xFF61 && code <= 0xFF9F);
        width += narrow ? 1 : 2;
    }
    return width;
}

void AppendJsonString(std::string& out, std::string_view utf8)
{
    static const char* const kHex = "0123456789abcdef";
    out.push_back('"');
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (u < 0x20) {
            out += "\\u00";
            out.push_back(kHex[u >> 4]);
            out.push_back(kHex[u & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

std::string PrintableLine(std::string_view utf8)
{
    std::string out(utf8);
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            c = '?';
    }
    return out;
}

} // namespace quorvel::cli
