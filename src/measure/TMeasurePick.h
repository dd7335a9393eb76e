#pragma once

#include <QString>
#include <functional>

class QLabel;
class TAdvToolPanel;
class TGuideLines;
class THandTool;
class TImgView32;
class TMeasureHistory;

// The pick of a measurement on the Measure panel: the panel's item click
// shows the sample picture of what to mark, turns the item into the blue
// arrow and the previous one into the green tick, and starts the
// measurement's guide line.
class TMeasurePick
{
public:
    using Lookup = std::function<QString(const QString &key)>;
    using ShowError = std::function<void(const QString &message)>;

    // The Measure panel's section of the eleven items, and their glyphs.
    static constexpr int MeasureSection = 1;
    static constexpr int NotStartedGlyph = 0;
    static constexpr int ArrowGlyph = 1;
    static constexpr int TickGlyph = 2;
    static constexpr int PlacedAutomaticallyGlyph = 3;

    // pictureFolder ends in a separator; the sample of measurement n is
    // "<n>.jpg" there.
    TMeasurePick(TAdvToolPanel &panel, QLabel &preview, TImgView32 &view, THandTool &handTool,
                 TGuideLines &guideLines, TMeasureHistory &history, QString pictureFolder, Lookup lookup,
                 ShowError showError);

    // Item `item` of section `section` was clicked. In this order:
    // 1. the hand tool goes off;
    // 2. only the Measure section (1) goes on;
    // 3. without a photo the error "errorFileNotOpen" is shown, nothing else;
    // 4. the preview shows the sample picture of measurement n = item + 1;
    // 5. the item gets the arrow glyph (1);
    // 6. the current measurement's item, if any, gets the tick glyph (2);
    // 7. measurement n starts.
    // A sample or line picture that cannot be read throws; what was done
    // before stays. A pick that makes a line is a step of the undo history,
    // steps 4 to 7 together.
    void ItemClick(int section, int item);

private:
    void Pick(int item); // steps 4 to 7


    TAdvToolPanel &FPanel;
    QLabel &FPreview;
    TImgView32 &FView;
    THandTool &FHandTool;
    TGuideLines &FGuideLines;
    TMeasureHistory &FHistory;
    QString FPictureFolder;
    Lookup FLookup;
    ShowError FShowError;
};
