// Table records of quorvel-size: the names and places of their values.

#include "cli/TableRecord.h"

namespace quorvel::cli {

const SectionPlaces& PlacesOf(const TableRecord& record, const ValueRef& where) {
    static const SectionPlaces unknown;
    switch (where.section) {
    case TableSection::Table:
        return record.table;
    case TableSection::Data:
        return record.data;
    case TableSection::Clustered:
        return record.clustered;
    case TableSection::NonClustered:
        break;
    }
    return where.index < record.nonClustered.size() ? record.nonClustered[where.index] : unknown;
}

const std::string& FieldText(const TableDescription& description, const ValueRef& where, TableField field) {
    static const std::string none;
    if (field == TableField::RowCount)
        return description.rowCount;
    const SectionDescription* s =
        where.section == TableSection::Data        ? &description.data
        : where.section == TableSection::Clustered ? &description.clustered
        : where.section == TableSection::NonClustered && where.index < description.nonClustered.size()
            ? &description.nonClustered[where.index]
            : nullptr;
    if (s == nullptr)
        return none;
    switch (field) {
    case TableField::FillFactor:
        return s->fillFactor;
    case TableField::AllFixedBytes:
        return s->allFixedBytes;
    case TableField::FixedBytes:
        return s->fixedBytes;
    case TableField::VariableBytes:
        return s->variableBytes;
    case TableField::VariableColumns:
        return s->variableColumns;
    case TableField::None:
    case TableField::RowCount:
        break;
    }
    return none;
}

std::string_view FieldKey(TableField field) {
    switch (field) {
    case TableField::RowCount:
        return keys::kRowCount;
    case TableField::FillFactor:
        return keys::kFillFactor;
    case TableField::AllFixedBytes:
    case TableField::FixedBytes:
        return keys::kFixedBytes;
    case TableField::VariableBytes:
        return keys::kVariableBytes;
    case TableField::VariableColumns:
        return keys::kVariableColumns;
    case TableField::None:
        break;
    }
    return {};
}

std::string SectionPath(TableSection section, std::size_t index) {
    switch (section) {
    case TableSection::Table:
        return {};
    case TableSection::Data:
        return std::string(keys::kData);
    case TableSection::Clustered:
        return std::string(keys::kClustered);
    case TableSection::NonClustered:
        break;
    }
    return std::string(keys::kNonClustered) + "[" + std::to_string(index) + "]";
}

std::string KeyPath(const ValueRef& where, TableField field) {
    std::string path = SectionPath(where.section, where.index);
    if (field != TableField::None) {
        if (!path.empty())
            path.push_back('.');
        path += FieldKey(field);
    }
    return path;
}

} // namespace quorvel::cli
