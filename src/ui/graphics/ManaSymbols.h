#pragma once

// The 33 cost symbols (five colours, X, the generic numbers 0..16, ten hybrids), drawn as
// vector shapes so they are crisp at any size.

#include <QPixmap>
#include <QRectF>

class QPainter;

namespace tovel {

// Draws symbol `image` (0..32, see CardDisplay.h) into `rect`. Image -1 is the generic symbol
// with the number `generic` on it, for amounts that have no image of their own.
void DrawCostSymbol(QPainter& painter, const QRectF& rect, int image, int generic = 0);
// One symbol as a square pixmap of `size` device-independent pixels.
QPixmap CostSymbolPixmap(int image, int size = 16, int generic = 0, qreal devicePixelRatio = 1.0);

} // namespace tovel
