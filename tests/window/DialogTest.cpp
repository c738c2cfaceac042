// The table chooser, the question about unsaved changes, the offer to
// restore them and the file dialogs, driven as a person drives them: each row
// opens the real dialog through its service (QtTableChooser, QtMessageBox,
// QtFileDialogs), modal, and from inside it types, presses keys and clicks.
// The message boxes and file dialogs are the running program's own, as
// DefaultServices hands them out. Rows live in tests/cases/dialog_cases.json;
// "{dir}" in a text is a folder of the row's own.
//
//   ["type", text] ["key", "Down" | "Alt+S" ...]: to the focused control
//   ["click", row] ["doubleclick", row]: a row of the chooser's list as shown;
//   ["click", name]: a button by its name
//   ["close"]: the window's close box  ["focus", name]: a control, as a click into it
//   ["next"]: the steps after it go to the dialog that opens next
//   ["expect", what, value]: what the dialog shows (see Shown), or "heard":
//     its accessible tree as a screen reader reads it, one line per object
//   ["expect", "heard_as", control, name]: the name a screen reader reads
//   "answer": what the service returns, or "open" when the steps leave the
//   dialog open (the runner then closes it)

#include "WindowFixture.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBox.h"
#include "shell/HelpViewerHost.h"
#include "shell/QtTableChooser.h"
#include "shell/frmAbout.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

namespace quorvel::testing {
namespace {

using nlohmann::json;

// Each object on one line, indented by its depth: role, name, and what else
// a screen reader says of it. Objects not shown are left out.
void Heard(QAccessibleInterface* object, int depth, QStringList& lines) {
    const QAccessible::State state = object->state();
    if (state.invisible)
        return;
    QString line = QString(depth * 2, ' ') +
                   QMetaEnum::fromType<QAccessible::Role>().valueToKey(object->role()) + " \"" +
                   object->text(QAccessible::Name) + '"';
    const QString value = object->text(QAccessible::Value);
    if (!value.isEmpty() && value != object->text(QAccessible::Name))
        line += " value \"" + value + '"';
    if (const QString description = object->text(QAccessible::Description); !description.isEmpty())
        line += " description \"" + description + '"';
    if (state.focused)
        line += " focused";
    if (state.selected)
        line += " selected";
    if (object->role() == QAccessible::Grip) // the size grip says nothing
        return;
    lines << line;
    for (int i = 0; i < object->childCount(); ++i)
        Heard(object->child(i), depth + 1, lines);
}

class Dialog : public ::testing::TestWithParam<CaseRow> {
protected:
    // Runs the row's steps inside the modal dialog that ask() opens, then
    // returns what ask() answered.
    template <typename Ask> auto Run(Ask ask) {
        const json& row = GetParam().data;
        m_next.setSingleShot(true);
        m_next.callOnTimeout([this, &row] { Steps(row); });
        m_next.start(0);
        const auto answer = ask();
        EXPECT_EQ(m_shown, row.value("shown", true));
        return answer;
    }

    // A text of a row with "{dir}" for the row's folder.
    QString Text(const json& text) const { return Q(text).replace("{dir}", m_dir.path()); }

