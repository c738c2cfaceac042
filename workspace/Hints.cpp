#include "Hints.h"

namespace quorvel {
namespace {

void Hint(QWidget* control, bool on, const char* text) {
    control->setToolTip(on ? QString::fromUtf8(text) : QString());
}

} // namespace

void SetToolTips(ControlInventory& controls) {
    const bool on = controls.mnuViewItem[0]->isChecked();

    const SectionControls data = controls.Section(kDataSection);
    Hint(data.allFixed, on, "ﾃｰﾌﾞﾙに格納する列がすべて固定長の場合に選択します。");
    Hint(data.withVariable, on, "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれている場合に選択します。");
    Hint(controls.txtData[0], on, "ﾃｰﾌﾞﾙに格納するﾃﾞｰﾀ行数を入力します。");
    Hint(data.allFixedBytes, on, "ﾃｰﾌﾞﾙに格納する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(data.withVariableFields[0], on,
         "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(data.withVariableFields[1], on,
         "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(data.withVariableFields[2], on, "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、可変長列の列数を入力します。");

    const SectionControls clustered = controls.Section(kClusteredSection);
    Hint(clustered.none, on,
         "ﾃｰﾌﾞﾙにｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽがない場合に選択します。選択した場合はｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽの計算は行いません。");
    Hint(clustered.allFixed, on, "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に選択します。");
    Hint(clustered.withVariable, on, "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれている場合に選択します。");
    Hint(clustered.fillFactor, on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構築する時のﾌｨﾙﾌｧｸﾀを入力します。ｲﾝﾃﾞｯｸｽを構築する時に特に指定していない場合は0になります。");
    Hint(clustered.allFixedBytes, on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(clustered.withVariableFields[0], on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(clustered.withVariableFields[1], on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(clustered.withVariableFields[2], on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列の列数を入力します。");

    // The three nonclustered sections carry the same texts.
    for (int s = kFirstNonClusteredSection; s < kSectionCount; ++s) {
        const SectionControls index = controls.Section(s);
        Hint(index.none, on, "ﾃｰﾌﾞﾙに非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽがない場合に選択します。");
        Hint(index.allFixed, on, "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に選択します。");
        Hint(index.withVariable, on, "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれている場合に選択します。");
        Hint(index.fillFactor, on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構築する時のﾌｨﾙﾌｧｸﾀを入力します。ｲﾝﾃﾞｯｸｽを構築する時に特に指定していない場合は0になります。");
        Hint(index.allFixedBytes, on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
        Hint(index.withVariableFields[0], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
        Hint(index.withVariableFields[1], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。");
        Hint(index.withVariableFields[2], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列の列数を入力します。");
    }
}

} // namespace quorvel
