#pragma once
// Connects the help engine to our help window: one HelpViewer per owner window
// (a child of it, so it closes with it), made on the first call and reused
// after that.

#include "HelpEngine.h"
#include "HelpViewer.h"

#include <QPointer>

namespace quorvel {

class HelpViewerHost final : public HelpWindowHost {
public:
    void ShowContents(QWidget* owner, const QString& helpFile) override;
    void ShowKeywordSearch(QWidget* owner, const QString& helpFile, const QString& keyword) override;

    // The viewer of owner, made when there is none yet.
    HelpViewer* ViewerFor(QWidget* owner);

private:
    QPointer<HelpViewer> m_ownerless; // for calls without an owner window
};

} // namespace quorvel
