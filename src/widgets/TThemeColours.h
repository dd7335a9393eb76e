#pragma once

#include <QColor>
#include <QPalette>

// The colours the program's own surfaces are painted in: the toolbar, the
// tab strip, the tool panels, the memo and the photo view's background.
// Under a light palette they are the program's fixed look. Under a dark one
// (the desktop's, or one a style sets) each is derived from a role of the
// palette, so that no pale panel glares and every text stays readable.
class TThemeColours
{
public:
    enum class TSurface {
        ToolBar,
        StripFrom, StripTo, StripEdge,
        TabFrom, TabTo, TabHotFrom, TabHotTo, TabBorder, TabText,
        CaptionFocusFrom, CaptionFocusTo, CaptionFrom, CaptionTo, CaptionText,
        ButtonHot, ButtonDown, ButtonFrame, PinInk,
        PanelFrom, PanelTo, PanelEdge,
        SectionBorder, SectionCaptionFrom, SectionCaptionTo, SectionCaptionText, SectionFrom, SectionTo,
        Memo,
        ViewBackground,
    };

    explicit TThemeColours(const QPalette &palette);

    // A palette is dark when its window colour is darker than the text
    // drawn on it.
    static bool IsDark(const QPalette &palette);
    bool isDark() const;

    QColor Colour(TSurface surface) const;
    // A colour a window gives one of its surfaces itself (a panel's
    // gradient): that colour under a light palette, the dark palette's
    // colour of the surface otherwise.
    QColor Own(const QColor &layout, TSurface surface) const;
    // A text colour of a window's own (a panel's item captions): as it is
    // under a light palette; under a dark one the same hue, made at least as
    // light as MinDarkTextLightness so that it reads on the dark panel.
    QColor Readable(const QColor &layout) const;

    static constexpr int MinDarkTextLightness = 200; // of 255 (HSL)

private:
    QPalette FPalette;
    bool FDark;
};
