// The window driven as a person drives it, scenario by scenario: rows of
// tests/cases/window_*.json and the whole-table cases of shared_cases.json.
//
// A scenario may preset "settings" (store key -> text) and lists "steps", each
// an array: an action on controls by objectName, or an expectation.
//   ["focus", name]  ["type", text]  ["key", "F5" | "Tab" | "Ctrl+V" ...]
//   ["paste", text] (clipboard holds text, then Ctrl+V)  ["click", name]
//   ["tab", n] (a click on the tab)  ["menu", item]  ["toolbar", key]
//   ["write", name, text] (the program writes it)  ["move", x, y]  ["minimize"]
//   ["close"]; a scenario's "helpFailure" is what the help service answers
//   ["expect", name, property, value]: property text, selected, state
//     (active | dimmed | grey: enabled, and the text's colour as painted),
//     painted (#rrggbb), enabled, checked, limit, tooltip, visible, or any
//     other Qt property (title, shortcut ...), items of a menu ("|" between,
//     "-" a separator); name "window" with tab, tabs
//     (the captions, "|" between), focus, status, cursor, title
//   ["messages" | "started" | "help" | "dialogs", [...]]: everything so far
//   ["during", [...]]: the status text while each message so far was up
//   ["clipboard", text]  ["settings", {key: text}]: the whole store
//   ["heard", name, text]: what a screen reader reads for the control
//   ["announced", ["name=value", ...]]: the values announced so far
// Files, in a folder of the scenario's own ("{dir}" in any text, "{home}" the user's):
//   ["file", name, text | [lines], encoding] writes a file (UTF-8 unless named), ["grow", name, bytes] makes
//   it that large (of NULs)  ["saved", name, text | [lines]] expects one; ["answer", "file" | "table" |
//   "save" | "restore", value]: what the next file dialog (a path, "" cancels), the chooser (an index, null
//   cancels), the question about changes (Save, Discard, Cancel) or the
//   offer to restore (true, false) answers; ["questions", [...]]: every
//   question so far (WindowFixture.h); ["drop", path]; ["readonly"] makes the
//   folder unwritable; ["fulldisk"] lets no file grow past 16 bytes for the
//   next step; ["terminate"] (SIGTERM), ["logout"], ["restart", file]: a new
//   window over the same services, as the program starts with file or "";
//   "window" properties modified and title (as shown, "*" for "[*]")

#include "Encoded.h"
#include "WindowFixture.h"
#include "workspace/AccessibleControls.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTabBar>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

