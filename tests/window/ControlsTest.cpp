// What the mouse, the layout and the real services do that a scenario cannot say: a
// field's context menu and its middle button, where every control stands in
// its frame and which menu item each toolbar button stands for (rows in
// tests/cases/layout_cases.json), the clipboard and the
// message box of the running program, the About box's OK button, and what a
// screen reader may ask of a result cell.

#include "WindowFixture.h"
#include "platform/QtMessageBox.h"
#include "platform/Twips.h"
#include "resources/Icons.h"
#include "shell/HelpViewer.h"
#include "shell/frmAbout.h"
#include "shell/frmSplash.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolBar>

#include <QTimer>
#include <map>

namespace quorvel::testing {
namespace {

class Controls : public WindowTest {
protected:
    void SetUp() override { Open(); }
};

// The right button offers the Edit menu's three commands, which act on the field.
TEST_F(Controls, AFieldsContextMenuOffersCutCopyAndPaste) {
    InputTextBox* field = C().txtData[0];
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(field, "1234");
    field->selectAll();
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            offered << action->text() + (action->isEnabled() ? "" : " (dimmed)");
        menu->actions().at(1)->trigger();
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, field->rect().center(),
                            field->mapToGlobal(field->rect().center()));
    QApplication::sendEvent(field, &click);
    EXPECT_EQ(offered, QStringList({"切り取り(&T)", "ｺﾋﾟｰ(&C)", "貼り付け(&P)"}));
    EXPECT_EQ(m_fakes.clipboard, "1234");
    EXPECT_EQ(field->text(), "1234");
}

// The middle button would paste the selection past the field's limit and its key filter.
TEST_F(Controls, TheMiddleButtonPastesNothing) {
    InputTextBox* field = C().txtData[0];
    ASSERT_TRUE(field->isEnabled());
    QApplication::clipboard()->setText("abcdefghijk", QClipboard::Selection);
    field->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(field, Qt::MiddleButton);
    EXPECT_EQ(field->text(), "0");
}

// Under X11 the text selected in a field is the selection clipboard's once the
// left button is let go, as in any line edit. Only where there is a selection
// clipboard: tools/check-under-window-manager runs these two on its X server.
TEST_F(Controls, TheLeftButtonGivesTheSelectionToTheSelectionClipboard) {
    if (!QApplication::clipboard()->supportsSelection())
        GTEST_SKIP() << "no selection clipboard here";
    InputTextBox* field = C().txtData[0];
    QTest::keyClicks(field, "1234");
    QApplication::clipboard()->setText("x", QClipboard::Selection);
    field->selectAll();
    QTest::mouseRelease(field, Qt::LeftButton, {}, field->rect().center());
    EXPECT_EQ(QApplication::clipboard()->text(QClipboard::Selection), "1234");
}

// A result cell is read-only: a screen reader that sets its value changes nothing,
// and its range is the figure itself.
TEST_F(Controls, AResultCellKeepsItsFigureWhateverAReaderSets) {
    C().txtData[0]->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(C().txtData[0], "10000");
    m_window->RunCalc();
    QLabel* pages = C().lblTotal[2];
    QAccessibleValueInterface* value = QAccessible::queryAccessibleInterface(pages)->valueInterface();
    ASSERT_NE(value, nullptr);
    const QVariant shown = value->currentValue();
    EXPECT_GT(shown.toDouble(), 0.0);
    value->setCurrentValue(QVariant(5.0));
    EXPECT_EQ(value->currentValue(), shown);
    EXPECT_EQ(value->minimumValue(), shown);
    EXPECT_EQ(value->maximumValue(), shown);
    EXPECT_EQ(value->minimumStepSize(), QVariant(0.0));
    EXPECT_EQ(pages->text().remove(',').trimmed().toDouble(), shown.toDouble()) << "the figure as shown";
}

// The three windows the layout rows describe, each opened as the program opens it.
class Windows : public WindowTest {
protected:
    QWidget* Shown(const std::string& name) {
        if (name == "frmMain as built") { // before it is shown and its first field takes the focus
            m_window = std::make_unique<frmMain>(m_fakes.Services());
            return m_window.get();
        }
        QWidget* window = nullptr;
        if (name == "frmAbout") {
            m_about = std::make_unique<frmAbout>(m_fakes.Services());
            m_about->Form_Load();
            window = m_about.get();
        } else if (name == "HelpViewer") {
            m_help = std::make_unique<HelpViewer>();
            m_help->ShowContents(QString());
            window = m_help.get();
        } else if (name == "frmSplash") {
            m_splash = std::make_unique<frmSplash>();
            m_splash->Form_Load();
            window = m_splash.get();
        } else {
            Open();
            return m_window.get();
        }
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }
    std::unique_ptr<frmAbout> m_about;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<HelpViewer> m_help;
};

// Every control stands in its place within its frame or window, as the rows say.
class Geometry : public Windows, public ::testing::WithParamInterface<CaseRow> {};
TEST_P(Geometry, EveryControlStandsInItsPlace) {
    const nlohmann::json& row = GetParam().data;
    QWidget* window = Shown(row.value("window", "frmMain"));
    if (row.contains("client")) {
        EXPECT_EQ(window->size(), QSize(TwipsToPixels(row["client"][0].get<double>()),
                                        TwipsToPixels(row["client"][1].get<double>())));
    }
    if (row.contains("frame")) {
        const nlohmann::json& frame = row["frame"];
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_EQ(!flags.testFlag(Qt::FramelessWindowHint), frame.at("title").get<bool>()) << "title bar";
        EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), frame.at("minimise").get<bool>())
            << "minimise";
        EXPECT_EQ(flags.testFlag(Qt::WindowMaximizeButtonHint), frame.at("maximise").get<bool>())
            << "maximise";
        EXPECT_EQ(window->minimumSize() != window->maximumSize(), frame.at("resizable").get<bool>())
            << "resizable";
        if (frame.value("centred", false)) { // the frame, title bar included, in the middle of the screen
            QApplication::processEvents();
            const QPoint offset =
                window->frameGeometry().center() - window->screen()->availableGeometry().center();
            EXPECT_LE(offset.manhattanLength(), 1) << offset.x() << ", " << offset.y();
        }
    }
    for (const nlohmann::json& control : row.at("controls")) {
        const QString name = Q(control[0]);
        auto* widget = window->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        const QRect at = widget->geometry();
        const std::array<int, 4> shown{at.x(), at.y(), at.width(), at.height()};
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (!control[i + 1].is_null()) {
                EXPECT_EQ(shown[i], TwipsToPixels(control[i + 1].get<double>())) << name.toStdString() << " "
                                                                                 << "xywh"[i];
            }
        }
    }
}
INSTANTIATE_TEST_SUITE_P(Frames, Geometry, ::testing::ValuesIn(LoadRows("layout_cases.json", "frames")),
                         RowName());
