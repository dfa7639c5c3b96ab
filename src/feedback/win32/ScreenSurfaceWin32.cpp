#include "ScreenSurfaceWin32.h"

namespace zoram {

ScreenSurfaceWin32::~ScreenSurfaceWin32() { Release(); }

void ScreenSurfaceWin32::Attach() {
    if (!dc_) dc_ = GetDC(nullptr);
    SetColor(0);
}

void ScreenSurfaceWin32::Release() {
    FreeSnapshots();
    if (dc_) {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        ReleaseDC(nullptr, dc_);
        dc_ = nullptr;
    }
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
    pen_ = nullptr;
    brush_ = nullptr;
}

void ScreenSurfaceWin32::SetColor(uint32_t bgr) {
    if (!dc_) return;
    HPEN pen = CreatePen(PS_SOLID, 3, bgr);
    HBRUSH brush = CreateSolidBrush(bgr);
    SelectObject(dc_, pen);
    SelectObject(dc_, brush);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
    pen_ = pen;
    brush_ = brush;
}

void ScreenSurfaceWin32::FillCircle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (dc_) Ellipse(dc_, left, top, right, bottom);
}

void ScreenSurfaceWin32::MoveTo(TPoint p) {
    if (dc_) MoveToEx(dc_, p.x, p.y, nullptr);
}

void ScreenSurfaceWin32::LineTo(TPoint p) {
    if (dc_) ::LineTo(dc_, p.x, p.y);
}

void ScreenSurfaceWin32::Snapshot(const std::vector<ScreenRect>& monitors) {
    if (!dc_) return;
    FreeSnapshots();
    HDC mem = CreateCompatibleDC(dc_);
    for (const ScreenRect& m : monitors) {
        HBITMAP bmp = CreateCompatibleBitmap(dc_, m.right - m.left, m.bottom - m.top);
        if (!bmp) continue;
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, m.right - m.left, m.bottom - m.top, dc_, m.left, m.top, SRCCOPY);
        SelectObject(mem, old);
        snapshots_.push_back({m, bmp});
    }
    DeleteDC(mem);
}

void ScreenSurfaceWin32::RestoreSnapshots() {
    if (dc_ && !snapshots_.empty()) {
        HDC mem = CreateCompatibleDC(dc_);
        for (const Saved& s : snapshots_) {
            HGDIOBJ old = SelectObject(mem, s.bitmap);
            BitBlt(dc_, s.bounds.left, s.bounds.top, s.bounds.right - s.bounds.left,
                   s.bounds.bottom - s.bounds.top, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
        }
        DeleteDC(mem);
    }
    FreeSnapshots();
}

void ScreenSurfaceWin32::FreeSnapshots() {
    for (const Saved& s : snapshots_) DeleteObject(s.bitmap);
    snapshots_.clear();
}

namespace {
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back({r->left, r->top, r->right, r->bottom});
    return TRUE;
}
}  // namespace

std::vector<ScreenRect> EnumerateMonitors() {
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace zoram
