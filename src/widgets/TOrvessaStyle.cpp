#include "TOrvessaStyle.h"

#include "TBuiltInImage.h"
#include "TThemeColours.h"

#include <QPainter>
#include <QStyleOption>

QIcon TOrvessaStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    switch (icon) {
    case SP_ToolBarHorizontalExtensionButton:
        return TBuiltInImage::icon(QStringLiteral("extension-h"));
    case SP_ToolBarVerticalExtensionButton:
        return TBuiltInImage::icon(QStringLiteral("extension-v"));
    default:
        return QProxyStyle::standardIcon(icon, option, widget);
    }
}

int TOrvessaStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    switch (metric) {
    case PM_ToolBarItemSpacing:
    case PM_ToolBarFrameWidth:
        return 0;
    case PM_ToolBarItemMargin:
        return 2;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

void TOrvessaStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                const QWidget *widget) const
{
    if (element == CE_ToolBar) {
        painter->fillRect(option->rect, TThemeColours(option->palette).Colour(TThemeColours::TSurface::ToolBar));
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
