#pragma once

#include <QProxyStyle>

// The platform's style with the program's own touches:
// - the extension buttons of toolbars and the menu bar show built-in
//   pictures: the toolkit's are image files, and reading the first image
//   file loads every image plugin, a millisecond of start-up;
// - toolbars are flat panels, #F5F5F5 under a light palette and the
//   palette's window colour under a dark one (TThemeColours), their
//   buttons side by side without gaps.
// Style sheets would do the second, but they cost as much again at
// start-up.
class TOrvessaStyle : public QProxyStyle
{
    Q_OBJECT

public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};
