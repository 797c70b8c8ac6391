#pragma once

#include <cstdint>

// The Windows metafile format: record function numbers and the codes their
// parameters use. One place, shared by the writer and the player.
namespace qv::metafile::wmf {

constexpr std::uint32_t placeableKey = 0x9AC6CDD7;
constexpr int placeableHeaderBytes = 22;
constexpr int headerWords = 9;
constexpr std::uint16_t memoryMetafile = 1;
constexpr std::uint16_t version300 = 0x0300;

enum Function : std::uint16_t {
    EndOfFile = 0x0000,
    SaveDC = 0x001E,
    RealizePalette = 0x0035,
    SetBkColor = 0x0201,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    OffsetViewportOrg = 0x0211,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    SelectPalette = 0x0234,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    Escape = 0x0626,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    Polygon = 0x0324,
    Polyline = 0x0325,
    PolyPolygon = 0x0538,
    ExtTextOut = 0x0A32,
    RestoreDC = 0x0127,
    SetTextAlign = 0x012E,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    CreatePalette = 0x00F7,
    CreatePatternBrush = 0x01F9,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    CreateRegion = 0x06FF,
    DibCreatePatternBrush = 0x0142,
    BitBlt = 0x0922,
    StretchBlt = 0x0B23,
    DibBitBlt = 0x0940,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};

enum PenStyle : std::uint16_t { PenSolid = 0, PenDash = 1, PenDot = 2, PenDashDot = 3, PenDashDotDot = 4, PenNull = 5 };
enum BrushStyle : std::uint16_t { BrushSolid = 0, BrushNull = 1, BrushHatched = 2 };
enum Hatch : std::uint16_t { HatchHorizontal, HatchVertical, HatchForwardDiagonal, HatchBackwardDiagonal, HatchCross, HatchDiagonalCross };
enum BackgroundMode : std::uint16_t { Transparent = 1, Opaque = 2 };
enum PolyFillMode : std::uint16_t { Alternate = 1, Winding = 2 };
enum MapMode : std::uint16_t { MapText = 1, MapAnisotropic = 8 };

// Text alignment flags of SetTextAlign.
constexpr std::uint16_t alignUpdateCurrentPosition = 0x0001;
constexpr std::uint16_t alignHorizontalMask = 0x0006;
constexpr std::uint16_t alignRight = 0x0002;
constexpr std::uint16_t alignCenter = 0x0006;
constexpr std::uint16_t alignVerticalMask = 0x0018;
constexpr std::uint16_t alignBottom = 0x0008;
constexpr std::uint16_t alignBaseline = 0x0018;

// ExtTextOut options.
constexpr std::uint16_t textOpaque = 0x0002;
constexpr std::uint16_t textClipped = 0x0004;

constexpr std::int16_t fontWeightNormal = 400;
constexpr std::int16_t fontWeightBold = 700;
constexpr std::uint8_t ansiCharset = 0;
constexpr std::uint8_t symbolCharset = 2;
constexpr std::uint8_t outlinePrecision = 8; // OUT_OUTLINE_PRECIS
constexpr std::uint8_t antialiasedQuality = 4;
constexpr int faceNameBytes = 32;

constexpr std::uint32_t sourceCopy = 0x00CC0020; // SRCCOPY raster operation

} // namespace qv::metafile::wmf
