#include "TViewOverlay.h"

TViewOverlay::~TViewOverlay() = default;

void TViewOverlay::PaintUnder(QPainter &, const TImgView32 &) {}
void TViewOverlay::PaintOver(QPainter &, const TImgView32 &) {}
