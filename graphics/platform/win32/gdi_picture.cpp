#include "platform/win32/gdi_picture.h"

#include <climits>

namespace zr590::platform::win32 {
namespace {

COLORREF colorref(Rgb c) {
  return RGB(c.r, c.g, c.b);
}

// GDI counts characters in an int.
int char_count(std::string_view text) {
  return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

}  // namespace

GdiPicture::GdiPicture(HDC compatible_with)
    : dc_(CreateCompatibleDC(compatible_with)),
      bitmap_(CreateCompatibleBitmap(compatible_with, kPictureWidth, kPictureHeight)),
      initial_bitmap_(SelectObject(dc_, bitmap_)) {}

GdiPicture::~GdiPicture() {
  SelectObject(dc_, initial_bitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

template <typename Draw>
void GdiPicture::with_pen_and_brush(const Pen& pen, const Brush& brush, Draw draw) {
  // Width 0 asks for the thinnest pen, one pixel.
  HPEN new_pen = CreatePen(PS_SOLID, pen.width, colorref(pen.colour));
  HBRUSH new_brush = brush.hollow ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                  : CreateSolidBrush(colorref(brush.colour));
  HGDIOBJ old_pen = SelectObject(dc_, new_pen);
  HGDIOBJ old_brush = SelectObject(dc_, new_brush);
  draw();
  SelectObject(dc_, old_brush);
  SelectObject(dc_, old_pen);
  DeleteObject(new_pen);
  if (!brush.hollow) DeleteObject(new_brush);
}

template <typename Draw>
void GdiPicture::with_font(int height, Draw draw) {
  // A negative height asks for that character height, internal leading not counted.
  HFONT font = CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "ZR590-font");
  HGDIOBJ old_font = SelectObject(dc_, font);
  draw();
  SelectObject(dc_, old_font);
  DeleteObject(font);
}

void GdiPicture::rectangle(Box box, const Pen& pen, const Brush& brush) {
  with_pen_and_brush(pen, brush, [&] { Rectangle(dc_, box.left, box.top, box.right, box.bottom); });
}

void GdiPicture::ellipse(Box box, const Pen& pen, const Brush& brush) {
  with_pen_and_brush(pen, brush, [&] { Ellipse(dc_, box.left, box.top, box.right, box.bottom); });
}

void GdiPicture::polygon(const Point (&points)[3], const Pen& pen, const Brush& brush) {
  const POINT corners[3] = {
      {points[0].x, points[0].y}, {points[1].x, points[1].y}, {points[2].x, points[2].y}};
  with_pen_and_brush(pen, brush, [&] { Polygon(dc_, corners, 3); });
}

void GdiPicture::line(Point from, Point to, const Pen& pen) {
  HPEN new_pen = CreatePen(PS_SOLID, pen.width, colorref(pen.colour));
  HGDIOBJ old_pen = SelectObject(dc_, new_pen);
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
  SelectObject(dc_, old_pen);
  DeleteObject(new_pen);
}

Extent GdiPicture::text_extent(std::string_view text, int height) {
  SIZE size{0, 0};
  with_font(height, [&] { GetTextExtentPointA(dc_, text.data(), char_count(text), &size); });
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void GdiPicture::text_out(Point at, std::string_view text, int height, Rgb colour) {
  SetTextColor(dc_, colorref(colour));
  const int old_mode = GetBkMode(dc_);
  SetBkMode(dc_, TRANSPARENT);
  with_font(height, [&] { TextOutA(dc_, at.x, at.y, text.data(), char_count(text)); });
  SetBkMode(dc_, old_mode);
}

std::vector<Rgb> GdiPicture::read_pixels() const {
  settle_drawing(*this);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = kPictureWidth;
  info.bmiHeader.biHeight = -kPictureHeight;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bgrx(static_cast<std::size_t>(kPictureWidth) * kPictureHeight);
  // GetDIBits wants the bitmap out of every context while it reads.
  SelectObject(dc_, initial_bitmap_);
  const int rows = GetDIBits(dc_, bitmap_, 0, kPictureHeight, bgrx.data(), &info, DIB_RGB_COLORS);
  SelectObject(dc_, bitmap_);
  std::vector<Rgb> out;
  if (rows != kPictureHeight) return out;
  out.reserve(bgrx.size());
  for (const std::uint32_t v : bgrx) {
    out.push_back({static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                   static_cast<std::uint8_t>(v)});
  }
  return out;
}

}  // namespace zr590::platform::win32
