#include "schema/TableDerivation.h"

#include "calc/NumericText.h"
#include "calc/ServerLimits.h"

#include <algorithm>
#include <limits>

namespace quorvel::schema {

namespace {

constexpr std::int64_t kLarge = std::numeric_limits<std::int64_t>::max();

std::int64_t AddCapped(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? kLarge : sum;
}

std::int64_t MultiplyCapped(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? kLarge : product;
}

// The bytes of some columns, split as a section counts them.
struct ColumnBytes {
    std::int64_t fixed = 0;
    std::int64_t variable = 0;
    std::int64_t variableColumns = 0;

    void Section(const std::string& fillFactor, SectionDescription& s) const {
        s.fillFactor = fillFactor;
        if (variableColumns == 0) {
            s.mode = KeyMode::AllFixed;
            s.allFixedBytes = std::to_string(fixed);
        } else {
            s.mode = KeyMode::WithVariable;
            s.fixedBytes = std::to_string(fixed);
            s.variableBytes = std::to_string(variable);
            s.variableColumns = std::to_string(variableColumns);
        }
    }
};

class Counter {
public:
    explicit Counter(const SizingAssumptions& assumptions)
        : m_fill(std::clamp(assumptions.variableFillPercent, 0, 100)),
          m_ansiNulls(assumptions.ansiNullDefault) {}

    bool Nullable(const SchemaColumn& column) const {
        return column.nullability == Nullability::Null ||
               (column.nullability == Nullability::Unspecified && m_ansiNulls);
    }

    void Add(ColumnBytes& bytes, const SchemaColumn& column) const {
        if (column.kind == StorageKind::Fixed && !Nullable(column)) {
            bytes.fixed = AddCapped(bytes.fixed, column.bytes);
            return;
        }
        std::int64_t size = column.bytes;
        if (column.kind == StorageKind::Variable) // ceil(bytes x fill / 100) without overflow
            size = MultiplyCapped(column.bytes / 100, m_fill) + ((column.bytes % 100) * m_fill + 99) / 100;
        bytes.variable = AddCapped(bytes.variable, size);
        ++bytes.variableColumns;
    }

private:
    int m_fill;
    bool m_ansiNulls;
};

const TextAverage* FindAverage(const SizingAssumptions& assumptions, const SchemaTable& table,
                               const std::string& column) {
    for (const TextAverage& a : assumptions.textAverages) {
        if (EqualsNoCase(a.table, table.name) && EqualsNoCase(a.column, column))
            return &a;
    }
    return nullptr;
}

// Text pages, and notes on averages that cannot apply or are missing.
void CountTextPages(const SchemaTable& table, const SizingAssumptions& assumptions, DerivedTable& derived) {
    for (const TextAverage& a : assumptions.textAverages) {
        if (!EqualsNoCase(a.table, table.name))
            continue;
        const SchemaColumn* column = FindColumn(table, a.column);
        if (column == nullptr)
            derived.notes.push_back({Text::AverageForMissingColumn, {a.column, table.name}});
        else if (column->kind != StorageKind::TextPointer)
            derived.notes.push_back({Text::AverageNotUsed, {column->name, column->type}});
    }

    std::int64_t pagesPerRow = 0;
    std::string unknown;
    for (const SchemaColumn& c : table.columns) {
        if (c.kind != StorageKind::TextPointer)
            continue;
        if (const TextAverage* average = FindAverage(assumptions, table, c.name))
            pagesPerRow = AddCapped(pagesPerRow, (std::int64_t{average->bytes} + limits::kTextPageBytes - 1) /
                                                     limits::kTextPageBytes);
        else
            unknown += (unknown.empty() ? "" : ", ") + c.name;
    }
    if (!unknown.empty() && derived.sized)
        derived.notes.push_back({Text::NoAverage, {unknown}});
    derived.description.textPagesPerRow = pagesPerRow;
}

} // namespace

DerivedTable DeriveTable(const SchemaTable& table, std::optional<std::string_view> rowCount,
                         const SizingAssumptions& assumptions) {
    DerivedTable derived;
    derived.name = table.name;
    if (!table.problems.empty()) {
        derived.problem = table.problems.front();
        return derived;
    }
    const Counter counter(assumptions);
    for (const AddedColumn& added : table.addedColumns) {
        const SchemaColumn* column = FindColumn(table, added.column);
        if (column != nullptr && !counter.Nullable(*column)) {
            derived.problem = added.problem;
            return derived;
        }
    }
    derived.sized = rowCount.has_value();
    derived.description.rowCount = rowCount.value_or("0");
    if (!derived.sized)
        derived.notes.push_back({Text::NoRowCount});

    ColumnBytes row;
    for (const SchemaColumn& c : table.columns) {
        counter.Add(row, c);
        if (c.kind != StorageKind::TextPointer && c.bytes > limits::kColumnBytes)
            derived.notes.push_back({Text::LongColumn, {c.name, c.type, std::to_string(limits::kColumnBytes)}});
    }
    row.Section("0", derived.description.data);
    if (table.columns.size() > limits::kColumns && row.variableColumns <= static_cast<std::int64_t>(limits::kColumns))
        derived.refusal = RunMessage::ColumnLimit;

    for (const SchemaIndex& index : table.indexes) {
        ColumnBytes key;
        for (const std::string& name : index.columns) {
            if (const SchemaColumn* c = FindColumn(table, name))
                counter.Add(key, *c);
        }
        key.Section(index.fillFactor, index.clustered ? derived.description.clustered
                                                      : derived.description.nonClustered.emplace_back());
    }
    CountTextPages(table, assumptions, derived);
    return derived;
}

} // namespace quorvel::schema