namespace quorvel::testing {
namespace {

using nlohmann::json;

std::vector<CaseRow> Scenarios() {
    std::vector<CaseRow> all;
    for (const QString& file : QDir(QUORVEL_TEST_CASES).entryList({"window_*.json"}))
        for (CaseRow& row : LoadRows(file.toStdString(), "scenarios"))
            all.push_back(std::move(row));
    return all;
}

// A shared case as a scenario: options clicked, texts written, F5, every cell.
std::vector<CaseRow> SharedCases() {
    std::vector<CaseRow> all;
    for (const CaseRow& row : LoadRows("shared_cases.json", "cases")) {
        const json& c = row.data;
        json steps =
            json::array({{"click", "optData(" + std::to_string(c.at("optData").get<int>()) + ")"},
                         {"click", "optClaster(" + std::to_string(c.at("optClaster").get<int>()) + ")"}});
        for (const int option : c.at("optNonClaster"))
            steps.push_back({"click", "optNonClaster(" + std::to_string(option) + ")"});
        for (const char* array : {"txtData", "txtData2", "txtFillFactor", "txtData1"})
            for (std::size_t i = 0; i < c.at(array).size(); ++i)
                steps.push_back({"write",
                                 std::string(array) + '(' + std::to_string(array[7] == '1' ? 3 * i : i) + ')',
                                 c.at(array)[i]});
        steps.push_back({"key", "F5"});
        const std::string message = c.at("message");
        const bool failed = message.find("計算中") != std::string::npos;
        steps.push_back(
            {"messages",
             message.empty()
                 ? json::array()
                 : json::array({(failed ? "Critical|Quorvel|" : "Exclamation|Quorvel|") + message})});
        for (const char* array : {"lblData", "lblLevel", "lblTotal"})
            for (std::size_t i = 0; i < c.at(array).size(); ++i)
                steps.push_back(
                    {"expect", std::string(array) + '(' + std::to_string(i) + ')', "text", c.at(array)[i]});
        all.push_back({"Shared_" + row.name, {{"steps", steps}}});
    }
    return all;
}

// What the user sees of a field: whether it takes input, and the colour its
// text is painted in, against the colours the platform's palette gives
// (window text for an active field, disabled text for a dimmed one) or the
// fixed grey some dimmed fields start with.
QString FieldState(InputTextBox& field) {
    const QPalette platform = QApplication::palette();
    const bool enabled = field.OwnEnabled();
    const QColor painted = PaintedTextColour(field);
    if (enabled && painted == platform.color(QPalette::Active, QPalette::WindowText))
        return "active";
    if (!enabled && painted == platform.color(QPalette::Disabled, QPalette::Text))
        return "dimmed";
    if (!enabled && painted == QColor(192, 192, 192))
        return "grey";
    return QString("enabled=%1 painted %2").arg(enabled).arg(painted.name());
}

class Scenario : public WindowTest, public ::testing::WithParamInterface<CaseRow> {
protected:
    QObject* Find(const QString& name) {
        QObject* found = m_window->findChild<QObject*>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }

    // The tab that carries a control, shown first as a person would.
    void ShowTabOf(QWidget* control) {
        for (int t = 0; t < C().tabMain->count(); ++t)
            if (C().tabMain->widget(t)->isAncestorOf(control))
                C().tabMain->setCurrentIndex(t);
    }

    QString Property(const QString& name, const QString& property) {
        if (name == "window") {
            if (property == "tab")
                return QString::number(C().tabMain->currentIndex());
            if (property == "focus")
                return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            if (property == "status")
                return C().sbStatusBarPanel1->text();
            if (property == "cursor")
                return QString::number(m_window->cursor().shape());
            if (property == "visible")
                return m_window->isVisible() ? "true" : "false";
            if (property == "title")
                return m_window->windowTitle().replace("[*]", m_window->isWindowModified() ? "*" : "");
            if (property == "modified")
                return m_window->isWindowModified() ? "true" : "false";
            if (property == "tabs") {
                QStringList captions;
                for (int t = 0; t < C().tabMain->count(); ++t)
                    captions << C().tabMain->tabText(t);
                return captions.join('|');
            }
        }
        QObject* object = Find(name);
        if (auto* widget = qobject_cast<QWidget*>(object); widget && property == "painted")
            return PaintedTextColour(*widget).name();
        auto* field = qobject_cast<InputTextBox*>(object);
        if (field && property == "state")
            return FieldState(*field);
        if (field && property == "selected")
            return field->selectedText();
        if (field && property == "limit")
            return QString::number(field->LengthLimit());
        if (field && property == "enabled")
            return field->OwnEnabled() ? "true" : "false";
        if (auto* menu = qobject_cast<QMenu*>(object); menu && property == "items") {
            QStringList items; // a separator is "-"
            for (const QAction* item : menu->actions())
                items << (item->isSeparator() ? QStringLiteral("-") : item->text());
            return items.join('|');
        }
        if (property == "checked" && qobject_cast<QAction*>(object))
            return static_cast<QAction*>(object)->isChecked() ? "true" : "false";
        const QByteArray qtName = property == "tooltip" ? QByteArray("toolTip") : property.toLatin1();
        const QVariant value = object ? object->property(qtName.constData()) : QVariant();
        EXPECT_TRUE(value.isValid()) << name.toStdString() << " has no " << property.toStdString();
        return value.typeId() == QMetaType::Bool ? (value.toBool() ? "true" : "false") : value.toString();
    }

