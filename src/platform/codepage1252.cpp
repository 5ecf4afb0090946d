#include "codepage1252.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

// 0x80 to 0x9F are the only codes that differ from Latin-1; 0 marks an unassigned code.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      //
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char encode(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    if (c != 0) {
        const auto found = std::find(HighControlRange.begin(), HighControlRange.end(), c);
        if (found != HighControlRange.end())
            return char(0x80 + (found - HighControlRange.begin()));
    }
    return '?';
}

} // namespace

QByteArray toCodePage1252(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes.append(encode(c.unicode()));
    return bytes;
}

QString fromCodePage1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = uchar(byte);
        const char16_t mapped = code >= 0x80 && code < 0xA0 ? HighControlRange[code - 0x80] : code;
        text.append(QChar(mapped != 0 ? mapped : char16_t(0xFFFD)));
    }
    return text;
}

} // namespace platform
