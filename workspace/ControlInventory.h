#pragma once
// Every control of the main window, by array name and index.
//
// The window (frmMain) builds the controls and fills this inventory once; the
// behaviour of the workspace (section modes, field editing, hints, edit
// commands, the Calc command) reaches each control through it exactly by the
// array name and index the rest of the program uses: txtData[3], lblLevel[59],
// optNonClaster[8], mnuEditItem[2]. Indices of the sections:
//   tab t shows fraSquare[t]; tab 0 also shows the totals frame fraSquare[5];
//   section s: 0 clustered index, 1..3 nonclustered index s (base b = 3(s-1));
//   txtFillFactor[s]; lblData[6s..6s+5] for s >= 1; lblLevel[15s + level].
// The window owns every control; the pointers stay valid for its whole life.

#include "InputTextBox.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringView>
#include <QTabWidget>
#include <QToolBar>

#include <array>

namespace quorvel {

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

    QStatusBar* sbStatusBar = nullptr;
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

    // The toolbar button with exactly this key (letter case counts); null for
    // separators and unknown keys.
    QAction* ToolbarButton(QStringView key) const {
        if (key.isEmpty())
            return nullptr;
        for (QAction* button : tbToolBarButtons) {
            if (button && !button->isSeparator() && button->objectName() == key)
                return button;
        }
        return nullptr;
    }
};

} // namespace quorvel
