#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QStatusBar;
class TGuideLines;
class TImgView32;

// The status bar's reading of the selected guide line, "n · caption ·
// length px" in the form of the language text "StatusLineReading". It
// replaces the hint while the pointer is over the photo view or the line
// changes (a drag, a step), follows every repaint of the view, and gives
// the status bar back to the hints when the pointer leaves the view.
class TLineStatus : public QObject
{
    Q_OBJECT

public:
    using CaptionOf = std::function<QString(int n)>; // the Measure panel's caption of measurement n
    using Lookup = std::function<QString(const QString &key)>;

    TLineStatus(TImgView32 &view, const TGuideLines &lines, QStatusBar &statusBar, CaptionOf captionOf,
                Lookup lookup);

    // The reading of the selected line; empty without one.
    QString Reading() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Refresh();
    void Leave();

    const TGuideLines &FLines;
    QStatusBar &FStatusBar;
    CaptionOf FCaptionOf;
    Lookup FLookup;
    bool FInside = false;  // the pointer is over the view
    bool FShowing = false; // the status bar shows our reading
    QString FLast;         // the reading at the last refresh
};