INSTANTIATE_TEST_SUITE_P(Windows, Geometry, ::testing::ValuesIn(LoadRows("layout_cases.json", "windows")),
                         RowName());

// Each control writes in its face and size.
class Fonts : public Windows, public ::testing::WithParamInterface<CaseRow> {};
TEST_P(Fonts, EveryControlWritesInItsFace) {
    const nlohmann::json& row = GetParam().data;
    QWidget* window = Shown(row.at("window"));
    const std::map<std::string, QString> faces{{"ＭＳ ゴシック", "IPAGothic"},
                                               {"ＭＳ Ｐゴシック", "IPAPGothic"}};
    for (const nlohmann::json& control : row.at("controls")) {
        const QString name = Q(control[0]);
        QWidget* widget = name == window->objectName() ? window : window->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        const QFont font = widget->font();
        EXPECT_EQ(font.family(), faces.at(control[1])) << name.toStdString();
        EXPECT_DOUBLE_EQ(font.pointSizeF(), control[2].get<double>()) << name.toStdString();
        EXPECT_EQ(font.bold(), control[3].get<bool>()) << name.toStdString();
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, Fonts, ::testing::ValuesIn(LoadRows("layout_cases.json", "fonts")), RowName());

// What each control says, as the rows give it.
class Texts : public Windows, public ::testing::WithParamInterface<CaseRow> {};
TEST_P(Texts, EveryControlSaysItsText) {
    const nlohmann::json& row = GetParam().data;
    QWidget* window = Shown(row.at("window"));
    for (const nlohmann::json& control : row.at("controls")) {
        const QString name = Q(control[0]);
        QWidget* widget = name == window->objectName() ? window : window->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        const std::string property = control[1];
        const QString expected = Q(control[2]);
        if (property == "startsWith") {
            EXPECT_TRUE(widget->property("text").toString().startsWith(expected)) << name.toStdString();
        } else if (property == "icon") { // "program" or "second": a window's icon, or a label's picture
            const QPixmap held = qobject_cast<QLabel*>(widget) ? qobject_cast<QLabel*>(widget)->pixmap()
                                                               : widget->windowIcon().pixmap(32);
            const QIcon icon = expected == "program" ? ProgramIcon() : SecondProgramIcon();
            EXPECT_EQ(held.toImage(), icon.pixmap(QSize(32, 32), held.devicePixelRatio()).toImage())
                << name.toStdString();
        } else if (property == "limit") {
            EXPECT_EQ(qobject_cast<InputTextBox*>(widget)->LengthLimit(),
                      std::stoi(control[2].get<std::string>()))
                << name.toStdString();
        } else if (property == "pixmap") { // its size, in pixels at 96 dpi
            const QSize size = qobject_cast<QLabel*>(widget)->pixmap().deviceIndependentSize().toSize();
            EXPECT_EQ(QString("%1x%2").arg(size.width()).arg(size.height()), expected) << name.toStdString();
        } else if (const QVariant value = widget->property(property.c_str());
                   value.typeId() == QMetaType::QSize) {
            EXPECT_EQ(QString("%1x%2").arg(value.toSize().width()).arg(value.toSize().height()), expected)
                << property;
        } else {
            EXPECT_EQ(value.toString(), expected) << name.toStdString() << " " << property;
        }
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, Texts, ::testing::ValuesIn(LoadRows("layout_cases.json", "texts")), RowName());

// What every window must hold for its user to read it, whatever its controls:
// each text fits in its control, and no two controls side by side cover each
// other. Outline boxes and separator lines stand around and between other
// controls by design.
bool Readable(const QWidget* widget) {
    const QString name = widget->objectName();
    if (!widget->isVisibleTo(widget->window()) || name.startsWith("shpSquare") || name.startsWith("Line1"))
        return false;
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractButton*>(widget);
}

void ExpectTextsFitAndNothingOverlaps(QWidget* window) {
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!Readable(widget))
            continue;
        const std::string name =
            widget->objectName().toStdString() + " in " + window->objectName().toStdString();
        const QFontMetrics metrics(widget->font());
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
            const QRect room = label->contentsRect();
            const QString text = label->buddy() ? QString(label->text()).remove('&') : label->text();
            if (label->wordWrap()) {
                EXPECT_LE(
                    metrics.boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, text).height(),
                    room.height())
                    << name;
            } else {
                EXPECT_LE(metrics.horizontalAdvance(text), room.width())
                    << name << ": '" << text.toStdString() << "'";
            }
        }
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            EXPECT_LE(option->sizeHint().width(), option->width() + 1)
                << name; // the text itself fits with a pixel to spare
        }
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_LE(metrics.horizontalAdvance(button->text().remove('&')), button->width()) << name;
        }
        for (QWidget* other : widgets) {
            if (other != widget && other->parentWidget() == widget->parentWidget() && Readable(other) &&
                widget->objectName() < other->objectName()) {
                EXPECT_FALSE(widget->geometry().intersects(other->geometry()))
                    << name << " covers " << other->objectName().toStdString();
            }
        }
    }
}

