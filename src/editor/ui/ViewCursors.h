#pragma once

#include "editor/DesignViewLogic.h"

#include <QCursor>
#include <QPixmap>

// The design view's own cursors, drawn in code for this editor. They keep the numbers of
// the cursor resources they stand for: 322 create, 328 resize, 329 move, 346 brush.
namespace ViewCursors {

inline constexpr int kCreate = 322;
inline constexpr int kResize = 328;
inline constexpr int kMove = 329;
inline constexpr int kBrush = 346;

// The 32 x 32 image of a cursor, null for another number.
QPixmap Image(int resourceId);
// The cursor shown for a hit kind (the system arrow for nothing).
QCursor ForHitKind(HitKind kind);
// The resource number of a hit kind, 0 for the system arrow.
int ResourceForHitKind(HitKind kind);

}