    void Steps(const json& row) {
        QPointer<QWidget> dialog = QApplication::activeModalWidget();
        if (m_step > 0 && (dialog == nullptr || dialog == m_dialog)) { // the next dialog is not up yet
            m_next.start(10);
            return;
        }
        m_shown = true;
        ASSERT_NE(dialog, nullptr);
        // Whatever fails on the way, no dialog is left open to hang the test.
        const auto closing = qScopeGuard([&dialog] {
            if (dialog && dialog->isVisible())
                dialog->close();
        });
        QApplication::setActiveWindow(dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        m_dialog = dialog;
        const json& steps = row.at("steps");
        bool next = false;
        for (; m_step < steps.size() && !next; ++m_step) {
            const json& step = steps[m_step];
            SCOPED_TRACE(step.dump());
            next = step.at(0) == "next";
            if (!next)
                Step(step);
            if (::testing::Test::HasFatalFailure())
                break;
        }
        if (next)
            m_next.start(10);
        const bool open = !next && row.at("answer") == "open";
        // An access key presses its button a moment later, as a click looks.
        const bool closed = !open && QTest::qWaitFor([&dialog] { return !dialog || !dialog->isVisible(); });
        EXPECT_EQ(!closed, open);
    }

    void Step(const json& step) {
        const std::string verb = step.at(0);
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : m_dialog.data();
        if (verb == "type") {
            TypeText(focus, Text(step[1]));
        } else if (verb == "key") {
            PressKey(focus, Q(step[1]));
        } else if (verb == "click" && step[1].is_string()) {
            auto* button = m_dialog->findChild<QAbstractButton*>(Q(step[1]));
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (verb == "click" || verb == "doubleclick") {
            auto* list = m_dialog->findChild<QTreeView*>("lstTables");
            ASSERT_NE(list, nullptr);
            const QPoint place = list->visualRect(list->model()->index(step[1].get<int>(), 0)).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place);
            if (verb == "doubleclick")
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place);
        } else if (verb == "focus") { // a control by its name, as a click into it
            auto* child = m_dialog->findChild<QWidget*>(Q(step[1]));
            ASSERT_NE(child, nullptr);
            child->setFocus(Qt::MouseFocusReason);
        } else if (verb == "close") {
            m_dialog->close();
        } else if (verb == "expect" && step[1] == "heard_as") {
            auto* child = m_dialog->findChild<QWidget*>(Q(step[2]));
            ASSERT_NE(child, nullptr);
            EXPECT_EQ(QAccessible::queryAccessibleInterface(child)->text(QAccessible::Name), Q(step[3]));
        } else if (verb == "expect" && step[1] == "heard") {
            QStringList heard;
            Heard(QAccessible::queryAccessibleInterface(m_dialog), 0, heard);
            EXPECT_EQ(heard, Strings(step[2]));
        } else if (verb == "expect") {
            EXPECT_EQ(Shown(Q(step[1])), step[2]) << step[1];
        } else {
            ADD_FAILURE() << "unknown step " << step.dump();
        }
        QApplication::processEvents();
    }

    json Shown(const QString& what) {
        if (what == "title")
            return m_dialog->windowTitle().toStdString();
        if (auto* files = qobject_cast<QFileDialog*>(m_dialog.data()); files && what == "filters")
            return files->nameFilters().join('|').toStdString();
        if (auto* files = qobject_cast<QFileDialog*>(m_dialog.data()); files && what == "labels") {
            QStringList labels;
            for (const auto label : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType,
                                     QFileDialog::Accept, QFileDialog::Reject})
                labels << files->labelText(label);
            return labels.join('|').toStdString();
        }
        if (what == "font")
            return QString("%1 %2")
                .arg(m_dialog->font().family())
                .arg(m_dialog->font().pointSizeF())
                .toStdString();
        if (what == "object") // the name the program gives the dialog
            return m_dialog->objectName().toStdString();
        if (what == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "";
        if (auto* box = qobject_cast<QMessageBox*>(m_dialog.data())) {
            if (what == "text")
                return box->text().toStdString();
            if (what == "informative")
                return box->informativeText().toStdString();
            if (what == "default") // the button Enter presses, whatever order the desktop lays buttons in
                return box->defaultButton() ? box->defaultButton()->text().toStdString() : "";
            if (what == "as written") // the text is never taken for markup
                return box->textFormat() == Qt::PlainText;
            if (what == "icon")
                return box->icon() == QMessageBox::Critical  ? "critical"
                       : box->icon() == QMessageBox::Warning ? "exclamation"
                                                             : "other";
            QList<QAbstractButton*> buttons = box->buttons(); // from left to right
            std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
            json texts = json::array();
            for (QAbstractButton* button : buttons)
                texts.push_back(button->text().toStdString());
            return texts;
        }
        if (what == "described") // what a screen reader tells of the search field besides its name
            return QAccessible::queryAccessibleInterface(m_dialog->findChild<QLineEdit*>("txtSearch"))
                ->text(QAccessible::Description)
                .toStdString();
        if (what == "prompt" || what == "matches") {
            const auto* label = m_dialog->findChild<QLabel*>(what == "prompt" ? "lblPrompt" : "lblMatches");
            return label ? label->text().toStdString() : "<none>";
        }
        if (what == "ok")
            return m_dialog->findChild<QAbstractButton*>("cmdOK")->isEnabled();
        auto* list = m_dialog->findChild<QTreeView*>("lstTables");
        if (!list) // any other property of the dialog, as Qt names it (fileMode ...)
            return m_dialog->property(what.toUtf8()).toString().toStdString();
        if (what == "rows column") // as wide as its widest figure: only the names take the room left
            return list->header()->sectionResizeMode(1) == QHeaderView::ResizeToContents &&
                           !list->header()->stretchLastSection()
                       ? "fits"
                       : "stretches";
        if (what == "selection") { // as painted: the highlight colour, or grey while the list has no focus
            const QRect row = list->visualRect(list->selectionModel()->selectedRows().value(0));
            const QColor painted = list->viewport()->grab().toImage().pixelColor(row.center());
            return painted.hsvSaturation() > 64 ? "highlight" : "grey";
        }
        if (what == "selected") {
            const QModelIndexList rows = list->selectionModel()->selectedRows();
            return rows.isEmpty() ? "" : rows.front().data().toString().toStdString();
        }
        json column = json::array();
        for (int row = 0; row < list->model()->rowCount(); ++row)
            column.push_back(
                list->model()->index(row, what == "list" ? 0 : 1).data().toString().toStdString());
        return column;
    }