// Each window as it shows, on each of its tabs.
TEST_F(Windows, EveryTextFitsAndNoControlCoversAnother) {
    for (const char* name : {"frmMain", "frmAbout", "frmSplash", "HelpViewer"}) {
        QWidget* window = Shown(name);
        ExpectTextsFitAndNothingOverlaps(window);
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
            for (int t = 0; t < tabs->count(); ++t) {
                tabs->setCurrentIndex(t);
                QApplication::processEvents();
                ExpectTextsFitAndNothingOverlaps(window);
            }
        }
    }
}

// Each outline box is drawn all round, but for its top edge behind the text of
// the option standing on it: the option reads as the box's caption.
TEST_F(Controls, EveryOutlineIsOpenOnlyBehindItsOption) {
    const QList<QFrame*> boxes = m_window->findChildren<QFrame*>(QRegularExpression("^shpSquare"));
    ASSERT_EQ(boxes.size(), 10);
    for (QFrame* box : boxes) {
        const std::string name = box->objectName().toStdString();
        QWidget* option = nullptr;
        for (auto* candidate : box->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (candidate->geometry().intersects(QRect(box->x(), box->y(), box->width(), 1)))
                option = candidate;
        ASSERT_NE(option, nullptr) << name << ": no option on its top edge";
        const QImage drawn = box->grab().toImage();
        const qreal ratio = drawn.devicePixelRatio();
        const auto at = [&](int x, int y) {
            return drawn.pixelColor(int(x * ratio), int(y * ratio)).name().toStdString();
        };
        const int right = box->width() - 1;
        const int bottom = box->height() - 1;
        const std::string line = at(0, bottom / 2);
        ASSERT_NE(line, at(box->width() / 2, bottom / 2)) << name << ": no left edge";
        const int gapMiddle = option->geometry().center().x() - box->x();
        EXPECT_NE(at(gapMiddle, 0), line) << name << ": the top edge behind the option";
        EXPECT_EQ(at(2, 0), line) << name << ": the top edge left of the option";
        EXPECT_EQ(at(right - 2, 0), line) << name << ": the top edge right of it";
        EXPECT_EQ(at(gapMiddle, bottom), line) << name << ": the bottom edge";
        EXPECT_EQ(at(right, bottom / 2), line) << name << ": the right edge";
    }
}

// The menu bar, the toolbar, the tabs and the status bar stand one below the other.
TEST_F(Controls, TheWindowsPartsStandOneBelowTheOther) {
    const std::array<QWidget*, 4> parts{m_window->menuBar(), C().tbToolBar, C().tabMain,
                                        m_window->statusBar()};
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const int aboveBottom = parts[i - 1]->mapTo(m_window.get(), QPoint(0, parts[i - 1]->height())).y();
        EXPECT_LE(aboveBottom, parts[i]->mapTo(m_window.get(), QPoint(0, 0)).y())
            << parts[i]->objectName().toStdString();
    }
}

