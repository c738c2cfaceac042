#include "workspace/SectionModes.h"

#include "workspace/ForeColors.h"

namespace quorvel {
namespace {

enum class Mode { None, AllFixed, WithVariable };

void ApplyMode(const SectionControls& section, Mode mode) {
    const bool exists = mode != Mode::None;
    const bool allFixed = mode == Mode::AllFixed;
    const bool withVariable = mode == Mode::WithVariable;

    // Enabled states first, then colours, field by field in the same order.
    if (section.fillFactor)
        section.fillFactor->setEnabled(exists);
    section.allFixedBytes->setEnabled(allFixed);
    for (InputTextBox* field : section.withVariableFields)
        field->setEnabled(withVariable);

    if (section.fillFactor)
        section.fillFactor->SetForeColor(exists ? kWindowTextColor : kMenuBarColor);
    section.allFixedBytes->SetForeColor(allFixed ? kWindowTextColor : kMenuBarColor);
    for (InputTextBox* field : section.withVariableFields)
        field->SetForeColor(withVariable ? kWindowTextColor : kMenuBarColor);
}

// Option m of an index section: 0 none, 1 all fixed, 2 with variable columns.
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

void optData_Click(ControlInventory& controls, int index) {
    if (index < 0 || index > 1)
        return;
    ApplyMode(controls.Section(kDataSection), index == 0 ? Mode::AllFixed : Mode::WithVariable);
}

void optClaster_Click(ControlInventory& controls, int index) {
    if (index < 0 || index > 2)
        return;
    ApplyMode(controls.Section(kClusteredSection), ModeOfOption(index));
}

void optNonClaster_Click(ControlInventory& controls, int index) {
    if (index < 0 || index > 8)
        return;
    const SectionControls section = controls.Section(SectionLayout::SectionOfNonClusteredOption(index));
    ApplyMode(section, ModeOfOption(index - section.layout.firstOption));
}

void SelectMode(ControlInventory& controls, int section, KeyMode mode) {
    const SectionControls s = controls.Section(section);
    QRadioButton* option = mode == KeyMode::None ? s.none : mode == KeyMode::AllFixed ? s.allFixed : s.withVariable;
    if (!option)
        return; // the data section has no "none"
    // The window raises the handler when an option becomes the selected one.
    if (!option->isChecked()) {
        option->setChecked(true);
        return;
    }
    const int m = mode == KeyMode::None ? 0 : mode == KeyMode::AllFixed ? 1 : 2;
    if (section == kDataSection)
        optData_Click(controls, m - 1);
    else if (section == kClusteredSection)
        optClaster_Click(controls, m);
    else
        optNonClaster_Click(controls, s.layout.firstOption + m);
}

void tabMain_Click(ControlInventory& controls, int previousTab) {
    const int current = controls.tabMain->currentIndex();
    if (current >= 0 && current < kSectionCount)
        controls.fraSquare[static_cast<std::size_t>(current)]->setEnabled(true);
    if (previousTab >= 0 && previousTab < kSectionCount && previousTab != current)
        controls.fraSquare[static_cast<std::size_t>(previousTab)]->setEnabled(false);
}

} // namespace quorvel
