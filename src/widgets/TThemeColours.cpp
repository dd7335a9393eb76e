#include "TThemeColours.h"

#include <iterator>

namespace {

using S = TThemeColours::TSurface;

// light: the colour under a light palette; under a dark one the palette's
// role, made lighter by shade percent (QColor::lighter: 100 keeps it, below
// 100 darkens).
struct TSurfaceColour
{
    S surface;
    QRgb light;
    QPalette::ColorRole role;
    int shade;
};

const TSurfaceColour Surfaces[] = {
    {S::ToolBar, 0xF5F5F5, QPalette::Window, 100},
    {S::StripFrom, 0xFFFFFF, QPalette::Window, 115},
    {S::StripTo, 0xF0EFEC, QPalette::Window, 100},
    {S::StripEdge, 0xC9C9C0, QPalette::Dark, 100},
    {S::TabFrom, 0xFFFFFF, QPalette::Button, 125},
    {S::TabTo, 0xD5D1C9, QPalette::Button, 100},
    {S::TabHotFrom, 0xE4E7F0, QPalette::Highlight, 60},
    {S::TabHotTo, 0xB6BDD2, QPalette::Highlight, 90},
    {S::TabBorder, 0x002D96, QPalette::Highlight, 100},
    {S::TabText, 0x000000, QPalette::ButtonText, 100},
    {S::CaptionFocusFrom, 0xDFDFDF, QPalette::Button, 100},
    {S::CaptionFocusTo, 0xA3A7AF, QPalette::Button, 70},
    {S::CaptionFrom, 0xEFEFEF, QPalette::Button, 130},
    {S::CaptionTo, 0xC9C9C0, QPalette::Button, 100},
    {S::CaptionText, 0x000000, QPalette::ButtonText, 100},
    {S::ButtonHot, 0xB6BDD2, QPalette::Highlight, 80},
    {S::ButtonDown, 0x8592B5, QPalette::Highlight, 60},
    {S::ButtonFrame, 0x6F7DA3, QPalette::Highlight, 100},
    {S::PinInk, 0x303038, QPalette::ButtonText, 100},
    {S::PanelFrom, 0xF5F1F1, QPalette::Window, 110},
    {S::PanelTo, 0xCECEC6, QPalette::Window, 85},
    {S::PanelEdge, 0xA3A7AF, QPalette::Dark, 100},
    {S::SectionBorder, 0xFFFFFF, QPalette::Midlight, 100},
    {S::SectionCaptionFrom, 0xE7E7E7, QPalette::Button, 115},
    {S::SectionCaptionTo, 0xDEDEDE, QPalette::Button, 100},
    {S::SectionCaptionText, 0x000000, QPalette::ButtonText, 100},
    {S::SectionFrom, 0xF7F7F7, QPalette::Window, 110},
    {S::SectionTo, 0xF0EFEC, QPalette::Window, 100},
    {S::Memo, 0xF4F4F4, QPalette::Base, 100},
    {S::ViewBackground, 0xC0C0C0, QPalette::Dark, 100},
};

static_assert(std::size(Surfaces) == size_t(S::ViewBackground) + 1, "one row per surface, in enum order");

} // namespace

TThemeColours::TThemeColours(const QPalette &palette) : FPalette(palette), FDark(IsDark(palette)) {}

bool TThemeColours::IsDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

bool TThemeColours::isDark() const
{
    return FDark;
}

QColor TThemeColours::Colour(TSurface surface) const
{
    const TSurfaceColour &row = Surfaces[int(surface)];
    if (!FDark)
        return QColor::fromRgb(row.light);
    // In 8-bit channels, as every colour of the fixed look and of a picture.
    return QColor::fromRgba(FPalette.color(row.role).lighter(row.shade).rgba());
}

QColor TThemeColours::Own(const QColor &layout, TSurface surface) const
{
    return FDark ? Colour(surface) : layout;
}

QColor TThemeColours::Readable(const QColor &layout) const
{
    if (!FDark || layout.lightness() >= MinDarkTextLightness)
        return layout;
    // The HSL lightness alone is raised: hue and saturation stay.
    return QColor::fromRgba(QColor::fromHsl(layout.hslHue(), layout.hslSaturation(), MinDarkTextLightness, layout.alpha()).rgba());
}
