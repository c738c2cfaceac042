#include "workspace/AccessibleControls.h"

#include "workspace/Hints.h"

#include <QAccessibleWidget>

#include <algorithm>
#include <utility>

namespace quorvel {
namespace {

// Marks the controls that get an accessible interface of their own.
constexpr char kReadOut[] = "quorvelReadOut";         // result cells, the status text
constexpr char kDrawingOnly[] = "quorvelDrawingOnly"; // outline boxes

AnnouncementListener& Listener() {
    static AnnouncementListener listener;
    return listener;
}

QString Shown(const QLabel& readOut) {
    return readOut.text().trimmed();
}

// The figure of a result cell as a number ("8,220 " gives 8220); a text that
// is no number (the status text) as it is.
QVariant ValueOf(const QLabel& readOut) {
    bool isNumber = false;
    const double number = Shown(readOut).remove(QLatin1Char(',')).toDouble(&isNumber);
    return isNumber ? QVariant(number) : QVariant(Shown(readOut));
}

// The label whose buddy the control is: its caption.
const QLabel* CaptionOf(const QWidget& control) {
    if (const QWidget* parent = control.parentWidget()) {
        for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (label->buddy() == &control)
                return label;
    }
    return nullptr;
}

// A result cell or the status text: read by its caption and what it shows,
// which is also its value. The name follows the text, so the change event
// each new text raises carries the new figure.
class ReadOutAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ReadOutAccessible(QWidget* readOut) : QAccessibleWidget(readOut, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        const QLabel& readOut = Label();
        if (kind == QAccessible::Value)
            return Shown(readOut);
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const QLabel* caption = CaptionOf(readOut);
        return caption ? caption->text() + QLatin1Char(' ') + Shown(readOut) : Shown(readOut);
    }

    void* interface_cast(QAccessible::InterfaceType kind) override {
        if (kind == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(kind);
    }

    // Read-only: the range is the value itself.
    QVariant currentValue() const override { return ValueOf(Label()); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return currentValue(); }
    QVariant minimumValue() const override { return currentValue(); }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    const QLabel& Label() const { return static_cast<const QLabel&>(*widget()); }
};

// An outline box: drawing that groups the fields of an option on screen. The
// option and the captions say it all; it would otherwise be read out as a
// second copy of its frame.
class DrawingOnlyAccessible : public QAccessibleWidget {
public:
    explicit DrawingOnlyAccessible(QWidget* drawing) : QAccessibleWidget(drawing, QAccessible::Client) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? QString() : QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->property(kReadOut).toBool())
        return new ReadOutAccessible(widget);
    if (widget && widget->property(kDrawingOnly).toBool())
        return new DrawingOnlyAccessible(widget);
    return nullptr;
}

// Qt may already have made the common interface for the control while
// building the window (every label change queries one); that one goes, so
// the next query makes ours. Nothing outside has seen the hidden window yet.
template <typename Own> void UseOwnInterface(QWidget& control, const char* kind) {
    control.setProperty(kind, true);
    QAccessibleInterface* known = QAccessible::queryAccessibleInterface(&control);
    if (known && !dynamic_cast<Own*>(known))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

void ReadWithCaption(QLabel& caption, QLabel& readOut) {
    caption.setBuddy(&readOut);
    UseOwnInterface<ReadOutAccessible>(readOut, kReadOut);
}

// The fields of one section with their captions. Where a caption stands
// twice in the section, both fields and both captions are named with the
// option whose group the field is in.
void NameFields(const ControlInventory& c, const SectionControls& s) {
    struct Field {
        QLabel* caption;
        QWidget* field;
        const QRadioButton* option;
    };
    // The first caption is the row count's on the data tab, the fill factor's elsewhere.
    QWidget* first = s.fillFactor ? static_cast<QWidget*>(s.fillFactor) : c.txtData[0];
    const std::array<Field, 5> fields{{{s.fieldCaptions[0], first, nullptr},
                                       {s.fieldCaptions[1], s.allFixedBytes, s.allFixed},
                                       {s.fieldCaptions[2], s.withVariableFields[0], s.withVariable},
                                       {s.fieldCaptions[3], s.withVariableFields[1], s.withVariable},
                                       {s.fieldCaptions[4], s.withVariableFields[2], s.withVariable}}};
    for (const Field& f : fields) {
        f.caption->setBuddy(f.field);
        const auto shared = std::count_if(fields.begin(), fields.end(), [&f](const Field& other) {
            return other.caption->text() == f.caption->text();
        });
        if (shared > 1 && f.option) {
            const QString name = f.option->text() + QStringLiteral(": ") + f.caption->text();
            f.field->setAccessibleName(name);
            f.caption->setAccessibleName(name);
        }
    }
}

} // namespace

void MakeControlsAccessible(ControlInventory& c) {
    QAccessible::installFactory(&MakeInterface);
    for (int number = kDataSection; number < kSectionCount; ++number) {
        const SectionControls s = c.Section(number);
        NameFields(c, s);
        for (std::size_t i = 0; i < s.figures.size(); ++i)
            ReadWithCaption(*s.figureCaptions[i], *s.figures[i]);
        for (std::size_t k = 0; k < s.levels.size(); ++k)
            ReadWithCaption(*s.levelCaptions[k], *s.levels[k]);
    }
    for (std::size_t i = 0; i < c.lblTotal.size(); ++i)
        ReadWithCaption(*c.lblItem[kFirstTotalCaption + i], *c.lblTotal[i]);
    UseOwnInterface<ReadOutAccessible>(*c.sbStatusBarPanel1, kReadOut);
    for (QFrame* box : c.shpSquare)
        UseOwnInterface<DrawingOnlyAccessible>(*box, kDrawingOnly);
    ForEachHint(c, [](QWidget& control, const QString& hint) { control.setAccessibleDescription(hint); });
}

void AnnounceValue(QLabel& readOut) {
    const QVariant value = ValueOf(readOut);
    if (Listener())
        Listener()(readOut, value);
    QAccessibleValueChangeEvent event(&readOut, value);
    QAccessible::updateAccessibility(&event);
}

void ListenToAnnouncements(AnnouncementListener listener) {
    Listener() = std::move(listener);
}

} // namespace quorvel
