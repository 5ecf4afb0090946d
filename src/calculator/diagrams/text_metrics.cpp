#include "text_metrics.h"

#include <cmath>

namespace diagrams {

namespace {

constexpr int UnitsPerEm = 2048;

// Advance widths of the characters the labels use, in font units of Arial.
constexpr int advance(char16_t c, bool bold)
{
    if (c >= u'0' && c <= u'9')
        return 1139;
    switch (c) {
    case u' ':
    case u'.':
        return 569;
    case u'"':
        return bold ? 971 : 727;
    case u'(':
    case u')':
        return 682;
    case u'=':
        return 1196;
    case u'A':
        return bold ? 1479 : 1366;
    case u'B':
        return bold ? 1479 : 1366;
    case u'C':
    case u'D':
    case u'R':
        return 1479;
    case u'O':
        return 1593;
    case u'a':
    case u'e':
        return 1139;
    case u'c':
        return bold ? 1139 : 1024;
    case u'g':
    case u'u':
        return bold ? 1251 : 1139;
    case u'i':
    case u'l':
        return bold ? 569 : 455;
    case u'm':
        return bold ? 1821 : 1706;
    case u'r':
        return bold ? 797 : 682;
    case u't':
        return bold ? 682 : 569;
    default:
        return 1139; // a typical lower-case width; no label uses other characters
    }
}

} // namespace

int textWidth(QStringView text, int height, bool bold)
{
    int units = 0;
    for (const QChar c : text)
        units += advance(c.unicode(), bold);
    return int(std::lround(double(units) * height / UnitsPerEm));
}

} // namespace diagrams
