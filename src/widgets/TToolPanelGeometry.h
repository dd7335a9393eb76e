#pragma once

#include <QList>
#include <QRect>

// Where the parts of a tool panel lie, in panel coordinates (origin at the
// panel's top left): the caption bar across the top, then the sections
// stacked below it. A section is framed by a 1-pixel border and starts with
// its own caption bar; below that come its item lines, and the rest of the
// section is the area for controls of its own. A section is never lower than
// its given height, and grows when its item lines would not fit.
class TToolPanelGeometry
{
public:
    static constexpr int CaptionHeight = 22;        // panel caption bar
    static constexpr int PinButtonSize = 18;        // square, on the caption bar
    static constexpr int Indent = 4;                // sections' left and right margin
    static constexpr int Spacing = 4;               // above every section
    static constexpr int Border = 1;                // around every section
    static constexpr int SectionCaptionHeight = 18; // a section's caption bar
    static constexpr int ItemPadding = 3;           // above the first, below the last item line
    static constexpr int ItemIndent = 6;            // item lines' left and right margin

    TToolPanelGeometry(int width, int itemHeight);

    void setWidth(int width);
    void setItemHeight(int itemHeight);
    int itemHeight() const;

    int addSection(int height);
    void setItemCount(int section, int count);
    int sectionCount() const;

    QRect captionBarRect() const;
    QRect pinButtonRect() const;

    int sectionHeight(int section) const; // the given height, grown to fit the items
    QRect sectionRect(int section) const; // border included
    QRect sectionCaptionRect(int section) const;
    QRect contentRect(int section) const; // inside the border, below the caption bar
    QRect itemLineRect(int section, int item) const;
    QRect areaRect(int section) const;    // content below the item lines
    int bottom() const;                   // below the last section

private:
    struct TSection
    {
        int height;
        int itemCount;
    };

    int itemsHeight(int section) const;

    int FWidth;
    int FItemHeight;
    QList<TSection> FSections;
};
