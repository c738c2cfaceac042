#include "SectionModes.h"

#include "ForeColors.h"

namespace quorvel {
namespace {

enum class Mode { None, AllFixed, WithVariable };

// The fields one option group governs. fillFactor is null for the data section.
struct GovernedFields {
    InputTextBox* fillFactor = nullptr;
    InputTextBox* allFixed = nullptr;
    std::array<InputTextBox*, 3> withVariable{};
};

void ApplyMode(const GovernedFields& fields, Mode mode) {
    const bool exists = mode != Mode::None;
    const bool allFixed = mode == Mode::AllFixed;
    const bool withVariable = mode == Mode::WithVariable;

    // Enabled states first, then colours, field by field in the same order.
    if (fields.fillFactor)
        fields.fillFactor->setEnabled(exists);
    fields.allFixed->setEnabled(allFixed);
    for (InputTextBox* field : fields.withVariable)
        field->setEnabled(withVariable);

    if (fields.fillFactor)
        fields.fillFactor->SetForeColor(exists ? kWindowTextColor : kMenuBarColor);
    fields.allFixed->SetForeColor(allFixed ? kWindowTextColor : kMenuBarColor);
    for (InputTextBox* field : fields.withVariable)
        field->SetForeColor(withVariable ? kWindowTextColor : kMenuBarColor);
}

Mode ModeOfOption(int m) {
    switch (m) {
    case 0:
        return Mode::None;
    case 1:
        return Mode::AllFixed;
    default:
        return Mode::WithVariable;
    }
}

} // namespace

void SetFieldActive(InputTextBox& field, bool active) {
    field.setEnabled(active);
    field.SetForeColor(active ? kWindowTextColor : kMenuBarColor);
}

void optData_Click(ControlInventory& controls, int index) {
    if (index < 0 || index > 1)
        return;
    const GovernedFields fields{nullptr, controls.txtData[1], {controls.txtData[2], controls.txtData[3], controls.txtData[4]}};
    ApplyMode(fields, index == 0 ? Mode::AllFixed : Mode::WithVariable);
}

void optClaster_Click(ControlInventory& controls, int index) {
    if (index < 0 || index > 2)
        return;
    const GovernedFields fields{controls.txtFillFactor[0], controls.txtData[5],
                                {controls.txtData[6], controls.txtData[7], controls.txtData[8]}};
    ApplyMode(fields, ModeOfOption(index));
}

void optNonClaster_Click(ControlInventory& controls, int index) {
    if (index < 0 || index > 8)
        return;
    const int section = index / 3 + 1;
    const int base = 3 * (section - 1);
    const GovernedFields fields{controls.txtFillFactor[static_cast<std::size_t>(section)],
                                controls.txtData1[static_cast<std::size_t>(base)],
                                {controls.txtData2[static_cast<std::size_t>(base)],
                                 controls.txtData2[static_cast<std::size_t>(base + 1)],
                                 controls.txtData2[static_cast<std::size_t>(base + 2)]}};
    ApplyMode(fields, ModeOfOption(index - base));
}

void tabMain_Click(ControlInventory& controls, int previousTab) {
    const int current = controls.tabMain->currentIndex();
    if (current >= 0 && current <= 4)
        controls.fraSquare[static_cast<std::size_t>(current)]->setEnabled(true);
    if (previousTab >= 0 && previousTab <= 4 && previousTab != current)
        controls.fraSquare[static_cast<std::size_t>(previousTab)]->setEnabled(false);
}

} // namespace quorvel
