// One table through the calculation core, over the rows of table_rows.json:
// which message the checks give, and what the estimates give after them.

#include "CaseRows.h"
#include "calc/TableEstimate.h"

namespace quorvel::testing {
namespace {

SectionDescription Section(const nlohmann::json& changes, KeyMode mode) {
    SectionDescription s;
    s.mode = mode;
    const std::string m = changes.value("mode", "");
    if (!m.empty())
        s.mode = m == "none" ? KeyMode::None : m == "fixed" ? KeyMode::AllFixed : KeyMode::WithVariable;
    s.fillFactor = changes.value("fill", s.fillFactor);
    s.allFixedBytes = changes.value("allFixed", s.allFixedBytes);
    s.fixedBytes = changes.value("fixed", s.fixedBytes);
    s.variableBytes = changes.value("variable", s.variableBytes);
    s.variableColumns = changes.value("columns", s.variableColumns);
    return s;
}

// 1000 rows of 100 fixed bytes, no indexes, changed as the row says.
TableDescription TableOf(const nlohmann::json& changes) {
    TableDescription t;
    t.rowCount = changes.value("rowCount", std::string("1000"));
    nlohmann::json data = changes.value("data", nlohmann::json::object());
    if (!data.contains("allFixed"))
        data["allFixed"] = "100";
    t.data = Section(data, KeyMode::AllFixed);
    t.clustered = Section(changes.value("clustered", nlohmann::json::object()), KeyMode::None);
    for (const nlohmann::json& index : changes.value("nonClustered", nlohmann::json::array({{}, {}, {}})))
        t.nonClustered.push_back(Section(index.is_null() ? nlohmann::json::object() : index, KeyMode::None));
    return t;
}

std::vector<WideCount> Figures(std::initializer_list<WideCount> figures) { return figures; }

// A place as the rows write it: "rowCount", "data", "nonClustered[2].fillFactor",
// "data.fixedBytes+variableBytes" for a limit on the sum of two fields.
std::string PlaceText(const ValueRef& where) {
    static const char* const kFields[] = {"", "rowCount", "fillFactor", "allFixedBytes",
                                          "fixedBytes", "variableBytes", "variableColumns"};
    std::string text = where.section == TableSection::Data        ? "data"
                       : where.section == TableSection::Clustered ? "clustered"
                       : where.section == TableSection::NonClustered
                           ? "nonClustered[" + std::to_string(where.index) + "]"
                           : "";
    if (where.field != TableField::None)
        text += (text.empty() ? "" : ".") + std::string(kFields[static_cast<int>(where.field)]);
    if (where.second != TableField::None)
        text += "+" + std::string(kFields[static_cast<int>(where.second)]);
    return text;
}

// A row of a successful estimate states its totals; a row of a failed one
// states which sections finished (their figures are shown, the rest not).
void ExpectEstimate(const TableEstimate& e, const nlohmann::json& expected) {
    const std::string failure = expected.at("failure");
    EXPECT_EQ(MessageText(e.failure), failure);
    EXPECT_EQ(PlaceText(e.where), expected.value("where", "")) << "the section or value named";
    if (failure.empty()) {
        ASSERT_TRUE(e.totals.has_value());
        const Totals& t = *e.totals;
        EXPECT_EQ(Figures({t.clusteredPages, t.nonClusteredPages, t.totalPages, t.tableBytes}),
                  expected.at("totals"));
    } else {
        const nlohmann::json& finished = expected.at("finished");
        EXPECT_EQ(e.data.has_value(), finished[0].get<bool>());
        EXPECT_EQ(e.clustered.has_value(), finished[1].get<bool>());
        EXPECT_EQ(e.nonClustered.size(), finished[2].get<std::size_t>());
        EXPECT_FALSE(e.totals.has_value());
    }
    if (expected.contains("data")) {
        ASSERT_TRUE(e.data.has_value());
        EXPECT_EQ(Figures({e.data->DataRowSize, e.data->DataRowsPerPage, e.data->DataPages}), expected["data"]);
    }
    if (expected.contains("clustered")) {
        ASSERT_TRUE(e.clustered.has_value());
        EXPECT_EQ(Figures({e.clustered->ClusteredRowSize, e.clustered->ClusteredRowsPerPage, e.clustered->ClusteredPages}),
                  expected["clustered"]);
    }
    if (expected.contains("nonClusteredPages")) {
        std::vector<WideCount> pages;
        for (const NonClusteredEstimate& f : e.nonClustered)
            pages.push_back(f.NonClusteredPages);
        EXPECT_EQ(pages, expected["nonClusteredPages"].get<std::vector<WideCount>>());
    }
}

class Tables : public ::testing::TestWithParam<CaseRow> {};

TEST_P(Tables, CheckedThenEstimated) {
    const nlohmann::json& row = GetParam().data;
    const TableDescription table = TableOf(row.at("table"));
    TableEstimator estimator;
    const TableEstimate estimate = estimator.Estimate(table);
    EXPECT_EQ(MessageText(estimate.Refused() ? estimate.failure : RunMessage::None), row.at("check").get<std::string>());
    if (row.contains("estimate")) {
        ExpectEstimate(estimate, row["estimate"]);
    } else {
        EXPECT_EQ(MessageText(estimate.failure), row.at("check").get<std::string>());
        EXPECT_EQ(PlaceText(estimate.where), row.value("where", "")) << "the value the refusal names";
    }
}

INSTANTIATE_TEST_SUITE_P(Checks, Tables, ::testing::ValuesIn(LoadRows("table_rows.json", "checks")), RowName());
INSTANTIATE_TEST_SUITE_P(Estimates, Tables, ::testing::ValuesIn(LoadRows("table_rows.json", "estimates")), RowName());

} // namespace
} // namespace quorvel::testing