// Every frame's caption is painted blue; the controls inside keep the platform's colours.
TEST_F(Controls, EveryFramesCaptionIsBlue) {
    for (QGroupBox* frame : C().fraSquare) {
        const QImage caption =
            frame->grab(QRect(0, 0, frame->width(), frame->fontMetrics().height() + 2)).toImage();
        bool blue = false;
        for (int y = 0; y < caption.height(); ++y)
            for (int x = 0; x < caption.width(); ++x)
                blue = blue || (caption.pixelColor(x, y).blue() > 200 && caption.pixelColor(x, y).red() < 60);
        EXPECT_TRUE(blue) << frame->objectName().toStdString();
    }
}

// A right click on the toolbar or the menu bar offers no menu (no "hide the toolbar").
TEST_F(Controls, NoMenuOnTheToolbar) {
    for (QWidget* bar : {static_cast<QWidget*>(C().tbToolBar), static_cast<QWidget*>(m_window->menuBar())}) {
        bool offered = false;
        // A menu that opens runs until it is closed: the timer closes it.
        QTimer::singleShot(0, [&offered] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                offered = true;
                popup->close();
            }
        });
        const QPoint at(bar->width() - 2, 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &click);
        QApplication::processEvents();
        EXPECT_FALSE(offered) << bar->objectName().toStdString();
    }
}

