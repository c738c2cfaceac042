#include "shell/MainWindowBuilder.h"

#include "calc/Captions.h"
#include "engine/basSQLSIZE.h"
#include "platform/JapaneseFonts.h"
#include "platform/Twips.h"
#include "shell/OutlineBox.h"
#include "workspace/FieldEditing.h"
#include "workspace/ForeColors.h"

#include <QApplication>

namespace quorvel {
namespace {

const QColor kFrameCaptionBlue(0, 0, 255);
const QColor kResultYellow(255, 255, 0);
const QColor kTotalGreen(0, 255, 0);

// A frame's children are placed in twips from the frame's top-left corner.
constexpr double kFieldLeft = 2850;
constexpr double kFieldWidth = 1350;
constexpr double kRowHeight = 300;
constexpr double kLabelDrop = 60; // a caption stands this much lower than its field
constexpr double kLabelHeight = 240;
// Captions reach up to their field, one pixel short: the longest captions
// need nearly all of the room the layout gives them.
constexpr double kCaptionGap = 15;

// The frames paint their caption blue through the palette, which their
// children would inherit; captions, options and outline boxes keep the
// platform's own text colours, in every colour group.
void KeepPlatformTextColours(QWidget* control) {
    const QPalette platform = QApplication::palette();
    QPalette colours = control->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::WindowText, platform.color(group, QPalette::WindowText));
        colours.setColor(group, QPalette::Text, platform.color(group, QPalette::Text));
    }
    control->setPalette(colours);
}

} // namespace

QGroupBox* MainWindowBuilder::MakeFrame(QWidget* page, int index, const QString& caption, QFont font) {
    auto* frame = new QGroupBox(caption, page);
    frame->setObjectName(Indexed("fraSquare", index));
    frame->setFont(font);
    // Styles take the caption colour from WindowText or from Text; the
    // controls inside set their own, so the blue stays with the caption.
    QPalette colours = frame->palette();
    colours.setColor(QPalette::WindowText, kFrameCaptionBlue);
    colours.setColor(QPalette::Text, kFrameCaptionBlue);
    frame->setPalette(colours);
    m_c.fraSquare[static_cast<std::size_t>(index)] = frame;
    return frame;
}

QLabel* MainWindowBuilder::Caption(QWidget* frame, int index, std::string_view text, double left, double top,
                                   double width) {
    auto* label = new QLabel(Text(text), frame);
    label->setObjectName(Indexed("lblItem", index));
    label->setFont(GothicFont(9));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    KeepPlatformTextColours(label);
    label->setGeometry(TwipsRect(left, top, width, kLabelHeight));
    m_c.lblItem[static_cast<std::size_t>(index)] = label;
    return label;
}

InputTextBox* MainWindowBuilder::Field(QWidget* frame, FieldRef ref, double top) {
    auto* field = new InputTextBox(frame);
    field->setObjectName(Indexed(ArrayName(ref.array), ref.index));
    field->setFont(GothicFont(9.75));
    field->setGeometry(TwipsRect(kFieldLeft, top, kFieldWidth, kRowHeight));
    field->SetLengthLimit(BuiltLengthLimit(ref));
    field->SetText(QStringLiteral("0"));
    m_c.FieldSlot(ref) = field;
    return field;
}

QRadioButton* MainWindowBuilder::Option(QWidget* frame, const char* array, int index, const char* text,
                                        double top, double width) {
    auto* option = new QRadioButton(Text(text), frame);
    option->setObjectName(Indexed(array, index));
    option->setFont(GothicFont(9));
    KeepPlatformTextColours(option);
    // No wider than its text: an option standing on an outline box opens the
    // box's top edge only behind itself.
    const QRect area = TwipsRect(210, top, width, 315);
    option->setGeometry(area.x(), area.y(), qMin(area.width(), option->sizeHint().width() + 2),
                        area.height());
    return option;
}

QLabel* MainWindowBuilder::ResultCell(QWidget* frame, const char* array, int index, QRect geometry,
                                      const QColor& textColour) {
    auto* cell = new QLabel(QStringLiteral("0 "), frame);
    cell->setObjectName(Indexed(array, index));
    cell->setFont(GothicFont(9.75));
    cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cell->setFrameShape(QFrame::Panel);
    cell->setFrameShadow(QFrame::Sunken);
    cell->setLineWidth(1);
    cell->setAutoFillBackground(true);
    QPalette colours = cell->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, textColour);
    cell->setPalette(colours);
    cell->setGeometry(geometry);
    return cell;
}

QFrame* MainWindowBuilder::Outline(QWidget* frame, int index, double left, double top, double width,
                                   double height) {
    auto* box = new OutlineBox(frame);
    box->setObjectName(Indexed("shpSquare", index));
    KeepPlatformTextColours(box);
    box->setGeometry(TwipsRect(left, top, width, height));
    box->lower();
    m_c.shpSquare[static_cast<std::size_t>(index)] = box;
    return box;
}

