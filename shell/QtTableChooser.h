#pragma once
// The table chooser of the running program: frmTableChooser, modal over the
// window that asks.

#include "platform/TableChooserService.h"

namespace quorvel {

class QtTableChooser final : public TableChooserService {
public:
    // A file without tables offers nothing to choose: std::nullopt, and no dialog.
    std::optional<int> ChooseTable(QWidget* owner, const QString& fileName,
                                   const std::vector<TableListing>& tables) override;
};

} // namespace quorvel
