#include "TToolPanelGeometry.h"

#include <algorithm>

TToolPanelGeometry::TToolPanelGeometry(int width, int itemHeight) : FWidth(width), FItemHeight(itemHeight)
{
}

void TToolPanelGeometry::setWidth(int width)
{
    FWidth = width;
}

void TToolPanelGeometry::setItemHeight(int itemHeight)
{
    FItemHeight = itemHeight;
}

int TToolPanelGeometry::itemHeight() const
{
    return FItemHeight;
}

int TToolPanelGeometry::addSection(int height)
{
    FSections.append({height, 0});
    return int(FSections.size()) - 1;
}

void TToolPanelGeometry::setItemCount(int section, int count)
{
    FSections[section].itemCount = count;
}

int TToolPanelGeometry::sectionCount() const
{
    return int(FSections.size());
}

QRect TToolPanelGeometry::captionBarRect() const
{
    return QRect(0, 0, FWidth, CaptionHeight);
}

QRect TToolPanelGeometry::pinButtonRect() const
{
    // Right-aligned on the caption bar with the sections' margin, centred
    // vertically: (22 - 18) / 2 = 2 pixels above and below.
    const int top = (CaptionHeight - PinButtonSize) / 2;
    return QRect(FWidth - Indent - PinButtonSize, top, PinButtonSize, PinButtonSize);
}

int TToolPanelGeometry::itemsHeight(int section) const
{
    const int count = FSections.at(section).itemCount;
    return count > 0 ? 2 * ItemPadding + count * FItemHeight : 0;
}

int TToolPanelGeometry::sectionHeight(int section) const
{
    // border + caption bar + item lines + border
    const int needed = 2 * Border + SectionCaptionHeight + itemsHeight(section);
    return std::max(FSections.at(section).height, needed);
}

QRect TToolPanelGeometry::sectionRect(int section) const
{
    int top = CaptionHeight + Spacing;
    for (int s = 0; s < section; ++s)
        top += sectionHeight(s) + Spacing;
    return QRect(Indent, top, FWidth - 2 * Indent, sectionHeight(section));
}

QRect TToolPanelGeometry::sectionCaptionRect(int section) const
{
    const QRect inner = sectionRect(section).adjusted(Border, Border, -Border, -Border);
    return QRect(inner.left(), inner.top(), inner.width(), SectionCaptionHeight);
}

QRect TToolPanelGeometry::contentRect(int section) const
{
    const QRect inner = sectionRect(section).adjusted(Border, Border, -Border, -Border);
    return inner.adjusted(0, SectionCaptionHeight, 0, 0);
}

QRect TToolPanelGeometry::itemLineRect(int section, int item) const
{
    const QRect content = contentRect(section);
    return QRect(content.left() + ItemIndent, content.top() + ItemPadding + item * FItemHeight,
                 content.width() - 2 * ItemIndent, FItemHeight);
}

QRect TToolPanelGeometry::areaRect(int section) const
{
    return contentRect(section).adjusted(0, itemsHeight(section), 0, 0);
}

int TToolPanelGeometry::bottom() const
{
    return FSections.isEmpty() ? CaptionHeight : sectionRect(sectionCount() - 1).bottom() + 1;
}
