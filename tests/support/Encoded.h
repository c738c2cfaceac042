#pragma once
// A UTF-8 text written in another encoding (CP932, UTF-16LE...), as an editor
// would save it; through iconv, as the reader decodes it. Rows write raw bytes
// that no encoding would write as \xHH.

#include <iconv.h>

#include <stdexcept>
#include <string>

namespace quorvel::testing {

inline std::string Encoded(const std::string& text, const std::string& to) {
    if (to == "UTF-8" || text.empty())
        return text;
    const iconv_t cd = iconv_open(to.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot write " + to);
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    char* at = out.data();
    std::size_t inLeft = text.size(), outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &at, &outLeft) != static_cast<std::size_t>(-1) &&
                    iconv(cd, nullptr, nullptr, &at, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok)
        throw std::runtime_error("iconv cannot write \"" + text + "\" in " + to);
    out.resize(out.size() - outLeft);
    return out;
}

// A text with \xHH for raw bytes: the text between them written in `to`.
inline std::string Unescaped(const std::string& line, const std::string& to = "UTF-8") {
    std::string out, text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 2, "\\x") == 0 && i + 4 <= line.size()) {
            out += Encoded(text, to);
            text.clear();
            out.push_back(static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)));
            i += 3;
        } else {
            text.push_back(line[i]);
        }
    }
    return out + Encoded(text, to);
}

} // namespace quorvel::testing