void MainWindowBuilder::StandOn(QFrame* outline, QRadioButton* option) {
    // A little air either side of the option's text.
    const int left = option->x() - outline->x() - 2;
    const int right = option->geometry().right() - outline->x() + 2;
    static_cast<OutlineBox*>(outline)->SetTopGap(left, right);
}

void MainWindowBuilder::BuildDataFrame(QWidget* page) {
    const SectionLayout layout = SectionLayout::Of(kDataSection);
    QGroupBox* frame = MakeFrame(page, kDataSection, Text("データページ数のサイズ計算"), PGothicFont(9));
    frame->setGeometry(QRect(QPoint(kPageMargin, kPageMargin), TwipsRect(0, 0, 6855, 3930).size()));

    QFrame* allFixedBox = Outline(frame, 0, 90, 780, 4200, 570);
    QFrame* withVariableBox = Outline(frame, 1, 90, 1590, 4200, 1230);

    const double captionWidth = kFieldLeft - 180 - kCaptionGap;
    const int item = layout.firstCaption;
    Caption(frame, item, "データ行数", 180, 270 + kLabelDrop, captionWidth);
    Field(frame, {FieldArray::txtData, 0}, 270);

    m_c.optData[0] = Option(frame, "optData", 0, "固定長列のみ", 630, 1440);
    Caption(frame, item + 1, "固定長列のﾊﾞｲﾄ数の合計", 210, 930 + kLabelDrop, captionWidth - 30);
    Field(frame, layout.allFixedBytes, 930);

    m_c.optData[1] = Option(frame, "optData", 1, "固定長列＋可変長列", 1470, 2040);
    StandOn(allFixedBox, m_c.optData[0]);
    StandOn(withVariableBox, m_c.optData[1]);
    static constexpr std::array<std::string_view, 3> kVariableCaptions{
        "固定長列のﾊﾞｲﾄ数の合計", "可変長列のﾊﾞｲﾄ数の合計", "可変長列数"};
    for (std::size_t k = 0; k < 3; ++k) {
        const double top = 1740 + 330.0 * static_cast<double>(k);
        Caption(frame, item + 2 + static_cast<int>(k), kVariableCaptions[k], 210, top + kLabelDrop,
                captionWidth - 30);
        Field(frame, layout.withVariable[k], top);
    }

    for (std::size_t r = 0; r < captions::kDataFigures.size(); ++r) {
        const double top = 2940 + 300.0 * static_cast<double>(r);
        const int cell = layout.firstFigure + static_cast<int>(r);
        Caption(frame, item + 5 + static_cast<int>(r), captions::kDataFigures[r], 180, top + kLabelDrop,
                captionWidth);
        m_c.lblData[static_cast<std::size_t>(cell)] = ResultCell(
            frame, "lblData", cell, TwipsRect(kFieldLeft, top, kFieldWidth, kRowHeight), kResultYellow);
    }

    // Variable-length columns selected; only the row count and the fields of
    // that mode are open.
    m_c.optData[1]->setChecked(true);
    const SectionControls section = m_c.Section(kDataSection);
    section.allFixedBytes->setEnabled(false);
    section.allFixedBytes->SetForeColor(kMenuBarColor);
}

