#include "TableStore.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace quorvel::schema {

namespace {

constexpr std::size_t kBlockBytes = 64 * 1024;

// The bytes a count, a number or the length of a text may take.
constexpr std::size_t kMostCountBytes = 10;

// Writes into room made beforehand (see Room), with no test of the room left.
class Writer {
public:
    explicit Writer(char* at) : m_at(at) {}

    // A count, seven bits a byte, the last byte without its top bit.
    void Count(std::uint64_t count) {
        while (count >= 0x80) {
            *m_at++ = static_cast<char>((count & 0x7F) | 0x80);
            count >>= 7;
        }
        *m_at++ = static_cast<char>(count);
    }
    void Text(std::string_view text) {
        Count(text.size());
        std::copy(text.begin(), text.end(), m_at);
        m_at += text.size();
    }
    void Byte(unsigned value) { *m_at++ = static_cast<char>(value); }
    // A number as a count, its sign in the lowest bit: small numbers take a byte.
    void Number(std::int64_t value) {
        const auto bits = static_cast<std::uint64_t>(value);
        Count((bits << 1) ^ (value < 0 ? ~std::uint64_t{0} : 0));
    }
    char* At() const { return m_at; }

private:
    char* m_at;
};

// The most bytes the table can take packed.
std::size_t Room(const SchemaTable& table) {
    std::size_t room = 2 * kMostCountBytes;
    for (const SchemaColumn& c : table.columns)
        room += 3 * kMostCountBytes + 2 + c.name.size() + c.type.size();
    for (const SchemaIndex& i : table.indexes) {
        room += 3 * kMostCountBytes + 2 + i.name.size() + i.fillFactor.size();
        for (const std::string& column : i.columns)
            room += kMostCountBytes + column.size();
    }
    return room;
}

// Packs the table at out, which has its Room; answers the end of what it wrote.
char* PackInto(const SchemaTable& table, char* out) {
    Writer to(out);
    to.Count(table.columns.size());
    for (const SchemaColumn& c : table.columns) {
        to.Text(c.name);
        to.Text(c.type);
        to.Number(c.bytes);
        to.Byte(static_cast<unsigned>(c.kind));
        to.Byte(static_cast<unsigned>(c.nullability));
    }
    to.Count(table.indexes.size());
    for (const SchemaIndex& i : table.indexes) {
        to.Text(i.name);
        to.Byte(static_cast<unsigned>(i.kind));
        to.Byte((i.clustered ? 1U : 0U) | (i.unique ? 2U : 0U));
        to.Count(i.columns.size());
        for (const std::string& column : i.columns)
            to.Text(column);
        to.Text(i.fillFactor);
    }
    return to.At();
}

// Reads what a Writer wrote, in the same order.
class Reader {
public:
    explicit Reader(std::string_view packed) : m_at(packed.data()) {}

    std::uint64_t Count() {
        std::uint64_t count = 0;
        for (unsigned shift = 0;; shift += 7) {
            const auto byte = static_cast<unsigned char>(*m_at++);
            count |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0)
                return count;
        }
    }
    std::string_view Text() {
        const auto size = static_cast<std::size_t>(Count());
        const std::string_view text(m_at, size);
        m_at += size;
        return text;
    }
    unsigned Byte() { return static_cast<unsigned char>(*m_at++); }
    std::int64_t Number() {
        const std::uint64_t bits = Count();
        return static_cast<std::int64_t>((bits >> 1) ^ ((bits & 1) != 0 ? ~std::uint64_t{0} : 0));
    }

private:
    const char* m_at;
};

} // namespace

void PackTable(const SchemaTable& table, std::string& packed) {
    packed.resize(Room(table));
    packed.resize(static_cast<std::size_t>(PackInto(table, packed.data()) - packed.data()));
}

void UnpackTable(std::string_view packed, SchemaTable& table) {
    Reader in(packed);
    table.columns.resize(static_cast<std::size_t>(in.Count()));
    for (SchemaColumn& c : table.columns) {
        c.name = in.Text();
        c.type = in.Text();
        c.bytes = in.Number();
        c.kind = static_cast<StorageKind>(in.Byte());
        c.nullability = static_cast<Nullability>(in.Byte());
    }
    table.indexes.resize(static_cast<std::size_t>(in.Count()));
    for (SchemaIndex& i : table.indexes) {
        i.name = in.Text();
        i.kind = static_cast<IndexKind>(in.Byte());
        const unsigned flags = in.Byte();
        i.clustered = (flags & 1U) != 0;
        i.unique = (flags & 2U) != 0;
        i.columns.resize(static_cast<std::size_t>(in.Count()));
        for (std::string& column : i.columns)
            column = in.Text();
        i.fillFactor = in.Text();
    }
}

void PackedTables::Pack(std::size_t place, SchemaTable& table) {
    const std::size_t room = Room(table);
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().size < room) {
        const std::size_t capacity = std::max(kBlockBytes, room);
        m_blocks.push_back(Block{std::make_unique_for_overwrite<char[]>(capacity), 0, capacity});
    }
    Block& block = m_blocks.back();
    char* const start = block.bytes.get() + block.size;
    const auto size = static_cast<std::size_t>(PackInto(table, start) - start);
    if (m_places.size() <= place)
        m_places.resize(place + 1);
    m_places[place] = Place{m_blocks.size() - 1, block.size, size};
    block.size += size;
    // The memory the table took goes back for the tables still to come.
    table.columns = std::vector<SchemaColumn>();
    table.indexes = std::vector<SchemaIndex>();
}

bool PackedTables::Unpack(std::size_t place, SchemaTable& table) const {
    if (!IsPacked(place))
        return false;
    const Place& at = m_places[place];
    UnpackTable(std::string_view(m_blocks[at.block].bytes.get() + at.offset, at.size), table);
    return true;
}

void PackedTables::Forget(std::size_t place) {
    if (place < m_places.size())
        m_places[place] = Place{};
}

void PackedTables::Clear() {
    m_blocks.clear();
    m_places.clear();
}

} // namespace quorvel::schema
