#include "CalcCommand.h"

#include "ControlInventory.h"
#include "NumericText.h"
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

void WriteCell(QLabel* cell, WideCount value) {
    cell->setText(QString::fromStdString(numtext::ResultForm(value)));
}

void WriteLevels(ControlInventory& c, int firstCell, const std::array<std::int32_t, kLevelCount>& levels) {
    for (int k = 0; k < kLevelCount; ++k)
        WriteCell(c.lblLevel[static_cast<std::size_t>(firstCell + k)], levels[static_cast<std::size_t>(k)]);
}

void WriteData(ControlInventory& c, const DataFigures& data) {
    WriteCell(c.lblData[0], data.rowSize);
    WriteCell(c.lblData[1], data.rowsPerPage);
    WriteCell(c.lblData[2], data.pages);
}

void WriteClustered(ControlInventory& c, const ClusteredFigures& index) {
    WriteCell(c.lblData[3], index.rowSize);
    WriteCell(c.lblData[4], index.rowsPerPage);
    WriteCell(c.lblData[5], index.pages);
    WriteLevels(c, 0, index.levels);
}

void WriteNonClustered(ControlInventory& c, int section, const NonClusteredFigures& index) {
    const auto cell = [&](int offset) { return c.lblData[static_cast<std::size_t>(6 * section + offset)]; };
    WriteCell(cell(0), index.leafRowSize);
    WriteCell(cell(1), index.leafRowsPerPage);
    WriteCell(cell(2), index.leafPages);
    WriteCell(cell(3), index.nonLeafRowSize);
    WriteCell(cell(4), index.nonLeafRowsPerPage);
    WriteCell(cell(5), index.pages);
    WriteLevels(c, 15 * section, index.levels);
}

void WriteTotals(ControlInventory& c, const Totals& totals) {
    c.lblTotal[0]->setText(c.lblData[5]->text());
    WriteCell(c.lblTotal[1], totals.nonClusteredPages);
    WriteCell(c.lblTotal[2], totals.totalPages);
    WriteCell(c.lblTotal[3], totals.tableBytes);
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
    if (result.data)
        WriteData(c, *result.data);
    if (result.clustered)
        WriteClustered(c, *result.clustered);
    for (std::size_t i = 0; i < result.nonClustered.size(); ++i)
        WriteNonClustered(c, static_cast<int>(i) + 1, result.nonClustered[i]);

    if (result.failure != RunMessage::None) {
        ShowMessage(c, services, result.failure);
        EndRun(c);
        return;
    }
    WriteTotals(c, *result.totals);
    c.tabMain->setCurrentIndex(0);
    EndRun(c);
}

} // namespace quorvel
