#include "shell/EstimateDocument.h"

#include "calc/NumericText.h"
#include "cli/EstimateFile.h"
#include "platform/FileDialogService.h"
#include "platform/SettingsStore.h"
#include "platform/TableChooserService.h"
#include "workspace/CalcCommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <utility>

namespace quorvel {
namespace {

const QString kBaseTitle = QStringLiteral("Quorvel for SQL Server 6.x  Ver1.0J");
const QString kSettingsApplication = QStringLiteral("Mivrel");
const QString kRecoverySection = QStringLiteral("Recovery");
// The report is made by the tool's own reader, through a temporary file.
const QString kNoReport =
    QStringLiteral("計算結果を作れませんでした。一時ﾌｧｲﾙに書き込めません (ﾃﾞｨｽｸがいっぱいではありませんか)。");
// A message lists at most this many lines of a file's notes and problems.
constexpr qsizetype kListedLines = 12;

// Two texts of a field mean the same estimate when they are the same text or
// the same number: the fields group their digits when the focus leaves them
// ("1500" becomes "1,500"), which changes nothing.
bool SameText(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    const std::optional<double> x = numtext::ToDouble(a), y = numtext::ToDouble(b);
    return x && y && *x == *y;
}

bool SameSection(const SectionDescription& a, const SectionDescription& b) {
    return a.mode == b.mode && SameText(a.fillFactor, b.fillFactor) && SameText(a.allFixedBytes, b.allFixedBytes) &&
           SameText(a.fixedBytes, b.fixedBytes) && SameText(a.variableBytes, b.variableBytes) &&
           SameText(a.variableColumns, b.variableColumns);
}

bool SameEstimate(const TableDescription& a, const TableDescription& b) {
    if (!SameText(a.rowCount, b.rowCount) || !SameSection(a.data, b.data) || !SameSection(a.clustered, b.clustered) ||
        a.nonClustered.size() != b.nonClustered.size())
        return false;
    for (std::size_t i = 0; i < a.nonClustered.size(); ++i) {
        if (!SameSection(a.nonClustered[i], b.nonClustered[i]))
            return false;
    }
    return true;
}

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The path as the C library opens it.
std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Listed(const QStringList& lines) {
    QStringList shown = lines.mid(0, kListedLines);
    if (lines.size() > kListedLines)
        shown << QStringLiteral("…ほか %1 件").arg(lines.size() - kListedLines);
    return shown.join(QLatin1Char('\n'));
}

// Writes the whole text, or stops at the write that fails, so that the file's
// error names the system's reason (a disk that fills up takes part of a write first).
bool WriteWhole(QSaveFile& file, const std::string& text) {
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    qint64 done = 0;
    const auto size = static_cast<qint64>(text.size());
    while (done < size) {
        const qint64 wrote = file.write(text.data() + done, size - done);
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return file.commit();
}

QStringList Lines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list << Q(line);
    return list;
}

// Why a file cannot be opened, with the place where there is one.
QString FaultText(const cli::OpenedFile& file, const QString& name, const QString& source) {
    switch (file.fault) {
    case cli::FileFault::CannotOpen:
        return QStringLiteral("「%1」を開けません。\n%2").arg(name, Q(file.reason));
    case cli::FileFault::CannotRead:
        return QStringLiteral("「%1」を読めません。\n%2").arg(name, Q(file.reason));
    case cli::FileFault::TooLarge:
        return QStringLiteral("「%1」は大きすぎて開けません (%2 MB)。開けるのは %3 MB までのﾌｧｲﾙです。")
            .arg(name)
            .arg(static_cast<double>(file.size) / (1 << 20), 0, 'f', 1)
            .arg(cli::kLargestEstimateFile >> 20);
    case cli::FileFault::Binary:
        return QStringLiteral("「%1」はﾃｷｽﾄ ﾌｧｲﾙではないため開けません。\n%2:%3:%4: NUL ﾊﾞｲﾄ (0x00) があります。")
            .arg(name, source)
            .arg(file.place.line)
            .arg(file.place.column);
    case cli::FileFault::Malformed:
        return QStringLiteral("「%1」は JSON として読めません。\n%2").arg(name, Q(file.reason));
    case cli::FileFault::Script:
        return QStringLiteral("「%1」はｽｸﾘﾌﾟﾄとして読めません。\n%2").arg(name, Q(file.reason));
    case cli::FileFault::NoTable:
    case cli::FileFault::None:
        break;
    }
    return QStringLiteral("「%1」にはﾃｰﾌﾞﾙがありません。ﾃｰﾌﾞﾙの JSON でも、CREATE TABLE のあるｽｸﾘﾌﾟﾄでもありません。")
        .arg(name);
}

// What the window could not take of a table, and what the file says of it.
QStringList AfterOpening(const cli::OpenedFile& file, const cli::FileTable& table) {
    QStringList lines;
    if (table.indexCount > cli::kWindowIndexes) {
        QStringList left;
        for (std::size_t i = cli::kWindowIndexes; i < table.indexCount; ++i)
            left << QStringLiteral("nonClustered[%1]").arg(i);
        lines << QStringLiteral("非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽが %1 個あります。ｳｨﾝﾄﾞｳには最初の %2 個を入れました。入れなかった %3 "
                                "(%4 番目から) は、quorvel-size ならすべて計算します。")
                     .arg(table.indexCount)
                     .arg(cli::kWindowIndexes)
                     .arg(left.join(QStringLiteral("、")))
                     .arg(cli::kWindowIndexes + 1);
    }
    if (table.refusal)
        lines << QStringLiteral("このままでは計算できません: %1").arg(Q(*table.refusal));
    lines << Lines(table.notes) << Lines(file.notes);
    for (const std::string& problem : file.problems)
        lines << QStringLiteral("開けなかったﾃｰﾌﾞﾙ: %1").arg(Q(problem));
    return lines;
}

std::optional<std::int64_t> RowsOf(const std::optional<std::string>& text) {
    const std::optional<double> rows = text ? numtext::ToDouble(*text) : std::nullopt;
    if (!rows || !(std::fabs(*rows) < 9e18))
        return std::nullopt;
    return std::llround(*rows);
}

} // namespace

EstimateDocument::EstimateDocument(ControlInventory& controls, const PlatformServices& services,
                                   std::function<bool()> runCalc)
    : m_controls(controls), m_services(services), m_runCalc(std::move(runCalc)) {}

QString EstimateDocument::Title() const {
    const QString file = QFileInfo(m_path).fileName();
    return m_bound || m_name.empty() ? file : QStringLiteral("%1 (%2)").arg(Q(m_name), file);
}

bool EstimateDocument::Modified() const {
    return !m_path.isEmpty() && (!m_saved || !SameEstimate(*m_saved, ReadTableDescription(m_controls)));
}

void EstimateDocument::ShowState() {
    QMainWindow& window = *m_controls.frmMain;
    if (m_path.isEmpty())
        return;
    window.setWindowTitle(QStringLiteral("%1[*] - %2").arg(Title(), kBaseTitle));
    window.setWindowFilePath(m_path);
    window.setWindowModified(Modified());
}

void EstimateDocument::Tell(const QString& text) const {
    m_services.messageBox->Show(m_controls.frmMain, text, MessageIcon::Exclamation, kApplicationTitle);
}

void EstimateDocument::Status(const QString& text) const {
    m_controls.sbStatusBarPanel1->setText(text);
}

void EstimateDocument::Open() {
    const QString start = m_path.isEmpty() ? QDir::homePath() : QFileInfo(m_path).absolutePath();
    const QString path = m_services.fileDialogs->OpenFileName(m_controls.frmMain, start);
    if (!path.isEmpty())
        OpenPath(path);
}

void EstimateDocument::OpenPath(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const cli::OpenedFile file = cli::OpenEstimateFile(Local(path), Local(path));
    if (file.fault != cli::FileFault::None) {
        Tell(FaultText(file, name, path));
        return;
    }
    if (file.tables.empty()) {
        Tell(QStringLiteral("「%1」には開けるﾃｰﾌﾞﾙがありません。\n%2").arg(name, Listed(Lines(file.problems))));
        return;
    }
    std::size_t chosen = 0;
    if (file.tables.size() > 1) {
        std::vector<TableListing> listing;
        listing.reserve(file.tables.size());
        for (const cli::FileTable& table : file.tables)
            listing.push_back({Q(table.estimate.name), RowsOf(table.rowCount)});
        const std::optional<int> choice = m_services.tableChooser->ChooseTable(m_controls.frmMain, name, listing);
        if (!choice)
            return;
        chosen = static_cast<std::size_t>(*choice);
    }
    const cli::FileTable& table = file.tables.at(chosen);
    if (table.longText) {
        const QString what = table.estimate.name.empty()
                                 ? QStringLiteral("「%1」").arg(name)
                                 : QStringLiteral("「%1」のﾃｰﾌﾞﾙ「%2」").arg(name, Q(table.estimate.name));
        Tell(QStringLiteral("%1は開けません。\n%2:%3:%4: %5 の値が長すぎます。入力欄に入るのは %6 文字までです。")
                 .arg(what, path)
                 .arg(table.longText->place.line)
                 .arg(table.longText->place.column)
                 .arg(Q(table.longText->key))
                 .arg(cli::kLongestFieldText));
        return;
    }
    if (!MayClose())
        return;
    const bool bound = !file.script && file.tables.size() == 1 && file.problems.empty();
    Show(table.estimate.description, path, bound, table.estimate.name);
    m_saved = ReadTableDescription(m_controls);
    ShowState();
    if (const QStringList notes = AfterOpening(file, table); !notes.isEmpty())
        Tell(QStringLiteral("「%1」を開きました。\n%2").arg(Title(), Listed(notes)));
}

void EstimateDocument::Show(const TableDescription& table, const QString& path, bool bound, const std::string& name) {
    ShowTableDescription(m_controls, table);
    m_path = path;
    m_bound = bound;
    m_name = name;
    m_computed.reset();
}

bool EstimateDocument::Save() {
    return m_bound ? WriteEstimate(m_path) : SaveAs();
}

bool EstimateDocument::SaveAs() {
    const QString folder = m_path.isEmpty() ? QDir::homePath() : QFileInfo(m_path).absolutePath();
    const QString start = m_bound ? m_path
                                  : QDir(folder).filePath((m_name.empty() ? QStringLiteral("見積もり") : Q(m_name)) +
                                                          QStringLiteral(".json"));
    const QString path = m_services.fileDialogs->SaveFileName(m_controls.frmMain, start);
    return !path.isEmpty() && WriteEstimate(path);
}

bool EstimateDocument::WriteEstimate(const QString& path) {
    const std::string name = m_name.empty() ? QFileInfo(path).completeBaseName().toStdString() : m_name;
    const TableDescription now = ReadTableDescription(m_controls);
    const std::string text = cli::EstimateJson({name, now});
    QSaveFile file(path);
    if (!WriteWhole(file, text)) {
        Tell(QStringLiteral("「%1」に保存できませんでした。\n%2").arg(QFileInfo(path).fileName(), file.errorString()));
        return false;
    }
    m_path = path;
    m_bound = true;
    m_name = name;
    m_saved = now;
    ClearRecovery();
    ShowState();
    Status(QStringLiteral("「%1」に保存しました。").arg(QFileInfo(path).fileName()));
    return true;
}

bool EstimateDocument::ResultsCurrent() const {
    return m_computed && SameEstimate(*m_computed, ReadTableDescription(m_controls));
}

void EstimateDocument::CalcRan(bool everyFigureShown) {
    if (everyFigureShown)
        m_computed = ReadTableDescription(m_controls);
    else
        m_computed.reset();
}

std::optional<std::string> EstimateDocument::ReportText(bool csv) const {
    // What quorvel-size prints for the file saved, in the folder it is in.
    const std::string source = m_bound ? Local(QFileInfo(m_path).fileName()) : std::string("<stdin>");
    return cli::EstimateReport({m_name, ReadTableDescription(m_controls)},
                               csv ? cli::ReportView::Csv : cli::ReportView::Text, source);
}

void EstimateDocument::Export() {
    if (!ResultsCurrent() && !m_runCalc())
        return;
    const QString folder = m_path.isEmpty() ? QDir::homePath() : QFileInfo(m_path).absolutePath();
    const QString base = m_path.isEmpty() ? (m_name.empty() ? QStringLiteral("見積もり") : Q(m_name))
                                          : QFileInfo(m_path).completeBaseName();
    const QString path =
        m_services.fileDialogs->ExportFileName(m_controls.frmMain, QDir(folder).filePath(base + QStringLiteral(".csv")));
    if (path.isEmpty())
        return;
    const std::optional<std::string> report =
        ReportText(path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive));
    if (!report) {
        Tell(kNoReport);
        return;
    }
    QSaveFile file(path);
    if (!WriteWhole(file, *report)) {
        Tell(QStringLiteral("「%1」に書き出せませんでした。\n%2").arg(QFileInfo(path).fileName(), file.errorString()));
        return;
    }
    Status(QStringLiteral("計算結果を「%1」に書き出しました。").arg(QFileInfo(path).fileName()));
}

