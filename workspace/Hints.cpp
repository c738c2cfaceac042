#include "workspace/Hints.h"

namespace quorvel {
namespace {

// The hints of one section's controls; null where the section has no such control.
struct SectionHints {
    const char* none;
    const char* allFixed;
    const char* withVariable;
    const char* fillFactor;
    const char* allFixedBytes;
    std::array<const char*, 3> withVariableFields;
};

constexpr SectionHints kDataHints{
    nullptr,
    "ﾃｰﾌﾞﾙに格納する列がすべて固定長の場合に選択します。",
    "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれている場合に選択します。",
    nullptr,
    "ﾃｰﾌﾞﾙに格納する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。",
    {"ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。",
     "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。",
     "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、可変長列の列数を入力します。"},
};

constexpr SectionHints kClusteredHints{
    "ﾃｰﾌﾞﾙにｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽがない場合に選択します。選択した場合はｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽの計算は行いません。",
    "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に選択します。",
    "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれている場合に選択します。",
    "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構築する時のﾌｨﾙﾌｧｸﾀを入力します。ｲﾝﾃﾞｯｸｽを構築する時に特に指定していない場合は0になります。",
    "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。",
    {"ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。",
     "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。",
     "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列の列数を入力します。"},
};

// The three nonclustered sections carry the same texts.
constexpr SectionHints kNonClusteredHints{
    "ﾃｰﾌﾞﾙに非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽがない場合に選択します。",
    "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に選択します。",
    "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれている場合に選択します。",
    "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構築する時のﾌｨﾙﾌｧｸﾀを入力します。ｲﾝﾃﾞｯｸｽを構築する時に特に指定していない場合は0になります。",
    "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。",
    {"非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。",
     "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。",
     "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列の列数を入力します。"},
};

void HintSection(const SectionControls& section, const SectionHints& hints, const HintVisitor& visit) {
    const auto hint = [&visit](QWidget* control, const char* text) {
        if (control && text)
            visit(*control, QString::fromUtf8(text));
    };
    hint(section.none, hints.none);
    hint(section.allFixed, hints.allFixed);
    hint(section.withVariable, hints.withVariable);
    hint(section.fillFactor, hints.fillFactor);
    hint(section.allFixedBytes, hints.allFixedBytes);
    for (std::size_t k = 0; k < 3; ++k)
        hint(section.withVariableFields[k], hints.withVariableFields[k]);
}

} // namespace

void ForEachHint(const ControlInventory& controls, const HintVisitor& visit) {
    visit(*controls.txtData[0], QStringLiteral("ﾃｰﾌﾞﾙに格納するﾃﾞｰﾀ行数を入力します。"));
    HintSection(controls.Section(kDataSection), kDataHints, visit);
    HintSection(controls.Section(kClusteredSection), kClusteredHints, visit);
    for (int s = kFirstNonClusteredSection; s < kSectionCount; ++s)
        HintSection(controls.Section(s), kNonClusteredHints, visit);
}

void SetToolTips(ControlInventory& controls) {
    const bool on = controls.MenuItem(ViewCommand::Hints)->isChecked();
    ForEachHint(controls,
                [on](QWidget& control, const QString& hint) { control.setToolTip(on ? hint : QString()); });
}

} // namespace quorvel
