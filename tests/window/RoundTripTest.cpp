// Save, then open: one window saves what it holds, a second opens the file.
// The second must hold every text and option of the first and, after F5 in
// both, show the same figures or the same message; and the saved file, read
// and estimated by the tool's own code (the JSON Lines view of quorvel-size),
// gives the figures the window shows. The estimates are the sections of the
// engine's row corpus (engine_rows.json) and tables of texts a user can type
// or paste, in every mode.

#include "WindowFixture.h"
#include "cli/EstimateFile.h"
#include "cli/SizeTool.h"
#include "workspace/CalcCommand.h"
#include "workspace/SectionModes.h"

#include <QTemporaryDir>

#include <random>

namespace quorvel::testing {
namespace {

using nlohmann::json;

// Every text and option the window holds, one line.
std::string Held(const ControlInventory& c) {
    const TableDescription t = ReadTableDescription(c);
    std::string held = t.rowCount;
    for (const SectionDescription* s : {&t.data, &t.clustered, &t.nonClustered[0], &t.nonClustered[1], &t.nonClustered[2]})
        held += "|" + std::to_string(static_cast<int>(s->mode)) + " " + s->fillFactor + " " + s->allFixedBytes + " " +
                s->fixedBytes + " " + s->variableBytes + " " + s->variableColumns;
    return held;
}

std::int64_t Cell(const QLabel* cell) {
    return cell->text().remove(',').trimmed().toLongLong();
}

// The figures of the tool's JSON Lines entry against the window's cells.
void ExpectFiguresOfTheTool(const json& tool, const ControlInventory& c) {
    const auto index = [&c](const json& figures, int first, int firstLevel, std::initializer_list<const char*> keys) {
        int i = first;
        for (const char* key : keys)
            EXPECT_EQ(figures.is_null() ? 0 : figures.at(key).get<std::int64_t>(), Cell(c.lblData[i++])) << key;
        for (std::size_t k = 0; k < 15; ++k) {
            const bool listed = !figures.is_null() && k < figures.at("levels").size();
            EXPECT_EQ(listed ? figures.at("levels")[k].get<std::int64_t>() : 0, Cell(c.lblLevel[firstLevel + k]));
        }
    };
    const json& data = tool.at("data");
    EXPECT_EQ(data.at("rowSize").get<std::int64_t>(), Cell(c.lblData[0]));
    EXPECT_EQ(data.at("pages").get<std::int64_t>(), Cell(c.lblData[2]));
    index(tool.at("clustered"), 3, 0, {"rowSize", "rowsPerPage", "pages"});
    for (int n = 0; n < 3; ++n)
        index(tool.at("nonClustered")[n], 6 * (n + 1), 15 * (n + 1),
              {"leafRowSize", "leafRowsPerPage", "leafPages", "nonLeafRowSize", "nonLeafRowsPerPage", "pages"});
    const json& totals = tool.at("totals");
    int t = 0;
    for (const char* key : {"clusteredPages", "nonClusteredPages", "totalPages", "tableBytes"})
        EXPECT_EQ(totals.at(key).get<std::int64_t>(), Cell(c.lblTotal[t++])) << key;
}

json ToolEntry(const QString& path) {
    std::string report;
    cli::SizeTool tool(
        cli::ReportView::JsonLines, Language::Japanese,
        [&report](std::string_view part) {
            report += part;
            return true;
        },
        [](std::string_view) { return true; });
    tool.ReadPath(path.toStdString(), cli::InputFormat::Auto);
    tool.Finish();
    return json::parse(report.substr(0, report.find('\n')));
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}
    int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    // What a user types (digits) or pastes (anything the clipboard holds).
    QString Text() {
        static const char* const pasted[] = {"", "0", "1,234", "12.5", "13.5", "-5", "1e3", " 7 ", "abc", "080", "99999"};
        if (Below(3) > 0)
            return QString::number(m_random() % (Below(2) ? 100u : 100000000u));
        return QString::fromLatin1(pasted[Below(static_cast<int>(std::size(pasted)))]);
    }

private:
    std::mt19937 m_random;
};

class RoundTrip : public WindowTest {
protected:
    void SetUp() override {
        Open();
        m_reader = std::make_unique<frmMain>(m_fakes.Services());
        m_reader->Form_Load();
        m_path = m_folder.filePath("estimate.json");
    }

