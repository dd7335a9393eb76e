#include "TLineAids.h"

#include "TMeasurePick.h"

#include "measure/TLineMarks.h"
#include "measure/TLineStatus.h"
#include "measure/TLoupe.h"
#include "widgets/TAdvToolPanel.h"

#include <QAction>

namespace {

constexpr int MeasureSection = TMeasurePick::MeasureSection;

} // namespace

TLineAids::TLineAids(TImgView32 &view, const TGuideLines &lines, const TAdvToolPanel &measurePanel,
                     QStatusBar &statusBar, QAction &showAllLines, Lookup lookup)
    : FShowAllLines(showAllLines), FLoupe(std::make_unique<TLoupe>(view, lines)),
      FMarks(std::make_unique<TLineMarks>(view, lines)),
      FStatus(std::make_unique<TLineStatus>(
          view, lines, statusBar,
          [&measurePanel](int n) { return measurePanel.itemCaption(MeasureSection, n - 1); }, std::move(lookup)))
{
    FShowAllLines.setCheckable(true);
    QObject::connect(&FShowAllLines, &QAction::toggled, FLoupe.get(), [this](bool on) { FMarks->SetShowAllLines(on); });
    FMarks->SetShowAllLines(FShowAllLines.isChecked());
}

TLineAids::~TLineAids() = default;

void TLineAids::SetShowAllLines(bool on)
{
    FShowAllLines.setChecked(on);
}

bool TLineAids::ShowAllLines() const
{
    return FMarks->ShowAllLines();
}
