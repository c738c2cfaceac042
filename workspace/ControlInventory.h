#pragma once
// Every control of the main window, by array name and index, and the one
// place that knows which controls belong to which section of the estimate.
//
// The window (frmMain) builds the controls and fills this inventory once; the
// behaviour of the workspace (section modes, field editing, hints, edit
// commands, the Calc command) reaches each control through it, exactly by the
// array name and index the rest of the program uses: txtData[3],
// lblLevel[59], optNonClaster[8], mnuEditItem[2]. Whatever works on a section
// as a whole (its options, fields, result cells and level cells) asks
// Section() instead of working out indices itself.
// The window owns every control; the pointers stay valid for its whole life.

#include "workspace/Commands.h"
#include "workspace/InputTextBox.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QStringView>
#include <QTabWidget>
#include <QToolBar>

#include <array>
#include <functional>
#include <optional>
#include <span>

namespace quorvel {

// The four arrays of input fields, and one field of them.
enum class FieldArray { txtData, txtData1, txtData2, txtFillFactor };
struct FieldRef {
    FieldArray array;
    int index;
};
// "txtData", "txtData1", "txtData2", "txtFillFactor".
const char* ArrayName(FieldArray array);

// The sections of the estimate, one per tab: the data rows, the clustered
// index and nonclustered indexes 1-3.
inline constexpr int kSectionCount = 5;
inline constexpr int kDataSection = 0;
inline constexpr int kClusteredSection = 1;
inline constexpr int kFirstNonClusteredSection = 2;

// Where the controls of one section stand in their arrays. Section n is shown
// on tab n in frame fraSquare(n). Index sections are also known by their
// index number s = n - 1 (0 clustered, 1-3 nonclustered), which numbers
// their fill factor txtFillFactor(s) and their level cells lblLevel(15s + k).
struct SectionLayout {
    int section = 0;
    bool isIndex = false;
    // The first of the section's options (none, all fixed, with variable-length
    // columns) in optData, optClaster or optNonClaster; the data section has
    // no "none" option, so its first is "all fixed".
    int firstOption = 0;
    int fillFactor = -1; // txtFillFactor index; -1 for the data section
    FieldRef allFixedBytes;
    std::array<FieldRef, 3> withVariable; // fixed bytes, variable bytes, variable columns
    int firstFigure = 0;                  // in lblData
    int figureCount = 0;
    int firstLevel = -1; // in lblLevel; -1 for the data section
    // The captions in lblItem: from firstCaption the caption of the row count
    // (data section) or of the fill factor, of the all-fixed field, of the
    // three fields with variable-length columns, then of each figure; the
    // level captions from firstLevelCaption (-1 for the data section).
    int firstCaption = 0;
    int firstLevelCaption = -1;

    // The layout of section 0-4.
    static SectionLayout Of(int section);
    // The section an option of optNonClaster belongs to.
    static int SectionOfNonClusteredOption(int index) { return kFirstNonClusteredSection + index / 3; }
};

// The controls of one section.
struct SectionControls {
    SectionLayout layout;
    QRadioButton* none = nullptr; // null for the data section
    QRadioButton* allFixed = nullptr;
    QRadioButton* withVariable = nullptr;
    InputTextBox* fillFactor = nullptr; // null for the data section
    InputTextBox* allFixedBytes = nullptr;
    std::array<InputTextBox*, 3> withVariableFields{};
    std::span<QLabel* const> figures;
    std::span<QLabel* const> levels; // empty for the data section
    // Beside the fields, in the order of the layout's captions: the row count
    // or fill factor, the all-fixed field, the three fields with
    // variable-length columns.
    std::span<QLabel* const> fieldCaptions;
    std::span<QLabel* const> figureCaptions;
    std::span<QLabel* const> levelCaptions; // empty for the data section
};

// lblItem(49) to (52) stand beside lblTotal(0) to (3).
inline constexpr int kFirstTotalCaption = 49;

struct ControlInventory {
    QMainWindow* frmMain = nullptr;

    // Frames 0-4 carry the sections of tabs 0-4; frame 5 the grand totals.
    std::array<QGroupBox*, 6> fraSquare{};
    // Outline rectangles around the fields of one option.
    std::array<QFrame*, 10> shpSquare{};

    std::array<QRadioButton*, 2> optData{};
    std::array<QRadioButton*, 3> optClaster{};
    std::array<QRadioButton*, 9> optNonClaster{};

    std::array<InputTextBox*, 9> txtData{};
    // Only [0], [3] and [6] exist; the other entries stay null.
    std::array<InputTextBox*, 9> txtData1{};
    std::array<InputTextBox*, 9> txtData2{};
    std::array<InputTextBox*, 4> txtFillFactor{};

    // Result cells (Caption = QLabel text) and fixed captions.
    std::array<QLabel*, 24> lblData{};
    std::array<QLabel*, 60> lblLevel{};
    std::array<QLabel*, 4> lblTotal{};
    std::array<QLabel*, 113> lblItem{};

    // Current tab = tabMain->currentIndex(); setting it raises the tab logic.
    QTabWidget* tabMain = nullptr;

    QToolBar* tbToolBar = nullptr;
    // Toolbar positions 1..16 at [0..15], separators included; a button's
    // objectName is its key ("End", "Calc", "Clear", "Cut", ...).
    std::array<QAction*, 16> tbToolBarButtons{};

    // Panel 1 of the status bar: the one text the program writes there.
    QLabel* sbStatusBarPanel1 = nullptr;

    // Hidden image holding the second program icon (the About box's icon).
    QLabel* imgWinIcon = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuTool = nullptr;
    QMenu* mnuHelp = nullptr;
    // Separator items are separator actions with their own index.
    std::array<QAction*, 3> mnuFileItem{};
    std::array<QAction*, 5> mnuEditItem{};
    std::array<QAction*, 1> mnuViewItem{};
    std::array<QAction*, 4> mnuToolItem{};
    std::array<QAction*, 4> mnuHelpItem{};
    // The file commands, items with names of their own between
    // mnuFileItem(1) and (2), and the Edit menu's copy of the results.
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileExport = nullptr;
    QAction* mnuEditCopyResults = nullptr;

    SectionControls Section(int section) const;

    // The field of an array and index; null for an index the array does not have.
    InputTextBox* Field(FieldRef field) const;
    // Where the window puts the field it builds; the index must exist.
    InputTextBox*& FieldSlot(FieldRef field);
    // Every input field with its array and index.
    void ForEachField(const std::function<void(InputTextBox&, FieldRef)>& visit) const;

    // The toolbar button with exactly this key (letter case counts); null for
    // separators and unknown keys.
    QAction* ToolbarButton(QStringView key) const;

    // The menu item that carries a command.
    QAction* MenuItem(Command command) const;
    // The items with names of their own, each with its command.
    std::array<std::pair<QAction*, Command>, 5> NamedItems() const;
    // The command of an item of the menu of commands C (FileCommand: the
    // File menu), by the item's index; nullopt for a separator or an index
    // the menu does not have.
    template <typename C> static std::optional<C> CommandAt(int index);
    // The command of a toolbar button, by its key; nullopt for an unknown key.
    static std::optional<Command> ToolbarCommand(QStringView key);
};

} // namespace quorvel
