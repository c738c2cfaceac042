#pragma once
// Choosing one table of a file that describes several (a JSON file with a
// list of tables, a schema script with several CREATE TABLE statements): the
// window asks before it opens one. The running program shows the shell's
// table chooser dialog (QtTableChooser); tests hand in a fake that records the
// question and answers as the test says.

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

namespace quorvel {

// One table as the chooser lists it: its name and, where the file gives one,
// its number of rows.
struct TableListing {
    QString name;
    std::optional<std::int64_t> rowCount;
};

class TableChooserService {
public:
    virtual ~TableChooserService() = default;

    // Modal over owner. fileName is the file as the user knows it (its name
    // without the folder). The index into tables of the table chosen, or
    // std::nullopt when the user cancels.
    [[nodiscard]] virtual std::optional<int> ChooseTable(QWidget* owner, const QString& fileName,
                                                         const std::vector<TableListing>& tables) = 0;
};

} // namespace quorvel
