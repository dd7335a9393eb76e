#pragma once

#include "core/TFloatRect.h"

#include <QImage>
#include <QMetaObject>
#include <QSize>
#include <QString>
#include <functional>

class TGuideLine;
class TImgView32;
class TSelectionFrame;

// The guide lines of the eleven measurements, the selection and the frame
// that moves and resizes the selected line, and the writing of line
// rectangles into the measurement store. The main window owns it and keeps
// the store; the lines and the frame are layers of the photo view.
//
// Every store entry always equals its own line: starting a measurement whose
// line exists selects that line, and hidden lines take no presses, so a
// release never writes one measurement's line into another's entry.
class TGuideLines
{
public:
    // pictureFolder ends in a separator; handToolOff switches the hand tool
    // off (selecting a line does that).
    TGuideLines(TImgView32 &view, TMeasureStore &store, QString pictureFolder, std::function<void()> handToolOff);
    ~TGuideLines();
    TGuideLines(const TGuideLines &) = delete;
    TGuideLines &operator=(const TGuideLines &) = delete;

    int CurrentMeasure() const { return FCurrent; }
    TGuideLine *Selection() const { return FSelection; }
    TSelectionFrame *Frame() const { return FFrame; }

    // Makes n the current measurement, hides every other line, and shows
    // and selects the line of n, creating it (centred in the viewport) and
    // storing it when it does not exist yet.
    void StartMeasure(int n);
    // Position of the current measurement's line in the view's layers, or
    // -1; hides every other layer.
    int FindGuideLine();
    // A new line for the current measurement, on top, centred on the photo
    // point under the viewport's centre, the picture's own size in photo
    // pixels. A picture that cannot be loaded throws; nothing is left behind.
    TGuideLine *CreateGuideLine();
    void SelectGuideLine(TGuideLine *line);
    // A press on a line selects it.
    void LayerMouseDown(TGuideLine *line);
    // Each release over the view: the selected line's rectangle goes into
    // the store entry of the current measurement.
    void StoreSelection();

    QString GuideLinePicture(int n) const;

    // The line of measurement n, or nullptr when it was never made.
    TGuideLine *LineOf(int n) const;
    // A rectangle of `size` photo pixels centred on the photo point under
    // the viewport's centre: where a new line goes.
    TFloatRect CentredRect(QSize size) const;
    // Gives measurement n's line the rectangle and stores it in entry n. A
    // line that does not exist yet is made with `picture`, or with its
    // picture file when `picture` is null (which throws when unreadable);
    // it is shown only when n is the current measurement.
    TGuideLine *PlaceLine(int n, const TFloatRect &rect, const QImage &picture = {});
    // Takes measurement n's line out of the view; its store entry stays.
    void RemoveLine(int n);
    // Makes n the current measurement (0 for none) and shows and selects its
    // line, if it has one, hiding every other; nothing is created or stored.
    void ShowMeasure(int n);
    // The store entry of measurement n, written whole.
    TFloatRect Entry(int n) const;
    void SetEntry(int n, const TFloatRect &rect);

private:
    TGuideLine *AddLine(int n, const QImage &picture, const TFloatRect &rect);
    bool IsStoreNumber(int n) const;

    TImgView32 &FView;
    TMeasureStore &FStore;
    QString FPictureFolder;
    std::function<void()> FHandToolOff;
    int FCurrent = 0;
    TGuideLine *FSelection = nullptr;
    TSelectionFrame *FFrame = nullptr;
    QMetaObject::Connection FRelease;
};
