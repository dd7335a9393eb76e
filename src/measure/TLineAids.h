#pragma once

#include <QString>

#include <functional>
#include <memory>

class QAction;
class QStatusBar;
class TAdvToolPanel;
class TGuideLines;
class TImgView32;
class TLineMarks;
class TLineStatus;
class TLoupe;

// The aids for placing the guide lines precisely: the loupe, the end marks
// of the selected line, Show All Lines and the status-bar reading. The main
// window owns it beside the guide lines. The checkable action acShowAllLines
// is the one switch of Show All Lines.
class TLineAids
{
public:
    using Lookup = std::function<QString(const QString &key)>;

    TLineAids(TImgView32 &view, const TGuideLines &lines, const TAdvToolPanel &measurePanel, QStatusBar &statusBar,
              QAction &showAllLines, Lookup lookup);
    ~TLineAids();

    // Checks or unchecks acShowAllLines (an automatic placement turns it on).
    void SetShowAllLines(bool on);
    bool ShowAllLines() const;

    const TLoupe &Loupe() const { return *FLoupe; }
    const TLineMarks &Marks() const { return *FMarks; }

private:
    QAction &FShowAllLines;
    std::unique_ptr<TLoupe> FLoupe;
    std::unique_ptr<TLineMarks> FMarks;
    std::unique_ptr<TLineStatus> FStatus;
};
