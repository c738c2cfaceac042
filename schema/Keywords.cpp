#include "Keywords.h"

#include <algorithm>
#include <array>

namespace quorvel::schema {

namespace {

// Indexed by Keyword minus one, so sorted the same way.
constexpr std::array<std::string_view, 51> kTexts{
    "ALTER",     "ASC",        "CHECK",       "CHECKPOINT", "CLUSTERED", "CONSTRAINT",   "CREATE",
    "DBCC",      "DECLARE",    "DEFAULT",     "DELETE",     "DESC",      "DROP",         "DUMP",
    "EXEC",      "EXECUTE",    "FILLFACTOR",  "FOR",        "FOREIGN",   "GRANT",        "IDENTITY",
    "IF",        "INDEX",      "INSERT",      "KEY",        "LOAD",      "NONCLUSTERED", "NOT",
    "NULL",      "ON",         "PRECISION",   "PRIMARY",    "PRINT",     "PROC",         "PROCEDURE",
    "RAISERROR", "REFERENCES", "REPLICATION", "REVOKE",     "RULE",      "SETUSER",      "TABLE",
    "TRIGGER",   "TRUNCATE",   "UNIQUE",      "UPDATE",     "USE",       "VARYING",      "VIEW",
    "WHILE",     "WITH",
};
static_assert(kTexts.size() == static_cast<std::size_t>(Keyword::With));

constexpr std::size_t kLongest = 12;
constexpr std::size_t kSlots = 256;

// Every word goes through here once, so the lookup is a hash of the word in
// upper case into a table of keyword numbers built at compile time.
constexpr std::size_t Hash(std::string_view upper) {
    std::size_t h = upper.size();
    for (const char c : upper)
        h = h * 31 + static_cast<unsigned char>(c);
    return h % kSlots;
}

constexpr std::array<std::uint8_t, kSlots> Slots() {
    std::array<std::uint8_t, kSlots> slots{};
    for (std::size_t k = 0; k < kTexts.size(); ++k) {
        std::size_t at = Hash(kTexts[k]);
        while (slots[at] != 0)
            at = (at + 1) % kSlots;
        slots[at] = static_cast<std::uint8_t>(k + 1);
    }
    return slots;
}

constexpr std::array<std::uint8_t, kSlots> kSlotTable = Slots();

// By length, the first letters keywords of that length begin with (bit 0 for
// A): most names are turned away by their first byte, before any hashing.
constexpr std::array<std::uint32_t, kLongest + 1> FirstLetters() {
    std::array<std::uint32_t, kLongest + 1> letters{};
    for (const std::string_view text : kTexts)
        letters[text.size()] |= std::uint32_t{1} << (text[0] - 'A');
    return letters;
}

constexpr std::array<std::uint32_t, kLongest + 1> kFirstLetters = FirstLetters();

} // namespace

Keyword KeywordOf(std::string_view word) {
    if (word.size() < 2 || word.size() > kLongest)
        return Keyword::None;
    const auto letter = static_cast<unsigned char>(word[0] | 0x20);
    if (letter < 'a' || letter > 'z' ||
        (kFirstLetters[word.size()] & (std::uint32_t{1} << (letter - 'a'))) == 0)
        return Keyword::None;
    // Keywords are letters only; clearing bit 5 upper-cases a letter and leaves
    // every other byte outside A to Z.
    std::array<char, kLongest> upper{};
    std::size_t hash = word.size();
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto c = static_cast<unsigned char>(static_cast<unsigned char>(word[i]) & 0xDF);
        if (c < 'A' || c > 'Z')
            return Keyword::None;
        upper[i] = static_cast<char>(c);
        hash = hash * 31 + c;
    }
    for (std::size_t at = hash % kSlots; kSlotTable[at] != 0; at = (at + 1) % kSlots) {
        const std::string_view text = kTexts[kSlotTable[at] - 1];
        if (text.size() != word.size())
            continue;
        // Byte by byte in place: a call to memcmp costs more than these few bytes.
        std::size_t same = 0;
        while (same < text.size() && text[same] == upper[same])
            ++same;
        if (same == text.size())
            return static_cast<Keyword>(kSlotTable[at]);
    }
    return Keyword::None;
}

std::string_view KeywordText(Keyword keyword) {
    return keyword == Keyword::None ? std::string_view() : kTexts[static_cast<std::size_t>(keyword) - 1];
}

bool StartsStatement(Keyword keyword) {
    switch (keyword) {
    case Keyword::Alter:
    case Keyword::Checkpoint:
    case Keyword::Create:
    case Keyword::Dbcc:
    case Keyword::Declare:
    case Keyword::Delete:
    case Keyword::Drop:
    case Keyword::Dump:
    case Keyword::Exec:
    case Keyword::Execute:
    case Keyword::Grant:
    case Keyword::If:
    case Keyword::Insert:
    case Keyword::Load:
    case Keyword::Print:
    case Keyword::Raiserror:
    case Keyword::Revoke:
    case Keyword::Setuser:
    case Keyword::Truncate:
    case Keyword::Update:
    case Keyword::Use:
    case Keyword::While:
        return true;
    default:
        return false;
    }
}

} // namespace quorvel::schema
