#pragma once

#include "measure/TViewOverlay.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>

class TGuideLines;
class TImgView32;

// The loupe: a round magnifier beside the pointer over the photo view,
// shown while a side or end of the selected line is dragged and while the
// user holds the key Z with the pointer over the view. It shows the photo
// around the pointer, nearest-neighbour, at four times the view's scale
// (at least four device pixels per photo pixel; see TLoupeGeometry), with
// the selected line over it and a crosshair at the photo point under the
// pointer, and follows the pointer at each repaint of the view.
class TLoupe : public QObject, public TViewOverlay
{
    Q_OBJECT

public:
    static constexpr Qt::Key Key = Qt::Key_Z;

    TLoupe(TImgView32 &view, const TGuideLines &lines);
    ~TLoupe() override;

    // Whether the loupe is drawn at the next repaint.
    bool Shown() const;
    bool KeyHeld() const { return FKeyHeld; }
    // Where it is drawn (view pixels); empty while it is not shown.
    QRect Placement() const;
    // The device pixels per photo pixel it shows now.
    double Magnification() const;

    void PaintOver(QPainter &painter, const TImgView32 &view) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool Dragging() const;
    void PointerAt(QPoint viewPos);
    void SetKeyHeld(bool held);
    bool KeyEvent(QEvent *event);
    void Update();
    void MakeSquares(int side, qreal dpr);

    TImgView32 &FView;
    const TGuideLines &FLines;
    QObject *FWindow;
    QPoint FPointer;       // view pixels, the last place the mouse was seen
    bool FInside = false;  // the pointer is over the viewport
    bool FKeyHeld = false;
    bool FWasShown = false;
    QImage FTarget;        // the magnified pixels, kept between paints
    QImage FRound;         // the same cut round, with the rim
    QImage FMask;          // opaque inside the circle
    QImage FRim;           // the rim alone
};
