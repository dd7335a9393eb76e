#include "TLineReading.h"

#include "core/TMeasureCatalogue.h"

namespace TLineReading {

float Length(int n, const TFloatRect &rect)
{
    return IsVerticalFaceValue(n) ? rect.Bottom - rect.Top : rect.Right - rect.Left;
}

QString StatusText(const QString &form, int n, const QString &caption, const TFloatRect &rect)
{
    return form.arg(QString::number(n), caption.trimmed(), QString::number(double(Length(n, rect)), 'f', 1));
}

std::array<QLineF, 2> EndMarks(const QRectF &viewRect, bool vertical)
{
    const QRectF r = viewRect.normalized();
    if (vertical) {
        const qreal left = r.left() - MarkReach, right = r.right() + MarkReach;
        return {QLineF(left, r.top(), right, r.top()), QLineF(left, r.bottom(), right, r.bottom())};
    }
    const qreal top = r.top() - MarkReach, bottom = r.bottom() + MarkReach;
    return {QLineF(r.left(), top, r.left(), bottom), QLineF(r.right(), top, r.right(), bottom)};
}

} // namespace TLineReading