void EstimateDocument::CopyResults() {
    if (!ResultsCurrent() && !m_runCalc())
        return;
    const std::optional<std::string> report = ReportText(false);
    if (!report) {
        Tell(kNoReport);
        return;
    }
    m_services.clipboard->SetText(Q(*report));
    Status(QStringLiteral("計算結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしました。"));
}

bool EstimateDocument::MayClose() {
    if (!Modified())
        return true;
    switch (m_services.messageBox->AskSaveChanges(m_controls.frmMain, Title())) {
    case SaveChangesAnswer::Save:
        return Save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

QString EstimateDocument::RecoveryPath() const {
    return QDir(m_services.settings->Folder()).filePath(QStringLiteral("Mivrel-recovery.json"));
}

void EstimateDocument::KeepForRecovery() {
    if (!Modified())
        return;
    const std::string text = cli::EstimateJson({m_name, ReadTableDescription(m_controls)});
    QDir().mkpath(m_services.settings->Folder());
    QSaveFile file(RecoveryPath());
    if (!WriteWhole(file, text))
        return; // nobody to tell at this point
    SettingsStore& settings = *m_services.settings;
    settings.SaveSetting(kSettingsApplication, kRecoverySection, QStringLiteral("File"), m_path);
    settings.SaveSetting(kSettingsApplication, kRecoverySection, QStringLiteral("Saves"),
                         m_bound ? QStringLiteral("True") : QStringLiteral("False"));
}

void EstimateDocument::ClearRecovery() {
    QFile::remove(RecoveryPath());
}

void EstimateDocument::Closed() {
    ClearRecovery();
}

void EstimateDocument::OfferRecovery() {
    const QString recovery = RecoveryPath();
    if (!QFile::exists(recovery))
        return;
    const cli::OpenedFile file = cli::OpenEstimateFile(Local(recovery), Local(recovery));
    SettingsStore& settings = *m_services.settings;
    const QString path = settings.GetSetting(kSettingsApplication, kRecoverySection, QStringLiteral("File"), QString());
    if (file.tables.size() != 1 || file.tables.front().longText || path.isEmpty()) {
        ClearRecovery(); // nothing that could be shown again
        return;
    }
    const cli::FileTable& table = file.tables.front();
    const bool bound =
        settings.GetSetting(kSettingsApplication, kRecoverySection, QStringLiteral("Saves"), QString()) ==
        QStringLiteral("True");
    m_path = path;
    m_bound = bound;
    m_name = table.estimate.name;
    const bool restore = m_services.messageBox->AskRestore(m_controls.frmMain, Title());
    if (restore) {
        Show(table.estimate.description, path, bound, table.estimate.name);
        m_saved.reset(); // changed since the file was saved
        ShowState();
    } else {
        m_path.clear();
        m_bound = false;
        m_name.clear();
    }
    ClearRecovery();
}

} // namespace quorvel
