#include "workspace/CalcCommand.h"

#include "calc/NumericText.h"
#include "platform/PlatformServices.h"
#include "workspace/AccessibleControls.h"
#include "workspace/ControlInventory.h"
#include "workspace/SectionModes.h"

#include <QCoreApplication>
#include <QTabBar>

namespace quorvel {
namespace {

std::string TextOf(const InputTextBox* box) { return box->text().toStdString(); }

SectionDescription ReadSection(const SectionControls& c) {
    SectionDescription section;
    if (c.none && c.none->isChecked())
        section.mode = KeyMode::None;
    else
        section.mode = c.allFixed->isChecked() ? KeyMode::AllFixed : KeyMode::WithVariable;
    if (c.fillFactor)
        section.fillFactor = TextOf(c.fillFactor);
    section.allFixedBytes = TextOf(c.allFixedBytes);
    section.fixedBytes = TextOf(c.withVariableFields[0]);
    section.variableBytes = TextOf(c.withVariableFields[1]);
    section.variableColumns = TextOf(c.withVariableFields[2]);
    return section;
}

// The figures in order, one per cell of the span.
void ShowCells(std::span<QLabel* const> cells, std::initializer_list<WideCount> figures) {
    std::size_t i = 0;
    for (const WideCount figure : figures)
        cells[i++]->setText(QString::fromStdString(numtext::ResultForm(figure)));
}

void ShowLevels(std::span<QLabel* const> cells, const LevelTable& levels) {
    for (std::size_t k = 0; k < levels.size(); ++k)
        cells[k]->setText(QString::fromStdString(numtext::ResultForm(levels[k])));
}

void ShowMessage(ControlInventory& c, const PlatformServices& services, RunMessage message) {
    services.messageBox->Show(c.frmMain, QString::fromStdString(MessageText(message)),
                              IsEstimateFailure(message) ? MessageIcon::Critical : MessageIcon::Exclamation,
                              kApplicationTitle);
}

// The status text is announced, so a screen reader hears the run start and end.
void ShowStatus(ControlInventory& c, const QString& text) {
    c.sbStatusBarPanel1->setText(text);
    AnnounceValue(*c.sbStatusBarPanel1);
}

void EndRun(ControlInventory& c) {
    ShowStatus(c, QString());
    c.frmMain->unsetCursor();
}

} // namespace

TableDescription ReadTableDescription(const ControlInventory& c) {
    TableDescription table;
    table.rowCount = TextOf(c.txtData[0]);
    table.data = ReadSection(c.Section(kDataSection));
    table.clustered = ReadSection(c.Section(kClusteredSection));
    for (int section = kFirstNonClusteredSection; section < kSectionCount; ++section)
        table.nonClustered.push_back(ReadSection(c.Section(section)));
    return table;
}

void ShowFigures(ControlInventory& c, const TableEstimate& estimate) {
    if (estimate.data) {
        const DataFigures& d = *estimate.data;
        ShowCells(c.Section(kDataSection).figures, {d.DataRowSize, d.DataRowsPerPage, d.DataPages});
    }
    if (estimate.clustered) {
        const ClusteredEstimate& f = *estimate.clustered;
        const SectionControls section = c.Section(kClusteredSection);
        ShowCells(section.figures, {f.ClusteredRowSize, f.ClusteredRowsPerPage, f.ClusteredPages});
        ShowLevels(section.levels, f.levels);
    }
    // The window shows three nonclustered indexes.
    for (std::size_t n = 0; n < estimate.nonClustered.size() && n < 3; ++n) {
        const NonClusteredEstimate& f = estimate.nonClustered[n];
        const SectionControls section = c.Section(kFirstNonClusteredSection + static_cast<int>(n));
        ShowCells(section.figures, {f.LeafRowSize, f.LeafRowsPerPage, f.LeafPages, f.NonLeafRowSize,
                                    f.NonLeafRowsPerPage, f.NonClusteredPages});
        ShowLevels(section.levels, f.levels);
    }
    if (estimate.totals) {
        const Totals& t = *estimate.totals;
        ShowCells(c.lblTotal, {t.clusteredPages, t.nonClusteredPages, t.totalPages, t.tableBytes});
    }
}

void ShowTableDescription(ControlInventory& c, const TableDescription& table) {
    c.tabMain->tabBar()->setFocus(Qt::OtherFocusReason);
    c.ForEachField([](InputTextBox& field, FieldRef) { field.EndFocus(); });
    c.txtData[0]->SetTextWhole(QString::fromStdString(table.rowCount));
    for (int number = kDataSection; number < kSectionCount; ++number) {
        const SectionDescription& s = number == kDataSection        ? table.data
                                      : number == kClusteredSection ? table.clustered
                                                                    : table.nonClustered.at(static_cast<std::size_t>(
                                                                          number - kFirstNonClusteredSection));
        SelectMode(c, number, s.mode);
        const SectionControls section = c.Section(number);
        if (section.fillFactor)
            section.fillFactor->SetTextWhole(QString::fromStdString(s.fillFactor));
        section.allFixedBytes->SetTextWhole(QString::fromStdString(s.allFixedBytes));
        for (std::size_t k = 0; k < 3; ++k)
            section.withVariableFields[k]->SetTextWhole(QString::fromStdString(
                k == 0 ? s.fixedBytes : k == 1 ? s.variableBytes : s.variableColumns));
    }
    const QString zero = QStringLiteral("0 ");
    for (QLabel* cell : c.lblData)
        cell->setText(zero);
    for (QLabel* cell : c.lblLevel)
        cell->setText(zero);
    for (QLabel* cell : c.lblTotal)
        cell->setText(zero);
    c.tabMain->setCurrentIndex(0);
    c.sbStatusBarPanel1->setText(QString());
    // As when the window opens: the row count, which a script never gives, takes the keys.
    c.txtData[0]->setFocus(Qt::OtherFocusReason);
}

bool RunCalcCommand(ControlInventory& c, TableEstimator& estimator, const PlatformServices& services) {
    // The status text, a pass of pending events and the busy pointer come
    // once the checks have passed, before the first estimate.
    const TableEstimate estimate = estimator.Estimate(ReadTableDescription(c), [&c] {
        ShowStatus(c, QStringLiteral("計算中です..."));
        QCoreApplication::processEvents();
        c.frmMain->setCursor(Qt::WaitCursor);
    });
    if (estimate.Refused()) {
        ShowMessage(c, services, estimate.failure);
        return false;
    }
    // Each finished section's cells; the totals only after a full success.
    ShowFigures(c, estimate);
    if (estimate.failure != RunMessage::None) {
        ShowMessage(c, services, estimate.failure);
        EndRun(c);
        return false;
    }
    // The totals are what a screen reader says after a run.
    for (QLabel* total : c.lblTotal)
        AnnounceValue(*total);
    c.tabMain->setCurrentIndex(0);
    EndRun(c);
    return true;
}

} // namespace quorvel
