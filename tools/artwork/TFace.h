#pragma once

#include <QPainterPath>
#include <QPointF>

class QPainter;

// The schematic frontal face that the sample pictures, the wizard pictures
// and the built-in preview share. It is drawn in "face units": a 137 x 166
// picture, the size of a sample picture, with the face's midline at x = 68.5.
// The landmark constants below are the points the measurements run between;
// their spacing follows the golden-ratio canon the program scores against.
class TFace
{
public:
    // Departures from the ideal photo, used by the wizard's "not like this" pictures.
    struct TLook
    {
        double Turn = 0.0;       // -1 .. 1: head turned to the viewer's left / right
        double Tilt = 0.0;       // degrees the head leans about the neck
        bool Grin = false;       // open-mouthed smile instead of a neutral mouth
        bool Bangs = false;      // fringe hiding the forehead and hairline
        bool Sunglasses = false; // dark glasses over the eyes
        bool Hand = false;       // a hand held over the chin and mouth
        bool SideLight = false;  // one half of the face in deep shadow
    };

    static constexpr double Width = 137.0;
    static constexpr double Height = 166.0;
    static constexpr double MidX = 68.5;

    // Heights of the landmarks (y in face units).
    static constexpr double HairlineY = 33.0;
    static constexpr double BrowY = 65.5;
    static constexpr double NoseRootY = 75.0;
    static constexpr double PupilY = 78.0;
    static constexpr double CheekY = 89.0;
    static constexpr double NostrilY = 106.5;
    static constexpr double NoseBaseY = 111.0;
    static constexpr double LipsY = 126.0;
    static constexpr double ChinY = 154.0;

    // Half widths (distance from the midline).
    static constexpr double PupilDx = 18.0;
    static constexpr double EyeInnerDx = 9.0;
    static constexpr double EyeOuterDx = 27.5;
    static constexpr double CheekDx = 40.5;
    static constexpr double NoseWingDx = 10.75;
    static constexpr double MouthDx = 17.0;

    TFace() = default;
    explicit TFace(const TLook &look);

    void paint(QPainter &p) const;

private:
    TLook Look;

    // x of a feature at half width dx; features move with a turned head and
    // the side turned away is foreshortened. depth > 1 for features that stand
    // out of the face (the nose tip moves further than the eyes).
    double fx(double dx, double depth = 1.0) const;
    QPointF pt(double dx, double y, double depth = 1.0) const;

    static QPainterPath outline();
    static QPainterPath hairlineCurve();

    void paintHairBack(QPainter &p) const;
    void paintNeck(QPainter &p) const;
    void paintEars(QPainter &p) const;
    void paintSkin(QPainter &p) const;
    void paintBrows(QPainter &p) const;
    void paintEye(QPainter &p, int side) const;
    void paintNose(QPainter &p) const;
    void paintMouth(QPainter &p) const;
    void paintHairFront(QPainter &p) const;
    void paintBangs(QPainter &p) const;
    void paintSunglasses(QPainter &p) const;
    void paintHand(QPainter &p) const;
    void paintSideShadow(QPainter &p) const;
};
