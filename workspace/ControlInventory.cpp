#include "workspace/ControlInventory.h"

#include <algorithm>
#include <type_traits>

namespace quorvel {

const char* ArrayName(FieldArray array) {
    switch (array) {
    case FieldArray::txtData:
        return "txtData";
    case FieldArray::txtData1:
        return "txtData1";
    case FieldArray::txtData2:
        return "txtData2";
    case FieldArray::txtFillFactor:
        return "txtFillFactor";
    }
    return "";
}

SectionLayout SectionLayout::Of(int section) {
    SectionLayout layout;
    layout.section = section;
    if (section == kDataSection) {
        layout.allFixedBytes = {FieldArray::txtData, 1};
        layout.withVariable = {{{FieldArray::txtData, 2}, {FieldArray::txtData, 3}, {FieldArray::txtData, 4}}};
        layout.figureCount = 3;
        return layout;
    }
    const int s = section - 1; // index section: 0 clustered, 1-3 nonclustered
    layout.isIndex = true;
    layout.fillFactor = s;
    layout.firstLevel = 15 * s;
    if (section == kClusteredSection) {
        layout.allFixedBytes = {FieldArray::txtData, 5};
        layout.withVariable = {{{FieldArray::txtData, 6}, {FieldArray::txtData, 7}, {FieldArray::txtData, 8}}};
        layout.firstFigure = 3;
        layout.figureCount = 3;
        layout.firstCaption = 8;
        layout.firstLevelCaption = 53;
        return layout;
    }
    const int b = 3 * (s - 1);
    layout.firstOption = b;
    layout.firstCaption = 16 + 11 * (s - 1);
    layout.firstLevelCaption = 68 + 15 * (s - 1);
    layout.allFixedBytes = {FieldArray::txtData1, b};
    layout.withVariable = {{{FieldArray::txtData2, b}, {FieldArray::txtData2, b + 1}, {FieldArray::txtData2, b + 2}}};
    layout.firstFigure = 6 * s;
    layout.figureCount = 6;
    return layout;
}

SectionControls ControlInventory::Section(int section) const {
    SectionControls c;
    c.layout = SectionLayout::Of(section);
    const SectionLayout& l = c.layout;
    const auto option = static_cast<std::size_t>(l.firstOption);
    if (section == kDataSection) {
        c.allFixed = optData[0];
        c.withVariable = optData[1];
    } else {
        const auto& options = section == kClusteredSection ? std::span<QRadioButton* const>(optClaster)
                                                           : std::span<QRadioButton* const>(optNonClaster);
        c.none = options[option];
        c.allFixed = options[option + 1];
        c.withVariable = options[option + 2];
        c.fillFactor = txtFillFactor[static_cast<std::size_t>(l.fillFactor)];
        c.levels = std::span<QLabel* const>(lblLevel).subspan(static_cast<std::size_t>(l.firstLevel), 15);
    }
    c.allFixedBytes = Field(l.allFixedBytes);
    for (std::size_t k = 0; k < 3; ++k)
        c.withVariableFields[k] = Field(l.withVariable[k]);
    c.figures = std::span<QLabel* const>(lblData).subspan(static_cast<std::size_t>(l.firstFigure),
                                                          static_cast<std::size_t>(l.figureCount));
    const std::span<QLabel* const> captions(lblItem);
    c.fieldCaptions = captions.subspan(static_cast<std::size_t>(l.firstCaption), 5);
    c.figureCaptions = captions.subspan(static_cast<std::size_t>(l.firstCaption) + 5, c.figures.size());
    if (l.isIndex)
        c.levelCaptions = captions.subspan(static_cast<std::size_t>(l.firstLevelCaption), c.levels.size());
    return c;
}

InputTextBox*& ControlInventory::FieldSlot(FieldRef field) {
    switch (field.array) {
    case FieldArray::txtData1:
        return txtData1.at(static_cast<std::size_t>(field.index));
    case FieldArray::txtData2:
        return txtData2.at(static_cast<std::size_t>(field.index));
    case FieldArray::txtFillFactor:
        return txtFillFactor.at(static_cast<std::size_t>(field.index));
    case FieldArray::txtData:
        break;
    }
    return txtData.at(static_cast<std::size_t>(field.index));
}

InputTextBox* ControlInventory::Field(FieldRef field) const {
    const auto pick = [&field](const auto& fields) -> InputTextBox* {
        if (field.index < 0 || static_cast<std::size_t>(field.index) >= fields.size())
            return nullptr;
        return fields[static_cast<std::size_t>(field.index)];
    };
    switch (field.array) {
    case FieldArray::txtData:
        return pick(txtData);
    case FieldArray::txtData1:
        return pick(txtData1);
    case FieldArray::txtData2:
        return pick(txtData2);
    case FieldArray::txtFillFactor:
        return pick(txtFillFactor);
    }
    return nullptr;
}

void ControlInventory::ForEachField(const std::function<void(InputTextBox&, FieldRef)>& visit) const {
    const auto each = [&visit](const auto& fields, FieldArray array) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i])
                visit(*fields[i], FieldRef{array, static_cast<int>(i)});
        }
    };
    each(txtData, FieldArray::txtData);
    each(txtData1, FieldArray::txtData1);
    each(txtData2, FieldArray::txtData2);
    each(txtFillFactor, FieldArray::txtFillFactor);
}

