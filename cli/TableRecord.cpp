// Table records of quorvel-size: the names and places of their values.

#include "cli/TableRecord.h"

#include <array>
#include <string_view>

namespace quorvel::cli {

namespace {

// By TableField; one key carries the fixed bytes in both modes of a section.
constexpr std::array<const char*, 7> kFieldKeys{"",           "rowCount",      "fillFactor",     "fixedBytes",
                                                "fixedBytes", "variableBytes", "variableColumns"};
// By TableSection, up to the nonclustered indexes, which carry their number.
constexpr std::array<std::string_view, 3> kSectionKeys{"", "data", "clustered"};

// The texts of a section by TableField, FillFactor onwards.
constexpr std::array<std::string SectionDescription::*, 5> kSectionTexts{
    &SectionDescription::fillFactor, &SectionDescription::allFixedBytes, &SectionDescription::fixedBytes,
    &SectionDescription::variableBytes, &SectionDescription::variableColumns};

std::size_t Index(TableSection section) {
    return static_cast<std::size_t>(section);
}

} // namespace

const SectionPlaces& PlacesOf(const TableRecord& record, const ValueRef& where) {
    static const SectionPlaces unknown;
    const std::array<const SectionPlaces*, 3> named{&record.table, &record.data, &record.clustered};
    if (where.section != TableSection::NonClustered)
        return *named[Index(where.section)];
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
    const std::size_t member =
        static_cast<std::size_t>(field) - static_cast<std::size_t>(TableField::FillFactor);
    return s != nullptr && member < kSectionTexts.size() ? s->*kSectionTexts[member] : none;
}

const char* FieldKey(TableField field) {
    return kFieldKeys[static_cast<std::size_t>(field)];
}

std::string SectionPath(TableSection section, std::size_t index) {
    if (section != TableSection::NonClustered)
        return std::string(kSectionKeys[Index(section)]);
    return "nonClustered[" + std::to_string(index) + "]";
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
