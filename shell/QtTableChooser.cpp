#include "shell/QtTableChooser.h"

#include "shell/frmTableChooser.h"

namespace quorvel {

std::optional<int> QtTableChooser::ChooseTable(QWidget* owner, const QString& fileName,
                                               const std::vector<TableListing>& tables) {
    if (tables.empty())
        return std::nullopt;
    frmTableChooser chooser(fileName, tables, owner);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.SelectedTable();
}

} // namespace quorvel
