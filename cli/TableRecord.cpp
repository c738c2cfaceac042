// Table records of quorvel-size: the names and places of their values.

#include "cli/TableRecord.h"

namespace quorvel::cli {

const SectionPlaces& PlacesOf(const TableRecord& record, const ValueRef& where) {
    static const SectionPlaces unknown;
    return where.section == TableSection::Table       ? record.table
           : where.section == TableSection::Data      ? record.data
           : where.section == TableSection::Clustered ? record.clustered
           : where.index < record.nonClustered.size() ? record.nonClustered[where.index]
                                                      : unknown;
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

bool Unread(const SectionDescription& s, bool index, TableField field) {
    switch (field) {
    case TableField::FillFactor:
        return index && s.mode == KeyMode::None;
    case TableField::AllFixedBytes:
        return s.mode != KeyMode::AllFixed;
    case TableField::FixedBytes:
    case TableField::VariableBytes:
    case TableField::VariableColumns:
        return s.mode != KeyMode::WithVariable;
    default:
        return false;
    }
}

std::string& TextOf(SectionDescription& s, TableField field) {
    switch (field) {
    case TableField::FillFactor:
        return s.fillFactor;
    case TableField::AllFixedBytes:
        return s.allFixedBytes;
    case TableField::FixedBytes:
        return s.fixedBytes;
    case TableField::VariableBytes:
        return s.variableBytes;
    default:
        return s.variableColumns;
    }
}

std::string_view FieldKey(TableField field) {
    return field == TableField::RowCount                                             ? keys::kRowCount
           : field == TableField::FillFactor                                         ? keys::kFillFactor
           : field == TableField::AllFixedBytes || field == TableField::FixedBytes ? keys::kFixedBytes
           : field == TableField::VariableBytes                                      ? keys::kVariableBytes
           : field == TableField::VariableColumns                                    ? keys::kVariableColumns
                                                                                     : std::string_view();
}

std::string SectionPath(TableSection section, std::size_t index) {
    if (section == TableSection::NonClustered)
        return std::string(keys::kNonClustered) + "[" + std::to_string(index) + "]";
    return std::string(section == TableSection::Data        ? keys::kData
                       : section == TableSection::Clustered ? keys::kClustered
                                                            : std::string_view());
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
