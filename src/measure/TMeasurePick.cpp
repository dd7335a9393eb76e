#include "TMeasurePick.h"

#include "input/TPhotoLoader.h"
#include "measure/TGuideLines.h"
#include "measure/THandTool.h"
#include "measure/TImgView32.h"
#include "measure/TMeasureHistory.h"
#include "widgets/TAdvToolPanel.h"

#include <QLabel>
#include <QPixmap>


TMeasurePick::TMeasurePick(TAdvToolPanel &panel, QLabel &preview, TImgView32 &view, THandTool &handTool,
                           TGuideLines &guideLines, TMeasureHistory &history, QString pictureFolder, Lookup lookup,
                           ShowError showError)
    : FPanel(panel), FPreview(preview), FView(view), FHandTool(handTool), FGuideLines(guideLines), FHistory(history),
      FPictureFolder(std::move(pictureFolder)), FLookup(std::move(lookup)), FShowError(std::move(showError))
{
}

void TMeasurePick::ItemClick(int section, int item)
{
    FHandTool.SetEnabled(false);
    if (section != MeasureSection)
        return;
    if (FView.IsPhotoEmpty()) {
        FShowError(FLookup(QStringLiteral("errorFileNotOpen")));
        return;
    }
    const int n = item + 1;
    if (FGuideLines.LineOf(n))
        Pick(item);
    else
        FHistory.Record(TMeasureHistory::CreateLine, n, {n}, [this, item] { Pick(item); });
}

void TMeasurePick::Pick(int item)
{
    const int n = item + 1;
    const QString sample = FPictureFolder + QString::number(n) + QStringLiteral(".jpg");
    FPreview.setPixmap(QPixmap::fromImage(TPhotoLoader::Load(sample).Pixels()));
    FPanel.setItemImageIndex(MeasureSection, item, ArrowGlyph);
    const int current = FGuideLines.CurrentMeasure();
    if (current > 0)
        FPanel.setItemImageIndex(MeasureSection, current - 1, TickGlyph);
    FGuideLines.StartMeasure(n);
}
