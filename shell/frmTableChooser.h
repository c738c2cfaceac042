#pragma once
// The table chooser: a file that describes several tables is opened one table
// at a time, and this dialog asks which. It lists the tables in the file's
// order, each with its number of rows where the file gives one, under a
// search field that narrows the list as the user types (a part of the name,
// letter case and the width of kana and letters ignored: "ﾃｰﾌﾞﾙ" finds
// "テーブル", "ａｂｃ" finds "ABC").
//
// Keys: the arrows, PgUp, PgDn, Home and End move in the list even while the
// search field has the focus; Enter chooses, Esc cancels; a double click
// chooses too. The first match is selected whenever the search changes, and
// OK is off while nothing matches. The selected row is grey while the focus
// is elsewhere, so the eye can tell where the keys go; the search field's
// accessible description names it, so a screen reader tells it too. A model
// and a view, so a file of 10,000 tables opens and filters at once.
// QtTableChooser shows it for the window.

#include "platform/TableChooserService.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTreeView;

namespace quorvel {

class frmTableChooser final : public QDialog {
    Q_OBJECT

public:
    frmTableChooser(const QString& fileName, const std::vector<TableListing>& tables, QWidget* owner = nullptr);

    // The index into tables of the selected table; std::nullopt when no table
    // is selected (nothing matches the search).
    std::optional<int> SelectedTable() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search(const QString& text);
    void ShowSelection();
    void ShowListFocus(bool focused);

    QSortFilterProxyModel* m_matches = nullptr;
    QLineEdit* m_txtSearch = nullptr;
    QTreeView* m_lstTables = nullptr;
    QLabel* m_lblMatches = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace quorvel
