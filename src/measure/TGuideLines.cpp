#include "TGuideLines.h"

#include "TGuideLine.h"
#include "TImgView32.h"
#include "core/TMeasureCatalogue.h"
#include "TSelectionFrame.h"
#include "input/TPhotoLoader.h"

#include <memory>

TGuideLines::TGuideLines(TImgView32 &view, TMeasureStore &store, QString pictureFolder,
                         std::function<void()> handToolOff)
    : FView(view), FStore(store), FPictureFolder(std::move(pictureFolder)), FHandToolOff(std::move(handToolOff))
{
    // Every release over the view, whoever took it, stores the line.
    FRelease = QObject::connect(&FView, &TImgView32::mouseUp, &FView, [this] { StoreSelection(); });
}

TGuideLines::~TGuideLines()
{
    QObject::disconnect(FRelease);
}

QString TGuideLines::GuideLinePicture(int n) const
{
    return FPictureFolder + (IsVerticalFaceValue(n) ? QStringLiteral("vline.jpg") : QStringLiteral("hline.jpg"));
}

void TGuideLines::StartMeasure(int n)
{
    FCurrent = n;
    if (FindGuideLine() >= 0) {
        ShowMeasure(n);
        return;
    }
    try {
        CreateGuideLine();
    } catch (...) {
        // The previous line is hidden now: it must not stay draggable.
        SelectGuideLine(nullptr);
        throw;
    }
    StoreSelection();
}

void TGuideLines::ShowMeasure(int n)
{
    FCurrent = n;
    const int found = FindGuideLine();
    auto *line = static_cast<TGuideLine *>(FView.Layer(found));
    if (line)
        line->SetVisible(true);
    SelectGuideLine(line);
}

int TGuideLines::FindGuideLine()
{
    int found = -1;
    for (int i = 0; i < FView.LayerCount(); ++i) {
        TViewLayer *layer = FView.Layer(i);
        if (layer != FFrame && layer->Tag() == FCurrent)
            found = i;
        else
            layer->SetVisible(false);
    }
    return found;
}

TGuideLine *TGuideLines::CreateGuideLine()
{
    // The picture is read before the layer exists, so a failure leaves no
    // half-made line behind.
    const QImage picture = TPhotoLoader::Load(GuideLinePicture(FCurrent)).Pixels();
    TGuideLine *line = AddLine(FCurrent, picture, CentredRect(picture.size()));
    SelectGuideLine(line);
    return line;
}

TFloatRect TGuideLines::CentredRect(QSize size) const
{
    // Centred on the photo point under the viewport's centre, w × h photo
    // pixels whatever the zoom. The centre is ((left + right) div 2,
    // (top + bottom) div 2) with right and bottom the exclusive edges
    // (left + width, top + height), as in all of the view's arithmetic; Qt's
    // QRect::right() is the last pixel inside, one less.
    const QRect viewport = FView.ViewportRect();
    const int right = viewport.left() + viewport.width();
    const int bottom = viewport.top() + viewport.height();
    const QPoint centre((viewport.left() + right) / 2, (viewport.top() + bottom) / 2);
    const QPoint q = FView.MapToImage(centre);
    const float w = float(size.width());
    const float h = float(size.height());
    return {q.x() - w / 2, q.y() - h / 2, q.x() + w / 2, q.y() + h / 2};
}

TGuideLine *TGuideLines::AddLine(int n, const QImage &picture, const TFloatRect &rect)
{
    auto *line = FView.AddLayer(std::make_unique<TGuideLine>());
    line->SetPicture(picture);
    line->SetLocation(rect);
    line->SetOnMouseDown([this](TGuideLine *pressed) { LayerMouseDown(pressed); });
    line->SetOpacity(TBitmapLayer::GuideLineOpacity);
    line->SetTag(n);
    return line;
}

TGuideLine *TGuideLines::LineOf(int n) const
{
    for (int i = 0; i < FView.LayerCount(); ++i) {
        TViewLayer *layer = FView.Layer(i);
        if (layer != FFrame && layer->Tag() == n)
            return static_cast<TGuideLine *>(layer);
    }
    return nullptr;
}

TGuideLine *TGuideLines::PlaceLine(int n, const TFloatRect &rect, const QImage &picture)
{
    TGuideLine *line = LineOf(n);
    if (line) {
        line->SetLocation(rect);
    } else {
        line = AddLine(n, picture.isNull() ? TPhotoLoader::Load(GuideLinePicture(n)).Pixels() : picture, rect);
        line->SetVisible(n == FCurrent);
        if (FFrame)
            FView.BringLayerToTop(FFrame);
    }
    SetEntry(n, rect);
    return line;
}

void TGuideLines::RemoveLine(int n)
{
    TGuideLine *line = LineOf(n);
    if (!line)
        return;
    if (line == FSelection)
        SelectGuideLine(nullptr);
    FView.RemoveLayer(line);
}

bool TGuideLines::IsStoreNumber(int n) const
{
    return n > 0 && n < FStore.size();
}

TFloatRect TGuideLines::Entry(int n) const
{
    return IsStoreNumber(n) ? FStore.at(n) : TFloatRect();
}

void TGuideLines::SetEntry(int n, const TFloatRect &rect)
{
    if (IsStoreNumber(n))
        FStore[n] = rect;
}

void TGuideLines::SelectGuideLine(TGuideLine *line)
{
    if (line == FSelection)
        return;
    if (FFrame) {
        FFrame->Attach(nullptr);
        FView.Invalidate();
    }
    FSelection = line;
    if (!line)
        return;
    if (!FFrame) {
        FFrame = FView.AddLayer(std::make_unique<TSelectionFrame>());
        FFrame->SetResizingHook(&TFrameGeometry::RBResizing);
    } else {
        FView.BringLayerToTop(FFrame);
    }
    FFrame->Attach(line);
    FHandToolOff();
}

void TGuideLines::LayerMouseDown(TGuideLine *line)
{
    SelectGuideLine(line);
}

void TGuideLines::StoreSelection()
{
    // Only the current measurement's own line is stored: after a failed
    // start the selection can still be another measurement's line.
    if (FSelection && FSelection->Tag() == FCurrent)
        SetEntry(FCurrent, FSelection->Location());
}
