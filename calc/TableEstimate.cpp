// The calculation of one table: the checks before it, the conversion of the
// texts into the estimation record, the estimates section by section and the
// totals.
//
// The texts are read with the numeric rules of NumericText, so a field showing
// "1,500" stands for 1500 and "12.5" reaches a 16-bit field as 12.

#include "calc/TableEstimate.h"

#include "calc/NumericText.h"
#include "calc/ServerLimits.h"

#include <cstddef>
#include <limits>

namespace quorvel {

namespace {

using numtext::Fit;

constexpr double kMaxFillFactor = limits::kFillFactor;
constexpr std::int32_t kMaxKeyBytes = limits::kRowBytes;
constexpr double kMaxVariableColumns = static_cast<double>(limits::kColumns);

// Column kinds of the estimation record.
constexpr std::int16_t kKindAllFixed = 1;
constexpr std::int16_t kKindWithVariable = 2;

bool FillFactorValid(const std::string& text)
{
    const auto value = numtext::ToDouble(text);
    return value && *value <= kMaxFillFactor;
}

// The first value that made the checks refuse a table, and why.
struct Refusal {
    RunMessage message = RunMessage::None;
    ValueRef where;
};

// A section of the table being checked, as a refusal names it.
struct SectionRef {
    TableSection section;
    std::size_t index = 0;
};

Refusal Refuse(RunMessage message, SectionRef at, TableField field, TableField second = TableField::None)
{
    return Refusal{message, ValueRef{at.section, at.index, field, second}};
}

// The first field of a section that is not numeric; None when all are.
TableField FirstNotNumeric(const SectionDescription& s)
{
    if (!numtext::IsNumeric(s.allFixedBytes))
        return TableField::AllFixedBytes;
    if (!numtext::IsNumeric(s.fixedBytes))
        return TableField::FixedBytes;
    if (!numtext::IsNumeric(s.variableBytes))
        return TableField::VariableBytes;
    if (!numtext::IsNumeric(s.variableColumns))
        return TableField::VariableColumns;
    return TableField::None;
}

// A byte count above 32767 (too large for 16 bits) counts as above the limit;
// one below -32768 is not above it and is refused later, when the values are converted.
bool BytesAboveLimit(const std::string& text)
{
    const numtext::Int16Conversion c = numtext::ToInt16(text);
    return c.fit == Fit::TooLarge || (c.fit == Fit::Fits && c.value > kMaxKeyBytes);
}

bool ByteSumAboveLimit(const std::string& first, const std::string& second)
{
    const numtext::Int16Conversion a = numtext::ToInt16(first);
    const numtext::Int16Conversion b = numtext::ToInt16(second);
    if (a.fit == Fit::TooLarge || b.fit == Fit::TooLarge)
        return true;
    if (a.fit != Fit::Fits || b.fit != Fit::Fits)
        return false;
    return std::int32_t{a.value} + std::int32_t{b.value} > kMaxKeyBytes;
}

bool ColumnsAboveLimit(const std::string& text)
{
    const auto value = numtext::ToDouble(text);
    return value && *value > kMaxVariableColumns;
}

// The limits of one section in its selected mode; a data section is never None,
// and anything but AllFixed reads its variable-length fields. A sum above the
// limit names the one field that is above it by itself, else both.
Refusal SectionLimits(const SectionDescription& s, SectionRef at)
{
    if (at.section != TableSection::Data && s.mode == KeyMode::None)
        return {};
    if (s.mode == KeyMode::AllFixed)
        return BytesAboveLimit(s.allFixedBytes) ? Refuse(RunMessage::ByteLimit, at, TableField::AllFixedBytes) : Refusal{};
    if (ByteSumAboveLimit(s.fixedBytes, s.variableBytes)) {
        if (BytesAboveLimit(s.fixedBytes))
            return Refuse(RunMessage::ByteLimit, at, TableField::FixedBytes);
        if (BytesAboveLimit(s.variableBytes))
            return Refuse(RunMessage::ByteLimit, at, TableField::VariableBytes);
        return Refuse(RunMessage::ByteLimit, at, TableField::FixedBytes, TableField::VariableBytes);
    }
    if (ColumnsAboveLimit(s.variableColumns))
        return Refuse(RunMessage::ColumnLimit, at, TableField::VariableColumns);
    return {};
}

// The values the run puts into the record for one section.
struct SectionValues {
    bool present = false;
    std::int16_t kind = kKindWithVariable;
    std::int32_t fillFactor = 0;
    std::int16_t fixedBytes = 0;
    std::int16_t variableBytes = 0;
    std::int16_t variableColumns = 0;
};

struct TableValues {
    std::int32_t rowCount = 0;
    SectionValues data;
    SectionValues clustered;
    std::vector<SectionValues> nonClustered;
};

bool ToInt16(const std::string& text, std::int16_t& out)
{
    const numtext::Int16Conversion c = numtext::ToInt16(text);
    out = c.value;
    return c.fit == Fit::Fits;
}

bool ToInt32(const std::string& text, std::int32_t& out)
{
    const numtext::Int32Conversion c = numtext::ToInt32(text);
    out = c.value;
    return c.fit == Fit::Fits;
}

// Converts only the fields that the selected mode makes the run read; answers
// the field that does not fit its destination, or None.
TableField ConvertSection(const SectionDescription& s, bool isIndex, SectionValues& out)
{
    out.present = !(isIndex && s.mode == KeyMode::None);
    if (!out.present)
        return TableField::None;
    if (isIndex && !ToInt32(s.fillFactor, out.fillFactor))
        return TableField::FillFactor;
    if (s.mode == KeyMode::AllFixed) {
        out.kind = kKindAllFixed;
        return ToInt16(s.allFixedBytes, out.fixedBytes) ? TableField::None : TableField::AllFixedBytes;
    }
    out.kind = kKindWithVariable;
    if (!ToInt16(s.fixedBytes, out.fixedBytes))
        return TableField::FixedBytes;
    if (!ToInt16(s.variableBytes, out.variableBytes))
        return TableField::VariableBytes;
    if (!ToInt16(s.variableColumns, out.variableColumns))
        return TableField::VariableColumns;
    return TableField::None;
}

Refusal ConvertTable(const TableDescription& table, TableValues& out)
{
    if (!ToInt32(table.rowCount, out.rowCount))
        return Refuse(RunMessage::InputInvalid, {TableSection::Table}, TableField::RowCount);
    if (const TableField f = ConvertSection(table.data, false, out.data); f != TableField::None)
        return Refuse(RunMessage::InputInvalid, {TableSection::Data}, f);
    if (const TableField f = ConvertSection(table.clustered, true, out.clustered); f != TableField::None)
        return Refuse(RunMessage::InputInvalid, {TableSection::Clustered}, f);
    out.nonClustered.resize(table.nonClustered.size());
    for (std::size_t i = 0; i < table.nonClustered.size(); ++i) {
        if (const TableField f = ConvertSection(table.nonClustered[i], true, out.nonClustered[i]); f != TableField::None)
            return Refuse(RunMessage::InputInvalid, {TableSection::NonClustered, i}, f);
    }
    return {};
}

// Kind 1 writes only the kind and the fixed bytes: the variable-length fields
// of the record keep what an earlier section or run left there.
void LoadKey(EstimationRecord& record, const SectionValues& s)
{
    record.ColumnKind = s.kind;
    record.FixedBytes = s.fixedBytes;
    if (s.kind != kKindAllFixed) {
        record.VariableBytes = s.variableBytes;
        record.VariableColumns = s.variableColumns;
    }
}

// The checks before a run, in their fixed order; None when all pass.
Refusal ValidateInputs(const TableDescription& table)
{
    const std::size_t indexes = table.nonClustered.size();
    // Fill factors first, of every index section whether it exists or not.
    if (!FillFactorValid(table.clustered.fillFactor))
        return Refuse(RunMessage::FillFactorInvalid, {TableSection::Clustered}, TableField::FillFactor);
    for (std::size_t i = 0; i < indexes; ++i) {
        if (!FillFactorValid(table.nonClustered[i].fillFactor))
            return Refuse(RunMessage::FillFactorInvalid, {TableSection::NonClustered, i}, TableField::FillFactor);
    }

    // Every field must be numeric, also in sections that are "なし" or all fixed.
    // All of these failures read the same; the first one is named.
    if (!numtext::IsNumeric(table.rowCount))
        return Refuse(RunMessage::InputInvalid, {TableSection::Table}, TableField::RowCount);
    if (const TableField f = FirstNotNumeric(table.data); f != TableField::None)
        return Refuse(RunMessage::InputInvalid, {TableSection::Data}, f);
    if (const TableField f = FirstNotNumeric(table.clustered); f != TableField::None)
        return Refuse(RunMessage::InputInvalid, {TableSection::Clustered}, f);
    for (std::size_t i = 0; i < indexes; ++i) {
        if (const TableField f = FirstNotNumeric(table.nonClustered[i]); f != TableField::None)
            return Refuse(RunMessage::InputInvalid, {TableSection::NonClustered, i}, f);
    }

    // Limits, section by section, only for the fields of the selected mode.
    if (const Refusal r = SectionLimits(table.data, {TableSection::Data}); r.message != RunMessage::None)
        return r;
    if (const Refusal r = SectionLimits(table.clustered, {TableSection::Clustered}); r.message != RunMessage::None)
        return r;
    for (std::size_t i = 0; i < indexes; ++i) {
        if (const Refusal r = SectionLimits(table.nonClustered[i], {TableSection::NonClustered, i});
            r.message != RunMessage::None)
            return r;
    }
    return {};
}

// The estimates, section by section, and the totals of values already converted.
TableEstimate RunConverted(const TableValues& values, WideCount textPagesPerRow, basSQLSIZE& engine)
{
    TableEstimate result;
    EstimationRecord& record = engine.Record();

    record.RowCount = values.rowCount;
    LoadKey(record, values.data);
    if (!engine.CalcDataPages()) {
        result.failure = RunMessage::DataFailed;
        result.where.section = TableSection::Data;
        return result;
    }
    result.data = record;

    ClusteredEstimate clustered;
    if (values.clustered.present) {
        LoadKey(record, values.clustered);
        std::int32_t fillFactor = values.clustered.fillFactor;
        if (!engine.CalcClusteredIndex(fillFactor)) {
            result.failure = RunMessage::ClusteredFailed;
            result.where.section = TableSection::Clustered;
            return result;
        }
        // Read at once: the next index estimate refills the level table.
        clustered = {record, true, record.LevelPages};
    }
    result.clustered = clustered;

    result.nonClustered.reserve(values.nonClustered.size());
    for (const SectionValues& section : values.nonClustered) {
        NonClusteredEstimate index;
        if (section.present) {
            LoadKey(record, section);
            std::int32_t fillFactor = section.fillFactor;
            if (!engine.CalcNonClusteredIndex(fillFactor)) {
                result.failure = RunMessage::NonClusteredFailed;
                result.where = ValueRef{TableSection::NonClustered, result.nonClustered.size()};
                return result;
            }
            index = {record, true, record.LevelPages};
        }
        result.nonClustered.push_back(index);
    }

    // 64-bit totals: with large row counts the page counts pass 2,147,483,647,
    // and even the most indexes a table has, of 2^32 pages each, stay far
    // inside 64 bits.
    Totals totals;
    totals.clusteredPages = clustered.present ? clustered.ClusteredPages : 0;
    for (const NonClusteredEstimate& index : result.nonClustered)
        totals.nonClusteredPages += index.NonClusteredPages;
    totals.totalPages = result.data->DataPages + totals.nonClusteredPages + totals.clusteredPages;
    const std::optional<WideCount> textPages = TextPages(values.rowCount, textPagesPerRow, totals.totalPages);
    if (!textPages) {
        TableEstimate refused;
        refused.failure = RunMessage::InputInvalid;
        refused.where = ValueRef{TableSection::Table, 0, TableField::RowCount};
        return refused;
    }
    totals.textPages = *textPages;
    totals.totalPages += totals.textPages;
    totals.tableBytes = totals.totalPages * kBytesPerPage;
    result.totals = totals;
    return result;
}

} // namespace

std::string MessageText(RunMessage message)
{
    switch (message) {
    case RunMessage::None:
        return "";
    case RunMessage::FillFactorInvalid:
        return "FILLFACTOR値が正しくありません。";
    case RunMessage::InputInvalid:
        return "入力値が正しくありません。";
    case RunMessage::ByteLimit:
        return "1列の最大ﾊﾞｲﾄ数は、" + std::to_string(limits::kRowBytes) + "までです。";
    case RunMessage::ColumnLimit:
        return "1ﾃｰﾌﾞﾙの最大列数は、" + std::to_string(limits::kColumns) + "までです。";
    case RunMessage::DataFailed:
        return "ﾃﾞｰﾀﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。";
    case RunMessage::ClusteredFailed:
        return "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。";
    case RunMessage::NonClusteredFailed:
        return "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。";
    }
    return "";
}

bool IsEstimateFailure(RunMessage message)
{
    return message == RunMessage::DataFailed || message == RunMessage::ClusteredFailed
        || message == RunMessage::NonClusteredFailed;
}

std::optional<WideCount> TextPages(std::int32_t rows, WideCount perRow, WideCount otherPages)
{
    constexpr WideCount kMost = std::numeric_limits<WideCount>::max() / kBytesPerPage;
    if (perRow <= 0 || rows <= 0)
        return 0;
    if (perRow > kMost / rows || perRow * rows > kMost - otherPages)
        return std::nullopt;
    return perRow * rows;
}

TableEstimate TableEstimator::Estimate(const TableDescription& table, const std::function<void()>& beforeEstimates)
{
    TableValues values;
    Refusal refused = ValidateInputs(table);
    if (refused.message == RunMessage::None)
        refused = ConvertTable(table, values);
    if (refused.message != RunMessage::None) {
        TableEstimate result;
        result.failure = refused.message;
        result.where = refused.where;
        return result;
    }
    if (beforeEstimates)
        beforeEstimates();
    return RunConverted(values, table.textPagesPerRow, m_engine);
}

} // namespace quorvel