void MainWindowBuilder::BuildIndexFrame(QWidget* page, int sectionNumber) {
    const SectionLayout layout = SectionLayout::Of(sectionNumber);
    const bool clustered = sectionNumber == kClusteredSection;
    const int n = sectionNumber - kFirstNonClusteredSection; // nonclustered index n+1

    const QString caption = clustered ? Text("クラスタ化インデックスページ数のサイズ計算")
                                      : Text("非クラスタ化インデックスページ数のサイズ計算(%1)").arg(n + 1);
    QGroupBox* frame = MakeFrame(page, sectionNumber, caption, PGothicFont(9));
    frame->setGeometry(QRect(QPoint(kPageMargin, kPageMargin), TwipsRect(0, 0, 6855, 4830).size()));

    // Outline box indices per frame: the box of the all-fixed row, then the
    // box of the rows with variable-length columns.
    static constexpr std::array<std::array<int, 2>, 4> kOutlines{{{2, 3}, {5, 4}, {7, 6}, {8, 9}}};
    const auto& outline = kOutlines[static_cast<std::size_t>(sectionNumber - 1)];
    QFrame* allFixedBox = Outline(frame, outline[0], 90, 780, 4200, 570);
    QFrame* withVariableBox = Outline(frame, outline[1], 90, 1590, 4200, 1230);

    const double captionWidth = kFieldLeft - 210 - kCaptionGap;
    const int item = layout.firstCaption;
    const char* optArray = clustered ? "optClaster" : "optNonClaster";
    const int opt = layout.firstOption;
    QRadioButton** options = clustered ? m_c.optClaster.data() : m_c.optNonClaster.data();

    options[opt] = Option(frame, optArray, opt, "なし", 270, 885);
    Caption(frame, item, "FILLFACTOR(%)", 1650, 270 + kLabelDrop, kFieldLeft - 1650 - kCaptionGap);
    Field(frame, {FieldArray::txtFillFactor, layout.fillFactor}, 270);

    options[opt + 1] = Option(frame, optArray, opt + 1, "固定長列のみ", 630, 1440);
    Caption(frame, item + 1, "固定長ｲﾝﾃﾞｯｸｽｷｰのﾊﾞｲﾄ数の合計", 210, 930 + kLabelDrop, captionWidth);
    Field(frame, layout.allFixedBytes, 930);

    options[opt + 2] = Option(frame, optArray, opt + 2, "固定長列＋可変長列", 1470, 2040);
    StandOn(allFixedBox, options[opt + 1]);
    StandOn(withVariableBox, options[opt + 2]);
    static constexpr std::array<std::string_view, 3> kVariableCaptions{
        "固定長ｲﾝﾃﾞｯｸｽｷｰのﾊﾞｲﾄ数の合計", "可変長ｲﾝﾃﾞｯｸｽｷｰのﾊﾞｲﾄ数の合計", "可変長列数"};
    for (std::size_t k = 0; k < 3; ++k) {
        const double top = 1740 + 330.0 * static_cast<double>(k);
        Caption(frame, item + 2 + static_cast<int>(k), kVariableCaptions[k], 210, top + kLabelDrop,
                captionWidth);
        Field(frame, layout.withVariable[k], top);
    }

    // Result rows of the left half.
    for (int r = 0; r < layout.figureCount; ++r) {
        const double top = 2940 + 300.0 * r;
        std::string_view text = clustered ? captions::kClusteredFigures[static_cast<std::size_t>(r)]
                                          : captions::kNonClusteredFigures[static_cast<std::size_t>(r)];
        if (clustered && r == 1)
            text = captions::kWindowClusteredRowsPerPage;
        Caption(frame, item + 5 + r, text, 180, top + kLabelDrop,
                kFieldLeft - 180 - kCaptionGap);
        const int cell = layout.firstFigure + r;
        m_c.lblData[static_cast<std::size_t>(cell)] = ResultCell(
            frame, "lblData", cell, TwipsRect(kFieldLeft, top, kFieldWidth, kRowHeight), kResultYellow);
    }

    // Right half: fifteen level rows, the root at the top.
    for (int k = 0; k < kLevelCount; ++k) {
        const double row = 300.0 * (14 - k);
        Caption(frame, layout.firstLevelCaption + k, captions::LevelCaption(k, !clustered), 4500,
                300 + row, 5550 - 4500 - kCaptionGap);
        const int cell = layout.firstLevel + k;
        m_c.lblLevel[static_cast<std::size_t>(cell)] =
            ResultCell(frame, "lblLevel", cell, TwipsRect(5550, 240 + row, 1200, kRowHeight), kResultYellow);
    }

    // No index: the "なし" option selected, every field of the section dimmed.
    // The nonclustered sections 2 and 3 start with the fixed grey on their key
    // fields until their first mode choice.
    options[opt]->setChecked(true);
    const SectionControls section = m_c.Section(sectionNumber);
    const std::uint32_t keyGrey = n >= 1 ? kStartingGreyColor : kMenuBarColor;
    section.fillFactor->setEnabled(false);
    section.fillFactor->SetForeColor(kMenuBarColor);
    section.allFixedBytes->setEnabled(false);
    section.allFixedBytes->SetForeColor(keyGrey);
    for (InputTextBox* field : section.withVariableFields) {
        field->setEnabled(false);
        field->SetForeColor(keyGrey);
    }
}

void MainWindowBuilder::BuildTotalsFrame(QWidget* page) {
    QGroupBox* frame = MakeFrame(page, 5, Text(captions::kTotalsHeading), GothicFont(9));
    const QRect area = TwipsRect(0, 4350 - 390, 6855, 870);
    frame->setGeometry(QRect(QPoint(kPageMargin, kPageMargin + area.y()), area.size()));

    // Two columns of two cells; each caption 90 below its cell's top.
    struct Total {
        double captionLeft;
        double left, top, width;
    };
    static constexpr std::array<Total, 4> kTotals{{
        {180, 1500, 180, 1500},
        {180, 1500, 480, 1500},
        {3750, 4800, 180, 1890},
        {3750, 4800, 480, 1890},
    }};
    for (std::size_t i = 0; i < kTotals.size(); ++i) {
        const Total& total = kTotals[i];
        QLabel* caption =
            Caption(frame, kFirstTotalCaption + static_cast<int>(i), captions::kTotals[i], total.captionLeft,
                    total.top + 90, total.left - total.captionLeft - kCaptionGap);
        caption->setFont(PGothicFont(9));
        m_c.lblTotal[i] = ResultCell(frame, "lblTotal", static_cast<int>(i),
                                     TwipsRect(total.left, total.top, total.width, kRowHeight), kTotalGreen);
    }
}

} // namespace quorvel