QAction* ControlInventory::ToolbarButton(QStringView key) const {
    if (key.isEmpty())
        return nullptr;
    for (QAction* button : tbToolBarButtons) {
        if (button && !button->isSeparator() && button->objectName() == key)
            return button;
    }
    return nullptr;
}

namespace {

// Which item of its menu carries each command.
struct MenuRow {
    Command command;
    std::size_t index;
};
const std::array kMenuItems{
    MenuRow{FileCommand::Calc, 0},        MenuRow{FileCommand::End, 2},
    MenuRow{EditCommand::Clear, 0},       MenuRow{EditCommand::Cut, 2},
    MenuRow{EditCommand::Copy, 3},        MenuRow{EditCommand::Paste, 4},
    MenuRow{ViewCommand::Hints, 0},       MenuRow{ToolCommand::EnterpriseManager, 0},
    MenuRow{ToolCommand::QueryWindow, 1}, MenuRow{ToolCommand::ServiceManager, 2},
    MenuRow{ToolCommand::BooksOnline, 3}, MenuRow{HelpCommand::Contents, 0},
    MenuRow{HelpCommand::KeywordSearch, 1}, MenuRow{HelpCommand::About, 3},
};

// Which command each toolbar button carries, by its key.
struct ToolbarRow {
    const char* key;
    Command command;
};
const std::array kToolbar{
    ToolbarRow{"End", FileCommand::End},          ToolbarRow{"Calc", FileCommand::Calc},
    ToolbarRow{"Clear", EditCommand::Clear},      ToolbarRow{"Cut", EditCommand::Cut},
    ToolbarRow{"Copy", EditCommand::Copy},        ToolbarRow{"Paste", EditCommand::Paste},
    ToolbarRow{"SQLEW", ToolCommand::EnterpriseManager}, ToolbarRow{"ISQLW", ToolCommand::QueryWindow},
    ToolbarRow{"SQLMGR", ToolCommand::ServiceManager},   ToolbarRow{"SQLBOOK", ToolCommand::BooksOnline},
    ToolbarRow{"Help", HelpCommand::Contents},    ToolbarRow{"Version", HelpCommand::About},
};

} // namespace

std::array<std::pair<QAction*, Command>, 5> ControlInventory::NamedItems() const {
    return {{{mnuFileOpen, FileCommand::Open},
             {mnuFileSave, FileCommand::Save},
             {mnuFileSaveAs, FileCommand::SaveAs},
             {mnuFileExport, FileCommand::Export},
             {mnuEditCopyResults, FileCommand::CopyResults}}};
}

QAction* ControlInventory::MenuItem(Command command) const {
    for (const auto& [item, carried] : NamedItems()) {
        if (carried == command)
            return item;
    }
    const auto row = std::find_if(kMenuItems.begin(), kMenuItems.end(),
                                  [&command](const MenuRow& r) { return r.command == command; });
    const std::span<QAction* const> menu = std::visit(
        [this](auto c) -> std::span<QAction* const> {
            using C = decltype(c);
            if constexpr (std::is_same_v<C, FileCommand>)
                return mnuFileItem;
            else if constexpr (std::is_same_v<C, EditCommand>)
                return mnuEditItem;
            else if constexpr (std::is_same_v<C, ViewCommand>)
                return mnuViewItem;
            else if constexpr (std::is_same_v<C, ToolCommand>)
                return mnuToolItem;
            else
                return mnuHelpItem;
        },
        command);
    return row == kMenuItems.end() ? nullptr : menu[row->index];
}

template <typename C> std::optional<C> ControlInventory::CommandAt(int index) {
    for (const MenuRow& row : kMenuItems) {
        if (std::holds_alternative<C>(row.command) && static_cast<int>(row.index) == index)
            return std::get<C>(row.command);
    }
    return std::nullopt;
}
template std::optional<FileCommand> ControlInventory::CommandAt(int);
template std::optional<EditCommand> ControlInventory::CommandAt(int);
template std::optional<ViewCommand> ControlInventory::CommandAt(int);
template std::optional<ToolCommand> ControlInventory::CommandAt(int);
template std::optional<HelpCommand> ControlInventory::CommandAt(int);

std::optional<Command> ControlInventory::ToolbarCommand(QStringView key) {
    for (const ToolbarRow& row : kToolbar) {
        if (key == QLatin1String(row.key))
            return row.command;
    }
    return std::nullopt;
}

} // namespace quorvel
