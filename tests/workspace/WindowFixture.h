#pragma once
// One fresh main window per test, shown and active, with a fake clipboard and a
// message box that records instead of opening (nothing modal can hang a test).

#include "frmMain.h"

#include <QApplication>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace quorvel::testing {

class FakeClipboard final : public ClipboardService {
public:
    void Clear() override { text.clear(); }
    QString Text() const override { return text; }
    void SetText(const QString& value) override { text = value; }
    QString text;
};

class RecordingMessageBox final : public MessageBoxService {
public:
    void Show(QWidget*, const QString& text, MessageIcon, const QString&) override { shown.push_back(text); }
    std::vector<QString> shown;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        PlatformServices services;
        services.messageBox = &m_messageBox;
        services.clipboard = &m_clipboard;
        m_window = std::make_unique<frmMain>(services);
    }

    // The window as the user meets it: loaded, shown and active.
    void ShowLoaded() {
        m_window->Form_Load();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    ControlInventory& C() { return m_window->Controls(); }

    // A control by its objectName, e.g. "txtData(3)".
    template <typename T = QWidget>
    T* Find(const QString& name) {
        return m_window->findChild<T*>(name);
    }

    InputTextBox* Field(const QString& name) { return Find<InputTextBox>(name); }

    // Shows the tab that carries the field, then gives it the focus as a user would.
    void FocusField(InputTextBox* field, int tab) {
        C().tabMain->setCurrentIndex(tab);
        field->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    // Moves the focus away from the current field onto the tab strip.
    void LeaveField() {
        C().tabMain->tabBar()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    FakeClipboard m_clipboard;
    RecordingMessageBox m_messageBox;
    std::unique_ptr<frmMain> m_window;
};

// Tab that shows a field of the given array and index.
inline int TabOf(const QString& array, int index) {
    if (array == QLatin1String("txtData"))
        return index <= 4 ? 0 : 1;
    if (array == QLatin1String("txtFillFactor"))
        return index + 1;
    return index / 3 + 2; // txtData1, txtData2
}

} // namespace quorvel::testing
