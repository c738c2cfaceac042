#include "Hints.h"

namespace quorvel {
namespace {

void Hint(QWidget* control, bool on, const char* text) {
    control->setToolTip(on ? QString::fromUtf8(text) : QString());
}

} // namespace

void SetToolTips(ControlInventory& controls) {
    const bool on = controls.mnuViewItem[0]->isChecked();

    Hint(controls.optData[0], on, "ﾃｰﾌﾞﾙに格納する列がすべて固定長の場合に選択します。");
    Hint(controls.optData[1], on, "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれている場合に選択します。");
    Hint(controls.txtData[0], on, "ﾃｰﾌﾞﾙに格納するﾃﾞｰﾀ行数を入力します。");
    Hint(controls.txtData[1], on, "ﾃｰﾌﾞﾙに格納する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(controls.txtData[2], on, "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(controls.txtData[3], on, "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(controls.txtData[4], on, "ﾃｰﾌﾞﾙに格納する列に可変長列が含まれる場合に、可変長列の列数を入力します。");

    Hint(controls.optClaster[0], on,
         "ﾃｰﾌﾞﾙにｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽがない場合に選択します。選択した場合はｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽの計算は行いません。");
    Hint(controls.optClaster[1], on, "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に選択します。");
    Hint(controls.optClaster[2], on, "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれている場合に選択します。");
    Hint(controls.txtFillFactor[0], on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構築する時のﾌｨﾙﾌｧｸﾀを入力します。ｲﾝﾃﾞｯｸｽを構築する時に特に指定していない場合は0になります。");
    Hint(controls.txtData[5], on, "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(controls.txtData[6], on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(controls.txtData[7], on,
         "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。");
    Hint(controls.txtData[8], on, "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列の列数を入力します。");

    // The three nonclustered sections carry the same texts.
    for (std::size_t b = 0; b <= 6; b += 3) {
        const std::size_t s = b / 3 + 1;
        Hint(controls.optNonClaster[b], on, "ﾃｰﾌﾞﾙに非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽがない場合に選択します。");
        Hint(controls.optNonClaster[b + 1], on, "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に選択します。");
        Hint(controls.optNonClaster[b + 2], on, "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれている場合に選択します。");
        Hint(controls.txtFillFactor[s], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構築する時のﾌｨﾙﾌｧｸﾀを入力します。ｲﾝﾃﾞｯｸｽを構築する時に特に指定していない場合は0になります。");
        Hint(controls.txtData1[b], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列がすべて固定長の場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
        Hint(controls.txtData2[b], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、固定長列のﾊﾞｲﾄ数の合計を入力します。");
        Hint(controls.txtData2[b + 1], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列のﾊﾞｲﾄ数の合計を入力します。");
        Hint(controls.txtData2[b + 2], on,
             "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽを構成する列に可変長列が含まれる場合に、可変長列の列数を入力します。");
    }
}

} // namespace quorvel
