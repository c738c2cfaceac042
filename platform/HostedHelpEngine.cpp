#include "HostedHelpEngine.h"

namespace quorvel {

void HostedHelpEngine::SetHost(HelpWindowHost* host) {
    m_host = host;
}

QString HostedHelpEngine::KeywordAt(std::uintptr_t data) {
    if (data == 0)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(data));
}

std::optional<QString> HostedHelpEngine::WinHelpA(QWidget* owner, const QString& helpFile,
                                                  std::uint32_t command, std::uintptr_t data) {
    if (m_host == nullptr)
        return QStringLiteral("ヘルプ エンジンを呼び出せません。ヘルプ ウィンドウが用意されていません。");
    switch (command) {
    case kHelpContents:
        m_host->ShowContents(owner, helpFile);
        return std::nullopt;
    case kHelpPartialKey:
        m_host->ShowKeywordSearch(owner, helpFile, KeywordAt(data));
        return std::nullopt;
    default:
        return QStringLiteral("ヘルプ エンジンはコマンド %1 に対応していません。").arg(command);
    }
}

} // namespace quorvel
