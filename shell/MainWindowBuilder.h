#pragma once
// The builder behind BuildMainWindowLayout (MainWindowLayout.h), in two
// files: MainWindowLayout.cpp builds the window, its menus, toolbar, status
// bar and tabbed container; SectionFrames.cpp builds the frames on the tabs
// with their fields, options, captions, outline boxes and result cells.

#include "workspace/ControlInventory.h"

#include <array>
#include <string_view>

namespace quorvel {

class MainWindowBuilder {
public:
    MainWindowBuilder(QMainWindow& window, ControlInventory& controls) : m_window(window), m_c(controls) {}

    void Build();

    // "txtData(3)": an array's name with the index of one of its controls.
    static QString Indexed(const char* array, int index);
    static QString Text(std::string_view utf8);

    // Inner margin of a tab page around its frames, in pixels.
    static constexpr int kPageMargin = 4;

private:
    void BuildWindow();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildTabs();
    void BuildDataFrame(QWidget* page);
    void BuildIndexFrame(QWidget* page, int section);
    void BuildTotalsFrame(QWidget* page);
    void FixWindowSize();

    QGroupBox* MakeFrame(QWidget* page, int index, const QString& caption, QFont font);
    QLabel* Caption(QWidget* frame, int index, std::string_view text, double left, double top, double width);
    InputTextBox* Field(QWidget* frame, FieldRef ref, double top);
    QRadioButton* Option(QWidget* frame, const char* array, int index, const char* text, double top,
                         double width);
    QLabel* ResultCell(QWidget* frame, const char* array, int index, QRect geometry,
                       const QColor& textColour);
    QFrame* Outline(QWidget* frame, int index, double left, double top, double width, double height);
    void StandOn(QFrame* outline, QRadioButton* option);
    QAction* MenuItem(QMenu* menu, const char* array, int index, const char* caption);
    QAction* NamedItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key);

    QMainWindow& m_window;
    ControlInventory& m_c;
    QWidget* m_central = nullptr;
    std::array<QWidget*, 5> m_pages{};
};

} // namespace quorvel