    bool m_shown = false;
    QPointer<QWidget> m_dialog;
    QTimer m_next;          // starts the steps in the dialog that is up
    std::size_t m_step = 0; // the next step to take
    QTemporaryDir m_dir;
};

std::vector<TableListing> Tables(const std::string& list) {
    std::vector<TableListing> tables;
    if (list.starts_with("generate ")) {
        const int count = std::stoi(list.substr(9));
        for (int i = 1; i <= count; ++i)
            tables.push_back(
                {QStringLiteral("T%1").arg(i, 5, 10, QLatin1Char('0')), i * std::int64_t{10000}});
        return tables;
    }
    std::ifstream in(std::string(QUORVEL_TEST_CASES) + "/dialog_cases.json");
    const json lists = json::parse(in).at("table_lists");
    for (const json& table : lists.at(list)) {
        const json& rows = table.at("rows");
        tables.push_back(
            {Q(table.at("name")), rows.is_null() ? std::nullopt : std::optional(rows.get<std::int64_t>())});
    }
    return tables;
}

// The services of the running program, every one of them set, the two the
// shell makes being the ones it handed in; the clipboard the system's own.
const PlatformServices& Real() {
    static HelpViewerHost help;
    static QtTableChooser chooser;
    static const PlatformServices services = DefaultServices(help, chooser);
    return services;
}

TEST(DefaultServices, SetsEveryServiceWithTheShellsOwnWindows) {
    const PlatformServices& services = Real();
    EXPECT_NE(dynamic_cast<QtMessageBox*>(services.messageBox), nullptr);
    services.clipboard->SetText("1,962");
    EXPECT_EQ(services.clipboard->Text(), "1,962");
    services.clipboard->Clear();
    EXPECT_EQ(services.clipboard->Text(), "");
    EXPECT_NE(services.programs, nullptr);
    EXPECT_NE(dynamic_cast<HelpViewerHost*>(services.help), nullptr);
    EXPECT_NE(services.systemInformation, nullptr);
    EXPECT_NE(services.settings, nullptr);
    EXPECT_NE(dynamic_cast<QtTableChooser*>(services.tableChooser), nullptr);
    EXPECT_NE(dynamic_cast<QtFileDialogs*>(services.fileDialogs), nullptr);
}

class TableChooser : public Dialog {};
TEST_P(TableChooser, Chooses) {
    const json& row = GetParam().data;
    QtTableChooser chooser;
    const std::vector<TableListing> tables = Tables(row.at("tables"));
    const std::optional<int> chosen =
        Run([&] { return chooser.ChooseTable(nullptr, Q(row.at("file")), tables); });
    const json& answer = row.at("answer");
    EXPECT_EQ(chosen, answer.is_number() ? std::optional(answer.get<int>()) : std::nullopt);
}
INSTANTIATE_TEST_SUITE_P(Rows, TableChooser,
                         ::testing::ValuesIn(LoadRows("dialog_cases.json", "table_chooser")), RowName());

class SaveQuestion : public Dialog {};
TEST_P(SaveQuestion, Answers) {
    const json& row = GetParam().data;
    MessageBoxService& boxes = *Real().messageBox;
    const SaveChangesAnswer answer =
        Run([&] { return boxes.AskSaveChanges(nullptr, Q(row.at("document"))); });
    const json& expected = row.at("answer");
    EXPECT_EQ(answer, expected == "Save"      ? SaveChangesAnswer::Save
                      : expected == "Discard" ? SaveChangesAnswer::Discard
                                              : SaveChangesAnswer::Cancel);
}
// The message box of every refusal, failure and note: its text, its icon,
// the application's title and one OK button; Enter, Esc and the close box close it.
class MessageBox : public Dialog {};
TEST_P(MessageBox, ShowsItsTextUntilClosed) {
    const json& row = GetParam().data;
    MessageBoxService& boxes = *Real().messageBox;
    Run([&] {
        boxes.Show(nullptr, Q(row.at("text")),
                   row.at("icon") == "critical" ? MessageIcon::Critical : MessageIcon::Exclamation,
                   Q(row.at("title")));
        return 0;
    });
}
INSTANTIATE_TEST_SUITE_P(Rows, MessageBox, ::testing::ValuesIn(LoadRows("dialog_cases.json", "message_box")),
                         RowName());

INSTANTIATE_TEST_SUITE_P(Rows, SaveQuestion,
                         ::testing::ValuesIn(LoadRows("dialog_cases.json", "save_question")), RowName());

class RestoreQuestion : public Dialog {};
TEST_P(RestoreQuestion, Answers) {
    const json& row = GetParam().data;
    MessageBoxService& boxes = *Real().messageBox;
    EXPECT_EQ(Run([&] { return boxes.AskRestore(nullptr, Q(row.at("document"))); }),
              row.at("answer") == "Restore");
}
// The file dialogs of the running program: the path each gives back (with
// the ending its file type gives a name without one), and a question before
// a file is replaced.
class FileDialog : public Dialog {};
TEST_P(FileDialog, GivesThePathChosen) {
    const json& row = GetParam().data;
    for (const json& name : row.value("files", json::array()))
        QFile(Text(name)).open(QIODevice::WriteOnly);
    FileDialogService& dialogs = *Real().fileDialogs;
    const std::string kind = row.at("dialog");
    const QString start = Text(row.at("start"));
    const QString path = Run([&] {
        return kind == "open"   ? dialogs.OpenFileName(nullptr, start)
               : kind == "save" ? dialogs.SaveFileName(nullptr, start)
                                : dialogs.ExportFileName(nullptr, start);
    });
    EXPECT_EQ(path, Text(row.at("answer")));
}
INSTANTIATE_TEST_SUITE_P(Rows, FileDialog, ::testing::ValuesIn(LoadRows("dialog_cases.json", "file_dialogs")),
                         RowName());

// The About box closes by OK, Enter wherever the focus stands and Esc, and
// by the system information button once the program it names has started
// ("program", "starts"); what it started is "started".
class AboutBoxCloses : public Dialog {};
TEST_P(AboutBoxCloses, ByOkEnterOrEsc) {
    const json& row = GetParam().data;
    Fakes fakes;
    if (row.contains("program"))
        fakes.registry[SystemInformationLocator::Location::MsinfoPath] = Q(row.at("program"));
    fakes.startSucceeds = row.value("starts", true);
    frmAbout box(fakes.Services());
    box.Form_Load();
    const int result = Run([&box] { return box.exec(); });
    if (row.at("answer").is_number()) {
        EXPECT_EQ(result, row.at("answer").get<int>());
    }
    EXPECT_EQ(fakes.started, Strings(row.value("started", json::array())));
    EXPECT_TRUE(fakes.messages.isEmpty());
}
INSTANTIATE_TEST_SUITE_P(Rows, AboutBoxCloses,
                         ::testing::ValuesIn(LoadRows("dialog_cases.json", "about_box")), RowName());

INSTANTIATE_TEST_SUITE_P(Rows, RestoreQuestion,
                         ::testing::ValuesIn(LoadRows("dialog_cases.json", "restore_question")), RowName());

} // namespace
} // namespace quorvel::testing
