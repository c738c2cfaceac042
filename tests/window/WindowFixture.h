#pragma once
// One fixture and one set of fakes for every window test: a fresh main window
// per test over fakes of every platform service. The message box and its
// questions, the help, the table chooser, the program starter and the
// clipboard record what they are asked and answer as the test says; nothing
// modal opens and nothing outside is touched. Settings go to a memory store
// (the test program points QSettings at a temporary folder as well).

#include "CaseRows.h"
#include "platform/FileDialogService.h"
#include "platform/HelpService.h"
#include "platform/ProgramStarter.h"
#include "platform/SettingsStore.h"
#include "platform/SystemInformationLocator.h"
#include "platform/TableChooserService.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << '(' << point.x() << ", " << point.y() << ')';
}
QT_END_NAMESPACE

namespace quorvel::testing {

inline QString Q(const nlohmann::json& text) {
    return QString::fromStdString(text.get<std::string>());
}
inline QStringList Strings(const nlohmann::json& texts) {
    QStringList list;
    for (const nlohmann::json& text : texts)
        list << Q(text);
    return list;
}

struct Fakes : MessageBoxService, ClipboardService, ProgramStarter, HelpService, SettingsStore,
               TableChooserService, FileDialogService {
    // Message boxes as "Icon|title|text".
    void Show(QWidget*, const QString& text, MessageIcon icon, const QString& title) override {
        messages << (icon == MessageIcon::Critical ? "Critical|" : "Exclamation|") + title + '|' + text;
        if (status)
            statusDuringMessages << status->text();
    }
    // Every question in order: "save|document", "restore|document",
    // "table|file|name rows,name,...", "open|start", "save as|start", "export|start".
    SaveChangesAnswer AskSaveChanges(QWidget*, const QString& document) override {
        questions << "save|" + document;
        return saveAnswer;
    }
    bool AskRestore(QWidget*, const QString& document) override {
        questions << "restore|" + document;
        return restoreAnswer;
    }
    std::optional<int> ChooseTable(QWidget*, const QString& file, const std::vector<TableListing>& tables) override {
        QStringList names;
        for (const TableListing& table : tables)
            names << table.name + (table.rowCount ? ' ' + QString::number(*table.rowCount) : QString());
        questions << "table|" + file + '|' + names.join(',');
        return tableChoice;
    }
    QString OpenFileName(QWidget*, const QString& start) override { return File("open|" + start); }
    QString SaveFileName(QWidget*, const QString& start) override { return File("save as|" + start); }
    QString ExportFileName(QWidget*, const QString& start) override { return File("export|" + start); }
    QString File(const QString& question) {
        questions << question;
        return filesChosen.isEmpty() ? QString() : filesChosen.takeFirst();
    }
    void Clear() override { clipboard = "<cleared>"; }
    QString Text() const override { return clipboard; }
    void SetText(const QString& text) override { clipboard = text; }
    bool Start(const QString& command) override {
        started << command;
        return startSucceeds;
    }
    std::optional<QString> ShowContents(QWidget*, const QString& file) override {
        return Help("contents " + file);
    }
    std::optional<QString> SearchKeywords(QWidget*, const QString& file) override {
        return Help("search " + file);
    }
    std::optional<QString> Help(const QString& call) {
        help << call;
        return helpFailure;
    }
    QString GetSetting(const QString& app, const QString& section, const QString& key,
                       const QString& defaultValue) const override {
        const auto stored = settings.find(app + '/' + section + '/' + key);
        return stored == settings.end() ? defaultValue : stored->second;
    }
    void SaveSetting(const QString& app, const QString& section, const QString& key,
                     const QString& value) override {
        settings[app + '/' + section + '/' + key] = value;
    }
    void Flush() override { ++flushes; }
    // Not there yet, as on the first run: the program makes it when it first writes there.
    QString Folder() const override { return folder.filePath("settings"); }

    PlatformServices Services() { return {this, this, this, this, &locator, this, this, this}; }

    QStringList messages, started, help, questions;
    QStringList filesChosen; // the file dialogs' answers, in turn; "" once none is left
    bool restoreAnswer = false;
    QTemporaryDir folder;
    // What the status bar said while each message was up, when status is set.
    const QLabel* status = nullptr;
    QStringList statusDuringMessages;
    QString clipboard;
    bool startSucceeds = true;
    SaveChangesAnswer saveAnswer = SaveChangesAnswer::Cancel;
    std::optional<int> tableChoice;
    std::optional<QString> helpFailure;
    std::map<QString, QString> settings; // "Mivrel/Window/MainLeft" -> text
    int flushes = 0;
    // What the two registry locations hold, and which files exist.
    std::map<SystemInformationLocator::Location, RegistryValue> registry;
    std::set<QString> files;
    SystemInformationLocator locator{
        [this](SystemInformationLocator::Location at) -> std::optional<RegistryValue> {
            const auto value = registry.find(at);
            return value == registry.end() ? std::nullopt : std::optional(value->second);
        },
        [this](const QString& path) { return files.count(path) != 0; }};
};

// Keys as a person types them: each character of text, or the first key of a
// sequence such as "Ctrl+V", to the widget.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget,
                            c.unicode() < 0x80 ? QTest::asciiToKey(static_cast<char>(c.unicode())) : Qt::Key_unknown,
                            QString(c), Qt::NoModifier);
}
inline void PressKey(QWidget* widget, const QString& sequence) {
    const QKeyCombination key = QKeySequence(sequence)[0];
    QTest::keyClick(widget, key.key(), key.keyboardModifiers());
}

// The colour a control's text is painted in, read from the control as drawn.
// It is drawn once in a large bold face without smoothing and without its
// selection, so that the strokes show the colour itself, not its blends with
// the background; the colour is then the most common one inside the border after
// the background, the most common of all. Invalid when only a background shows.
inline QColor PaintedTextColour(QWidget& control) {
    auto* edit = qobject_cast<QLineEdit*>(&control);
    const int cursor = edit ? edit->cursorPosition() : 0;
    const int start = edit ? edit->selectionStart() : -1;
    const int length = edit ? edit->selectionLength() : 0;
    if (edit)
        edit->deselect();
    const QFont kept = control.font();
    QFont large = kept;
    large.setPixelSize(std::max(8, control.height() * 2 / 3));
    large.setBold(true);
    large.setStyleStrategy(QFont::NoAntialias);
    control.setFont(large);
    const QImage image = control.grab().toImage();
    control.setFont(kept);
    if (start >= 0)
        cursor == start ? edit->setSelection(start + length, -length) : edit->setSelection(start, length);
    std::map<QRgb, int> counts;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x)
            ++counts[image.pixel(x, y)];
    std::vector<std::pair<int, QRgb>> ranked;
    for (const auto& [colour, n] : counts)
        ranked.emplace_back(n, colour);
    std::sort(ranked.rbegin(), ranked.rend());
    return ranked.size() > 1 ? QColor(ranked[1].second) : QColor();
}

class WindowTest : public ::testing::Test {
protected:
    // The window as the user meets it: built, loaded, shown and active.
    void Open() {
        m_window = std::make_unique<frmMain>(m_fakes.Services());
        m_fakes.status = C().sbStatusBarPanel1;
        m_window->Form_Load();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
    ControlInventory& C() { return m_window->Controls(); }

    Fakes m_fakes;
    std::unique_ptr<frmMain> m_window;
};

} // namespace quorvel::testing