    void Key(const QString& sequence) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get();
        if (QWidget* menu = QApplication::activePopupWidget())
            target = menu;
        PressKey(target, sequence);
    }

    // A text of a step with "{dir}" for the scenario's folder; lines joined, each ended.
    QString Text(const json& text) {
        QString joined = text.is_array() ? Strings(text).join('\n') + '\n' : Q(text);
        return joined.replace("{dir}", m_dir.path()).replace("{home}", QDir::homePath());
    }

    bool FileStep(const std::string& verb, const json& step) {
        if (verb == "file") {
            QFile file(m_dir.filePath(Q(step[1])));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            const std::string text = Text(step[2]).toStdString();
            file.write(QByteArray::fromStdString(step.size() > 3 ? testing::Encoded(text, step[3]) : text));
        } else if (verb == "grow") {
            EXPECT_TRUE(QFile::resize(m_dir.filePath(Q(step[1])), step[2].get<qint64>()));
        } else if (verb == "saved") {
            QFile file(m_dir.filePath(Q(step[1])));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << step[1];
            EXPECT_EQ(QString::fromUtf8(file.readAll()), Text(step[2]));
        } else if (verb == "answer") {
            const std::string kind = step[1];
            if (kind == "file")
                m_fakes.filesChosen << Text(step[2]);
            else if (kind == "table")
                m_fakes.tableChoice = step[2].is_null() ? std::nullopt : std::optional(step[2].get<int>());
            else if (kind == "restore")
                m_fakes.restoreAnswer = step[2].get<bool>();
            else
                m_fakes.saveAnswer = step[2] == "Save"      ? SaveChangesAnswer::Save
                                     : step[2] == "Discard" ? SaveChangesAnswer::Discard
                                                            : SaveChangesAnswer::Cancel;
        } else if (verb == "drop") {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(Text(step[1]))});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(m_window.get(), &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            if (enter.isAccepted())
                QApplication::sendEvent(m_window.get(), &drop);
        } else if (verb == "readonly") {
            // Root writes anywhere: the folder is then written as nobody.
            QFile::setPermissions(m_dir.path(),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
            m_nobody = ::geteuid() == 0 && ::seteuid(65534) == 0;
        } else if (verb == "fulldisk") {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit small{16, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &small);
            m_fullDisk = true;
        } else if (verb == "terminate") {
            m_window->EndSession();
        } else if (verb == "logout") {
            m_window->KeepForLogOut();
        } else if (verb == "restart") {
            m_window.reset();
            Open();
            m_window->StartWith(Text(step[1]));
        } else {
            return false;
        }
        return true;
    }

    // The folder writable and files of any size again after each step.
    void Restore() {
        if (m_nobody)
            m_nobody = ::seteuid(0) != 0;
        if (m_fullDisk) {
            const rlimit any{RLIM_INFINITY, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &any);
            m_fullDisk = false;
        }
    }

    void Act(const json& step) {
        const std::string verb = step.at(0);
        const QString arg = step.size() > 1 && step[1].is_string() ? Q(step[1]) : QString();
        if (FileStep(verb, step)) {
        } else if (verb == "focus") {
            auto* control = qobject_cast<QWidget*>(Find(arg));
            ShowTabOf(control);
            control->setFocus(Qt::TabFocusReason);
        } else if (verb == "type") {
            TypeText(QApplication::focusWidget(), arg);
        } else if (verb == "key") {
            Key(arg);
        } else if (verb == "paste") {
            m_fakes.clipboard = arg;
            Key("Ctrl+V");
        } else if (verb == "click") {
            auto* button = qobject_cast<QAbstractButton*>(Find(arg));
            ShowTabOf(button);
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (verb == "tab") {
            QTabBar* bar = C().tabMain->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(step[1].get<int>()).center());
        } else if (verb == "menu") {
            qobject_cast<QAction*>(Find(arg))->trigger();
        } else if (verb == "toolbar") {
            if (QAction* button = C().ToolbarButton(arg))
                button->trigger();
            else
                m_window->tbToolBar_ButtonClick(arg); // a key no button has
        } else if (verb == "write") {
            qobject_cast<InputTextBox*>(Find(arg))->SetText(Q(step[2]));
        } else if (verb == "move") {
            m_window->move(step[1].get<int>(), step[2].get<int>());
        } else if (verb == "minimize") {
            m_window->showMinimized();
        } else if (verb == "close") {
            m_window->close();
        } else {
            ADD_FAILURE() << "unknown step " << step.dump();
        }
        QApplication::processEvents();
    }

