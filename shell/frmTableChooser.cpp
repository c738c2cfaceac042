#include "shell/frmTableChooser.h"

#include "calc/NumericText.h"
#include "platform/JapaneseFonts.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace quorvel {
namespace {

enum Column { kNameColumn, kRowsColumn, kColumns };
// The name as the search compares it.
constexpr int kSearchRole = Qt::UserRole;

// Width of kana and letters and their case do not count: "ﾃｰﾌﾞﾙ" and
// "テーブル", "ＡＢＣ" and "abc" read alike.
QString Folded(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

QString Grouped(std::int64_t value) {
    char buffer[64];
    const std::string_view text = numtext::FormatGrouped(value, buffer);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The tables of the file, read-only, in the file's order.
class TableListModel final : public QAbstractTableModel {
public:
    explicit TableListModel(const std::vector<TableListing>& tables, QObject* parent) : QAbstractTableModel(parent) {
        m_rows.reserve(tables.size());
        for (const TableListing& table : tables)
            m_rows.push_back({table.name, table.rowCount ? Grouped(*table.rowCount) : QString(), Folded(table.name)});
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kColumns; }

    QVariant data(const QModelIndex& index, int role) const override {
        const Row& row = m_rows[static_cast<std::size_t>(index.row())];
        switch (role) {
        case Qt::DisplayRole:
            return index.column() == kNameColumn ? row.name : row.rows;
        case Qt::ToolTipRole: // a long name is cut short in its column
            return row.name;
        case Qt::TextAlignmentRole:
            return Alignment(index.column());
        case kSearchRole:
            return row.folded;
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal)
            return {};
        if (role == Qt::DisplayRole)
            return section == kNameColumn ? QStringLiteral("ﾃｰﾌﾞﾙ名") : QStringLiteral("行数");
        if (role == Qt::TextAlignmentRole)
            return Alignment(section);
        return {};
    }

private:
    static QVariant Alignment(int column) {
        return QVariant::fromValue(Qt::AlignVCenter | (column == kRowsColumn ? Qt::AlignRight : Qt::AlignLeft));
    }

    struct Row {
        QString name;
        QString rows; // grouped digits; "" when the file gives none
        QString folded;
    };
    std::vector<Row> m_rows;
};

bool MovesInTheList(const QKeyEvent& key) {
    if (key.modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace

frmTableChooser::frmTableChooser(const QString& fileName, const std::vector<TableListing>& tables, QWidget* owner)
    // No minimise button: a modal question cannot be put away; a long list may be maximised.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmTableChooser"));
    setWindowTitle(QStringLiteral("ﾃｰﾌﾞﾙの選択"));
    setModal(true);
    setFont(PGothicFont(9));
    setSizeGripEnabled(true);

    auto* prompt = new QLabel(QStringLiteral("ﾌｧｲﾙ「%1」には %2 個のﾃｰﾌﾞﾙがあります。開くﾃｰﾌﾞﾙを選んでください。")
                                  .arg(fileName, Grouped(static_cast<std::int64_t>(tables.size()))));
    prompt->setObjectName(QStringLiteral("lblPrompt"));
    prompt->setTextFormat(Qt::PlainText); // a file name may hold "<"
    prompt->setWordWrap(true);
    setAccessibleDescription(prompt->text());

    auto* searchCaption = new QLabel(QStringLiteral("検索(&S):"));
    m_txtSearch = new QLineEdit;
    m_txtSearch->setObjectName(QStringLiteral("txtSearch"));
    m_txtSearch->setAccessibleName(QStringLiteral("検索"));
    m_txtSearch->setClearButtonEnabled(true);
    searchCaption->setBuddy(m_txtSearch);
    m_txtSearch->installEventFilter(this);

    auto* listCaption = new QLabel(QStringLiteral("ﾃｰﾌﾞﾙ(&T):"));
    m_matches = new QSortFilterProxyModel(this);
    m_matches->setSourceModel(new TableListModel(tables, this));
    m_matches->setFilterRole(kSearchRole);
    m_matches->setFilterKeyColumn(kNameColumn);
    m_lstTables = new QTreeView;
    m_lstTables->setObjectName(QStringLiteral("lstTables"));
    m_lstTables->setAccessibleName(QStringLiteral("ﾃｰﾌﾞﾙ"));
    m_lstTables->setModel(m_matches);
    m_lstTables->setRootIsDecorated(false);
    m_lstTables->setItemsExpandable(false);
    m_lstTables->setUniformRowHeights(true);
    m_lstTables->setAllColumnsShowFocus(true);
    m_lstTables->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstTables->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstTables->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstTables->header()->setStretchLastSection(false);
    m_lstTables->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    m_lstTables->header()->setSectionResizeMode(kRowsColumn, QHeaderView::ResizeToContents);
    listCaption->setBuddy(m_lstTables);
    m_lstTables->installEventFilter(this);
    ShowListFocus(false);

    m_lblMatches = new QLabel;
    m_lblMatches->setObjectName(QStringLiteral("lblMatches"));

    auto* buttons = new QDialogButtonBox;
    m_cmdOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchCaption);
    searchRow->addWidget(m_txtSearch, 1);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(m_lblMatches, 1);
    bottomRow->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addSpacing(4);
    layout->addLayout(searchRow);
    layout->addWidget(listCaption);
    layout->addWidget(m_lstTables, 1);
    layout->addLayout(bottomRow);
    resize(460, 420);

    setTabOrder(m_txtSearch, m_lstTables);
    setTabOrder(m_lstTables, m_cmdOK);
    setTabOrder(m_cmdOK, cancel);
    m_txtSearch->setFocus();

    connect(m_txtSearch, &QLineEdit::textChanged, this, &frmTableChooser::Search);
    connect(m_lstTables->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmTableChooser::ShowSelection);
    connect(m_lstTables, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Search(QString());
}

std::optional<int> frmTableChooser::SelectedTable() const {
    const QModelIndexList selected = m_lstTables->selectionModel()->selectedRows(kNameColumn);
    if (selected.isEmpty())
        return std::nullopt;
    return m_matches->mapToSource(selected.front()).row();
}

void frmTableChooser::Search(const QString& text) {
    m_matches->setFilterFixedString(Folded(text));
    if (m_matches->rowCount() > 0)
        m_lstTables->setCurrentIndex(m_matches->index(0, kNameColumn));
    m_lstTables->scrollToTop();
    const int found = m_matches->rowCount();
    if (text.isEmpty())
        m_lblMatches->clear();
    else if (found == 0)
        m_lblMatches->setText(QStringLiteral("一致するﾃｰﾌﾞﾙはありません。"));
    else
        m_lblMatches->setText(QStringLiteral("%1 個のﾃｰﾌﾞﾙが一致します。").arg(Grouped(found)));
    ShowSelection();
}

void frmTableChooser::ShowSelection() {
    const QModelIndexList selected = m_lstTables->selectionModel()->selectedRows(kNameColumn);
    m_cmdOK->setEnabled(!selected.isEmpty());
    // The arrows move in the list while the focus stays in the search field:
    // a screen reader hears the table they reach as the field's description.
    QString heard = QStringLiteral("一致するﾃｰﾌﾞﾙはありません。");
    if (!selected.isEmpty()) {
        const QString rows = selected.front().siblingAtColumn(kRowsColumn).data().toString();
        heard = QStringLiteral("選択しているﾃｰﾌﾞﾙ: %1").arg(selected.front().data().toString());
        if (!rows.isEmpty())
            heard += QStringLiteral(" (%1 行)").arg(rows);
    }
    m_txtSearch->setAccessibleDescription(heard);
}

void frmTableChooser::ShowListFocus(bool focused) {
    QPalette colours = palette();
    if (!focused) {
        colours.setColor(QPalette::Highlight, colours.color(QPalette::Midlight));
        colours.setColor(QPalette::HighlightedText, colours.color(QPalette::Text));
    }
    m_lstTables->setPalette(colours);
}

bool frmTableChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lstTables && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        ShowListFocus(event->type() == QEvent::FocusIn);
    // The search field passes the keys that move in the list on to the list.
    if (watched == m_txtSearch && event->type() == QEvent::KeyPress &&
        MovesInTheList(*static_cast<QKeyEvent*>(event))) {
        QCoreApplication::sendEvent(m_lstTables, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace quorvel