    void SelectKey(int section, const json& key) {
        const SectionControls s = C().Section(section);
        SelectMode(C(), section, key[0] == 1 ? KeyMode::AllFixed : KeyMode::WithVariable);
        s.allFixedBytes->SetText(QString::number(key[1].get<int>()));
        for (int k = 0; k < 3; ++k)
            s.withVariableFields[k]->SetText(QString::number(key[k + 1].get<int>()));
    }

    // Saves the first window, opens the file in the second, and compares.
    void SaveOpenAndCompare(const std::string& what) {
        SCOPED_TRACE(what);
        m_fakes.filesChosen << m_path;
        ASSERT_TRUE(m_window->Document().SaveAs());
        m_reader->Document().OpenPath(m_path);
        EXPECT_EQ(Held(m_reader->Controls()), Held(C()));
        m_fakes.messages.clear();
        m_window->RunCalc();
        m_reader->RunCalc();
        const json tool = ToolEntry(m_path);
        // A failed run leaves the cells of earlier runs, which opening reset.
        if (m_fakes.messages.isEmpty()) {
            for (std::size_t i = 0; i < C().lblLevel.size(); ++i)
                EXPECT_EQ(m_reader->Controls().lblLevel[i]->text(), C().lblLevel[i]->text());
            for (std::size_t i = 0; i < C().lblData.size(); ++i)
                EXPECT_EQ(m_reader->Controls().lblData[i]->text(), C().lblData[i]->text());
            EXPECT_EQ(tool.at("status"), "ok");
            ExpectFiguresOfTheTool(tool, C());
        } else {
            ASSERT_EQ(m_fakes.messages.size(), 2);
            EXPECT_EQ(m_fakes.messages[0], m_fakes.messages[1]);
            EXPECT_TRUE(m_fakes.messages[0].endsWith(Q(tool.at("message")))) << m_fakes.messages[0].toStdString();
        }
    }

    QTemporaryDir m_folder;
    QString m_path;
    std::unique_ptr<frmMain> m_reader;
};

TEST_F(RoundTrip, TheEngineRowCorpus) {
    const std::vector<CaseRow> data = LoadRows("engine_rows.json", "data");
    const std::vector<CaseRow> clustered = LoadRows("engine_rows.json", "clustered");
    const std::vector<CaseRow> indexes = LoadRows("engine_rows.json", "nonClustered");
    const std::size_t rounds = std::max({data.size(), clustered.size(), indexes.size()});
    for (std::size_t i = 0; i < rounds; ++i) {
        const json& d = data[i % data.size()].data;
        C().txtData[0]->SetText(QString::number(d.at("rowCount").get<std::int64_t>()));
        SelectKey(kDataSection, d.at("key"));
        const json& c = clustered[i % clustered.size()].data;
        SelectKey(kClusteredSection, c.at("key"));
        C().txtFillFactor[0]->SetText(QString::number(c.at("fillFactor").get<int>()));
        for (int n = 0; n < 3; ++n) {
            const json& x = indexes[(i + static_cast<std::size_t>(n) * 7) % indexes.size()].data;
            SelectKey(kFirstNonClusteredSection + n, x.at("key"));
            C().txtFillFactor[static_cast<std::size_t>(n) + 1]->SetText(QString::number(x.at("fillFactor").get<int>()));
            if ((i + static_cast<std::size_t>(n)) % 4 == 0)
                SelectMode(C(), kFirstNonClusteredSection + n, KeyMode::None);
        }
        SaveOpenAndCompare(data[i % data.size()].name + " / " + clustered[i % clustered.size()].name);
    }
}

TEST_F(RoundTrip, TextsAUserCanTypeOrPaste) {
    Generator generate(2701);
    for (int round = 0; round < 150; ++round) {
        for (int section = kDataSection; section < kSectionCount; ++section) {
            const int mode = generate.Below(section == kDataSection ? 2 : 3);
            SelectMode(C(), section, mode == 0 ? KeyMode::AllFixed : mode == 1 ? KeyMode::WithVariable : KeyMode::None);
        }
        C().ForEachField([&generate](InputTextBox& field, FieldRef) { field.SetText(generate.Text()); });
        SaveOpenAndCompare("round " + std::to_string(round) + ": " + Held(C()));
    }
}

} // namespace
} // namespace quorvel::testing