// Every result cell is black behind its figure, on every tab.
TEST_F(Controls, EveryResultCellIsBlack) {
    for (QLabel* cell : m_window->findChildren<QLabel*>()) {
        const QString name = cell->objectName();
        if (!name.startsWith("lblData(") && !name.startsWith("lblLevel(") && !name.startsWith("lblTotal("))
            continue;
        const QImage drawn = cell->parentWidget()->grab(cell->geometry()).toImage(); // as its frame shows it
        const qreal ratio = drawn.devicePixelRatio();
        // Left of the figure, which stands at the right, and inside the border.
        EXPECT_EQ(drawn.pixelColor(int(4 * ratio), int(cell->height() / 2 * ratio)).name(), "#000000")
            << name.toStdString();
    }
}

// The About box's separator is etched: two lines of two colours, neither the box's own.
TEST_F(Windows, TheAboutBoxSeparatorIsEtched) {
    QWidget* box = Shown("frmAbout");
    const QColor background = box->palette().color(QPalette::Window);
    std::vector<QColor> lines;
    for (const char* name : {"Line1(0)", "Line1(1)"}) {
        auto* line = box->findChild<QWidget*>(name);
        ASSERT_NE(line, nullptr) << name;
        const QImage drawn = box->grab(line->geometry()).toImage(); // as the box shows it
        lines.push_back(drawn.pixelColor(drawn.width() / 2, 0));
        EXPECT_NE(lines.back(), background) << name;
    }
    EXPECT_NE(lines[0], lines[1]);
}

// The About box's title stays black whatever colour the desktop gives text.
TEST_F(Windows, TheAboutBoxTitleIsBlackOnAnyDesktop) {
    const QPalette original = QApplication::palette();
    const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });
    QPalette desktop = original;
    desktop.setColor(QPalette::WindowText, Qt::darkRed);
    QApplication::setPalette(desktop);
    auto* title = Shown("frmAbout")->findChild<QLabel*>("lblInfo(0)");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(PaintedTextColour(*title).name(), "#000000");
}

// A toolbar button and its menu item carry one command, so that either runs the same thing.
class ToolbarAndMenu : public Controls, public ::testing::WithParamInterface<CaseRow> {};
TEST_P(ToolbarAndMenu, ButtonAndItemCarryOneCommand) {
    const nlohmann::json& row = GetParam().data;
    const std::optional<Command> command = ControlInventory::ToolbarCommand(Q(row.at("key")));
    ASSERT_TRUE(command.has_value());
    QAction* item = C().MenuItem(*command);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->objectName(), Q(row.at("item")));
    QAction* button = C().ToolbarButton(Q(row.at("key")));
    EXPECT_EQ(button->objectName(), Q(row.at("key")));
    EXPECT_EQ(button->toolTip(), Q(row.at("tooltip")));
    EXPECT_EQ(C().tbToolBar->actions().indexOf(button) + 1, row.at("position").get<int>())
        << "its place on the toolbar";
}
INSTANTIATE_TEST_SUITE_P(Rows, ToolbarAndMenu,
                         ::testing::ValuesIn(LoadRows("layout_cases.json", "toolbar_and_menu")), RowName());

} // namespace
} // namespace quorvel::testing
