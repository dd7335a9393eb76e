#pragma once

#include "core/TFloatRect.h"

#include <QLineF>
#include <QRectF>
#include <QString>

#include <array>

// What the selected guide line reads: its length along the measuring
// direction of its measurement, the status-bar text that reports it, and
// the end marks that show where the measured distance starts and stops.
// Plain functions, no widgets.
namespace TLineReading {

constexpr qreal MarkReach = 6; // view pixels an end mark reaches beyond the line on each side

// The length that counts for measurement n (photo pixels): the height of a
// vertical measurement's rectangle, the width of a horizontal one's.
float Length(int n, const TFloatRect &rect);

// `form` with %1 the measurement number, %2 its caption (spaces around it
// trimmed) and %3 the length with one decimal; each argument is put in once,
// so a caption holding "%2" stays as it is.
QString StatusText(const QString &form, int n, const QString &caption, const TFloatRect &rect);

// The two end marks of a line drawn at viewRect (view pixels): across the
// measuring direction at both ends, through the line's middle and
// MarkReach beyond its sides. A horizontal line's marks stand at its left
// and right edges, a vertical line's lie at its top and bottom edges.
std::array<QLineF, 2> EndMarks(const QRectF &viewRect, bool vertical);

} // namespace TLineReading
