#include "skin/frame/frame_cursor.h"

namespace tessaly::skin {

Qt::CursorShape cursorForHit(FrameHit hit)
{
    switch (hit) {
    case FrameHit::Left:
    case FrameHit::Right:
        return Qt::SizeHorCursor;
    case FrameHit::Top:
    case FrameHit::Bottom:
        return Qt::SizeVerCursor;
    case FrameHit::TopLeft:
    case FrameHit::BottomRight:
        return Qt::SizeFDiagCursor;
    case FrameHit::TopRight:
    case FrameHit::BottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

Qt::Edges edgesForHit(FrameHit hit)
{
    switch (hit) {
    case FrameHit::Left: return Qt::LeftEdge;
    case FrameHit::Right: return Qt::RightEdge;
    case FrameHit::Top: return Qt::TopEdge;
    case FrameHit::Bottom: return Qt::BottomEdge;
    case FrameHit::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case FrameHit::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case FrameHit::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case FrameHit::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    default: return {};
    }
}

} // namespace tessaly::skin
