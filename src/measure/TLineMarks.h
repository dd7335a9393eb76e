#pragma once

#include "measure/TViewOverlay.h"

#include <QList>

class TGuideLine;
class TGuideLines;
class TImgView32;

// What the view draws about the guide lines besides the lines themselves:
// the end marks of the selected line and, while "Show All Lines" is on,
// the lines of the other measurements, fainter, each line labelled with its
// measurement number. It is an overlay, not a layer: the lines' own
// visibility and presses stay as the guide lines set them, so a line drawn
// faint here still takes no press.
class TLineMarks : public TViewOverlay
{
public:
    static constexpr int FaintOpacity = 30; // of 255; a shown line has TBitmapLayer::GuideLineOpacity

    TLineMarks(TImgView32 &view, const TGuideLines &lines);
    ~TLineMarks() override;

    bool ShowAllLines() const { return FShowAll; }
    void SetShowAllLines(bool on);

    // The lines drawn faint now: every hidden line of another measurement
    // while Show All Lines is on, none otherwise.
    QList<const TGuideLine *> FaintLines() const;
    // Every line labelled now: the faint ones and the shown one.
    QList<const TGuideLine *> LabelledLines() const;

    void PaintUnder(QPainter &painter, const TImgView32 &view) override;
    void PaintOver(QPainter &painter, const TImgView32 &view) override;

private:
    QList<const TGuideLine *> Lines() const;
    void PaintEndMarks(QPainter &painter, const TImgView32 &view) const;
    static void PaintLabel(QPainter &painter, const TImgView32 &view, const TGuideLine &line);

    TImgView32 &FView;
    const TGuideLines &FLines;
    bool FShowAll = false;
};
