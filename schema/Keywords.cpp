#include "Keywords.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

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

// A word of up to 12 bytes packed into two numbers, the first byte lowest,
// with bit 5 of every byte cleared. That upper-cases a letter and leaves every
// other byte outside A to Z, so a word matches a keyword's packed letters only
// when it spells the keyword in some case.
struct Packed {
    std::uint64_t low = 0;
    std::uint64_t high = 0;

    constexpr bool operator==(const Packed&) const = default;
};

constexpr std::uint64_t kCaseBits = 0xDFDFDFDFDFDFDFDF;

constexpr Packed Pack(std::string_view word) {
    Packed packed;
    for (std::size_t i = 0; i < word.size() && i < 8; ++i)
        packed.low |= std::uint64_t{static_cast<unsigned char>(word[i])} << (8 * i);
    for (std::size_t i = 8; i < word.size(); ++i)
        packed.high |= std::uint64_t{static_cast<unsigned char>(word[i])} << (8 * (i - 8));
    packed.low &= kCaseBits;
    packed.high &= kCaseBits;
    return packed;
}

// No two keywords share a slot (Slots checks it as it is built), so a word
// is one slot's keyword or none.
constexpr std::size_t Hash(const Packed& packed) {
    return static_cast<std::size_t>(
               ((packed.low ^ (packed.high * 0x9E3779B97F4A7C15)) * 0x349AAE908FB5262D) >> 56) %
           kSlots;
}

struct Slot {
    Packed packed;
    std::uint8_t keyword = 0; // Keyword; 0 for an empty slot
};

constexpr std::array<Slot, kSlots> Slots() {
    std::array<Slot, kSlots> slots{};
    for (std::size_t k = 0; k < kTexts.size(); ++k) {
        const Packed packed = Pack(kTexts[k]);
        Slot& slot = slots[Hash(packed)];
        if (slot.keyword != 0)
            throw "two keywords in one slot"; // stops the compilation
        slot = Slot{packed, static_cast<std::uint8_t>(k + 1)};
    }
    return slots;
}

constexpr std::array<Slot, kSlots> kSlotTable = Slots();

Keyword Lookup(const Packed& packed) {
    const Slot& slot = kSlotTable[Hash(packed)];
    return slot.packed == packed ? static_cast<Keyword>(slot.keyword) : Keyword::None;
}

} // namespace

Keyword KeywordOf(std::string_view word) {
    if (word.size() < 2 || word.size() > kLongest)
        return Keyword::None;
    return Lookup(Pack(word));
}

// Every word of a script comes through here once: two loads, masked to the
// word's length, one hash and mostly one comparison of two numbers.
Keyword KeywordOfReadable(const char* word, std::size_t size) {
    if constexpr (std::endian::native != std::endian::little)
        return KeywordOf(std::string_view(word, size));
    if (size < 2 || size > kLongest)
        return Keyword::None;
    Packed packed;
    std::memcpy(&packed.low, word, sizeof packed.low);
    std::memcpy(&packed.high, word + sizeof packed.low, sizeof packed.high);
    const auto bits = [](std::size_t bytes) {
        return bytes >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * bytes)) - 1;
    };
    packed.low &= bits(size) & kCaseBits;
    packed.high &= (size > 8 ? bits(size - 8) : 0) & kCaseBits;
    return Lookup(packed);
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