    void Check(const json& step) {
        const std::string verb = step.at(0);
        const auto list = [this, &step](const QStringList& seen) {
            QStringList expected;
            for (const json& text : step[1])
                expected << Text(text);
            EXPECT_EQ(seen, expected);
        };
        if (verb == "expect")
            EXPECT_EQ(Property(Q(step[1]), Q(step[2])), Q(step[3])) << step[1] << ' ' << step[2];
        else if (verb == "messages")
            list(m_fakes.messages);
        else if (verb == "started")
            list(m_fakes.started);
        else if (verb == "help")
            list(m_fakes.help);
        else if (verb == "questions")
            list(m_fakes.questions);
        else if (verb == "dialogs")
            list(m_dialogs);
        else if (verb == "during")
            list(m_fakes.statusDuringMessages);
        else if (verb == "heard")
            EXPECT_EQ(QAccessible::queryAccessibleInterface(Find(Q(step[1])))->text(QAccessible::Name),
                      Q(step[2]));
        else if (verb == "announced")
            list(m_announced);
        else if (verb == "clipboard")
            EXPECT_EQ(m_fakes.clipboard, Q(step[1]));
        else if (verb == "settings") {
            std::map<QString, QString> expected;
            for (const auto& [key, text] : step[1].items())
                expected["Mivrel/" + QString::fromStdString(key)] = Q(text);
            EXPECT_EQ(m_fakes.settings, expected);
        } else
            Act(step);
    }

    QStringList m_dialogs; // modal windows that opened, closed at once
    QStringList m_announced;
    QTemporaryDir m_dir;
    bool m_nobody = false;
    bool m_fullDisk = false;
};

// Any modal window an action opens is noted and closed, so no test can hang.
TEST_P(Scenario, Runs) {
    if (GetParam().data.contains("helpFailure"))
        m_fakes.helpFailure = Q(GetParam().data.at("helpFailure"));
    if (GetParam().data.contains("settings"))
        for (const auto& [key, text] : GetParam().data.at("settings").items())
            m_fakes.settings["Mivrel/" + QString::fromStdString(key)] = Q(text);
    Open();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            m_dialogs << modal->objectName();
            modal->close();
        }
    });
    watchdog.start(5);
    ListenToAnnouncements([this](const QLabel& shown, const QVariant& value) {
        m_announced << shown.objectName() + '=' + value.toString();
    });
    const std::unique_ptr<void, void (*)(void*)> unlisten(this,
                                                          [](void*) { ListenToAnnouncements(nullptr); });
    for (const json& step : GetParam().data.at("steps")) {
        SCOPED_TRACE(step.dump());
        const bool once = step.at(0) == "readonly" || step.at(0) == "fulldisk";
        Check(step);
        if (!once)
            Restore();
        if (::testing::Test::HasFatalFailure())
            return;
    }
    Restore();
}

INSTANTIATE_TEST_SUITE_P(Window, Scenario, ::testing::ValuesIn(Scenarios()), RowName());
INSTANTIATE_TEST_SUITE_P(Cases, Scenario, ::testing::ValuesIn(SharedCases()), RowName());

} // namespace
} // namespace quorvel::testing
