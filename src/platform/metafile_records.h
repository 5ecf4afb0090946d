#pragma once

#include <QtGlobal>

// The numbers of the placeable metafile format that both the writer and the reader
// need. Multi-byte values are little-endian; sizes are counted in 16-bit words.
namespace platform::wmf {

inline constexpr quint32 PlaceableKey = 0x9AC6CDD7;
inline constexpr int PlaceableHeaderBytes = 22;
inline constexpr int PlaceableChecksumWords = 10;

inline constexpr quint16 MemoryMetafile = 1;
inline constexpr quint16 DiskMetafile = 2;
inline constexpr quint16 HeaderWords = 9;
inline constexpr quint16 Version300 = 0x0300;
inline constexpr quint16 Version100 = 0x0100;

// Every record starts with its size in words (32 bits) and its function number (16 bits).
inline constexpr int RecordHeaderWords = 3;
inline constexpr int RecordHeaderBytes = 6;

enum Function : quint16 {
    Eof = 0x0000,
    SaveDc = 0x001E,
    RealizePalette = 0x0035,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    SelectPalette = 0x0234,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    CreateRegion = 0x06FF,
    ExtTextOut = 0x0A32,
};

inline constexpr quint16 MapModeText = 1;
inline constexpr quint16 MapModeAnisotropic = 8;

inline constexpr quint16 BkTransparent = 1;
inline constexpr quint16 BkOpaque = 2;

inline constexpr quint16 FillAlternate = 1;
inline constexpr quint16 FillWinding = 2;

// Text alignment flags: horizontal in bits 1-2, vertical in bits 3-4.
inline constexpr quint16 AlignUpdateCp = 0x0001;
inline constexpr quint16 AlignLeft = 0x0000;
inline constexpr quint16 AlignRight = 0x0002;
inline constexpr quint16 AlignCenter = 0x0006;
inline constexpr quint16 AlignHorizontalMask = 0x0006;
inline constexpr quint16 AlignTop = 0x0000;
inline constexpr quint16 AlignBottom = 0x0008;
inline constexpr quint16 AlignBaseline = 0x0018;
inline constexpr quint16 AlignVerticalMask = 0x0018;

inline constexpr quint16 TextOptionOpaque = 0x0002;
inline constexpr quint16 TextOptionClipped = 0x0004;

inline constexpr quint16 PenSolid = 0;
inline constexpr quint16 PenDash = 1;
inline constexpr quint16 PenDot = 2;
inline constexpr quint16 PenDashDot = 3;
inline constexpr quint16 PenDashDotDot = 4;
inline constexpr quint16 PenNull = 5;
inline constexpr quint16 PenInsideFrame = 6;
inline constexpr quint16 PenStyleMask = 0x000F;
inline constexpr quint16 PenEndCapSquare = 0x0100;
inline constexpr quint16 PenEndCapFlat = 0x0200;
inline constexpr quint16 PenEndCapMask = 0x0F00;
inline constexpr quint16 PenJoinBevel = 0x1000;
inline constexpr quint16 PenJoinMiter = 0x2000;
inline constexpr quint16 PenJoinMask = 0xF000;

inline constexpr quint16 BrushSolid = 0;
inline constexpr quint16 BrushNull = 1;
inline constexpr quint16 BrushHatched = 2;

inline constexpr quint16 HatchHorizontal = 0;
inline constexpr quint16 HatchVertical = 1;
inline constexpr quint16 HatchForwardDiagonal = 2;
inline constexpr quint16 HatchBackwardDiagonal = 3;
inline constexpr quint16 HatchCross = 4;
inline constexpr quint16 HatchDiagonalCross = 5;

// A colour reference is red, green, blue and a flags byte; flags 1 makes the low word an index
// into the selected palette.
inline constexpr quint8 ColourIsPaletteIndex = 0x01;

// The fixed part of a font record before its face name, and the face name's longest size.
inline constexpr int FontFixedBytes = 18;
inline constexpr int FaceNameBytes = 32;

inline constexpr quint16 PaletteStart = 0x0300;
inline constexpr int PaletteEntryBytes = 4;

inline constexpr quint16 WeightNormal = 400;
inline constexpr quint16 WeightBold = 700;

} // namespace platform::wmf
