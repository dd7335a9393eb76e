#include "TLineStatus.h"

#include "core/TMeasureCatalogue.h"
#include "measure/TGuideLine.h"
#include "measure/TGuideLines.h"
#include "measure/TImgView32.h"
#include "measure/TLineReading.h"

#include <QEvent>
#include <QStatusBar>

TLineStatus::TLineStatus(TImgView32 &view, const TGuideLines &lines, QStatusBar &statusBar, CaptionOf captionOf,
                         Lookup lookup)
    : FLines(lines), FStatusBar(statusBar), FCaptionOf(std::move(captionOf)),
      FLookup(std::move(lookup))
{
    view.viewport()->installEventFilter(this);
}

QString TLineStatus::Reading() const
{
    const TGuideLine *line = FLines.Selection();
    if (!line || line->Tag() < 1 || line->Tag() > MeasureCount)
        return {};
    return TLineReading::StatusText(FLookup(QStringLiteral("StatusLineReading")), line->Tag(),
                                    FCaptionOf(line->Tag()), line->Location());
}

// Every change of a line repaints the view, so the paints keep the reading
// current whatever moved the line.
bool TLineStatus::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        FInside = true;
        Refresh();
        break;
    case QEvent::Paint:
        Refresh();
        break;
    case QEvent::Leave:
        Leave();
        break;
    default:
        break;
    }
    return false;
}

void TLineStatus::Refresh()
{
    const QString reading = Reading();
    if (reading.isEmpty()) {
        if (FShowing)
            FStatusBar.clearMessage();
        FShowing = false;
    } else if (FInside || reading != FLast) {
        if (FStatusBar.currentMessage() != reading)
            FStatusBar.showMessage(reading);
        FShowing = true;
    }
    FLast = reading;
}

void TLineStatus::Leave()
{
    FInside = false;
    if (FShowing)
        FStatusBar.clearMessage();
    FShowing = false;
}
