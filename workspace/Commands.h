#pragma once
// The commands of the main window, by name. The window's menus and toolbar
// carry them: mnuFileItem(0) and the toolbar's "Calc" are Calc, mnuEditItem(2)
// and "Cut" are Cut. ControlInventory knows which item carries which command;
// below the window, the program speaks of commands, never of item numbers.
// The file commands (Open, Save, SaveAs, Export) are items of the File menu
// with names of their own (mnuFileOpen ...); CopyResults, which hands the
// results on as Export does, is the Edit menu's mnuEditCopyResults.

#include <variant>

namespace quorvel {

enum class FileCommand { Calc, End, Open, Save, SaveAs, Export, CopyResults };
enum class EditCommand { Clear, Cut, Copy, Paste };
enum class ViewCommand { Hints };
// The SQL Server 6.x client programs.
enum class ToolCommand { EnterpriseManager, QueryWindow, ServiceManager, BooksOnline };
enum class HelpCommand { Contents, KeywordSearch, About };

using Command = std::variant<FileCommand, EditCommand, ViewCommand, ToolCommand, HelpCommand>;

} // namespace quorvel
