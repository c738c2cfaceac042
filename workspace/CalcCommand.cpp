#include "CalcCommand.h"

#include "ControlInventory.h"
#include "PlatformServices.h"

#include <QCoreApplication>

namespace quorvel {
namespace {

std::string TextOf(const InputTextBox* box) { return box->text().toStdString(); }

KeyMode ModeOf(QRadioButton* none, QRadioButton* allFixed) {
    if (none && none->isChecked())
        return KeyMode::None;
    return allFixed->isChecked() ? KeyMode::AllFixed : KeyMode::WithVariable;
}

template <std::size_t N>
void WriteCells(const std::array<QLabel*, N>& labels, const std::array<std::optional<std::string>, N>& texts) {
    for (std::size_t i = 0; i < N; ++i) {
        if (texts[i])
            labels[i]->setText(QString::fromStdString(*texts[i]));
    }
}

void ShowMessage(ControlInventory& c, const PlatformServices& services, RunMessage message) {
    services.messageBox->Show(c.frmMain, QString::fromUtf8(MessageText(message).data(),
                                                           static_cast<qsizetype>(MessageText(message).size())),
                              IsEstimateFailure(message) ? MessageIcon::Critical : MessageIcon::Exclamation,
                              kApplicationTitle);
}

void EndRun(ControlInventory& c) {
    c.sbStatusBarPanel1->setText(QString());
    c.frmMain->unsetCursor();
}

} // namespace

TableTexts ReadTableTexts(const ControlInventory& c) {
    TableTexts table;
    table.rowCount = TextOf(c.txtData[0]);

    table.data.mode = c.optData[0]->isChecked() ? KeyMode::AllFixed : KeyMode::WithVariable;
    table.data.allFixedBytes = TextOf(c.txtData[1]);
    table.data.fixedBytes = TextOf(c.txtData[2]);
    table.data.variableBytes = TextOf(c.txtData[3]);
    table.data.variableColumns = TextOf(c.txtData[4]);

    table.clustered.mode = ModeOf(c.optClaster[0], c.optClaster[1]);
    table.clustered.fillFactor = TextOf(c.txtFillFactor[0]);
    table.clustered.allFixedBytes = TextOf(c.txtData[5]);
    table.clustered.fixedBytes = TextOf(c.txtData[6]);
    table.clustered.variableBytes = TextOf(c.txtData[7]);
    table.clustered.variableColumns = TextOf(c.txtData[8]);

    for (std::size_t b = 0; b <= 6; b += 3) {
        SectionTexts section;
        section.mode = ModeOf(c.optNonClaster[b], c.optNonClaster[b + 1]);
        section.fillFactor = TextOf(c.txtFillFactor[b / 3 + 1]);
        section.allFixedBytes = TextOf(c.txtData1[b]);
        section.fixedBytes = TextOf(c.txtData2[b]);
        section.variableBytes = TextOf(c.txtData2[b + 1]);
        section.variableColumns = TextOf(c.txtData2[b + 2]);
        table.nonClustered.push_back(std::move(section));
    }
    return table;
}

void RunCalcCommand(ControlInventory& c, basSQLSIZE& engine, const PlatformServices& services) {
    const TableTexts table = ReadTableTexts(c);
    RunMessage refusal = ValidateInputs(table);
    if (refusal == RunMessage::None)
        refusal = CheckConversions(table);
    if (refusal != RunMessage::None) {
        ShowMessage(c, services, refusal);
        return;
    }

    c.sbStatusBarPanel1->setText(QStringLiteral("計算中です..."));
    QCoreApplication::processEvents();
    c.frmMain->setCursor(Qt::WaitCursor);

    const RunResult result = RunEstimates(table, engine);
    const ResultCellTexts cells = CellTexts(result);
    // Each finished section's cells; the totals only after a full success.
    WriteCells(c.lblData, cells.lblData);
    WriteCells(c.lblLevel, cells.lblLevel);
    if (result.failure != RunMessage::None) {
        ShowMessage(c, services, result.failure);
        EndRun(c);
        return;
    }
    WriteCells(c.lblTotal, cells.lblTotal);
    c.tabMain->setCurrentIndex(0);
    EndRun(c);
}

} // namespace quorvel
