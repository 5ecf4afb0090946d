#include "numtext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace platform {

QString decimalText(qint16 value)
{
    return QString::number(value);
}

QString decimalText(float value)
{
    // std::to_chars ignores the C locale, which Qt sets from the environment.
    std::array<char, 32> buffer{};
    char *end = buffer.data();
    for (int precision = 1; precision <= 7; ++precision) {
        end = std::to_chars(buffer.data(),
                            buffer.data() + buffer.size(),
                            value,
                            std::chars_format::scientific,
                            precision - 1)
                  .ptr;
        float back = 0;
        std::from_chars(buffer.data(), end, back);
        if (back == value)
            break;
    }

    // Split "-d.ddde+XX" into sign, significant digits and the decimal exponent.
    const std::string scientific(buffer.data(), end);
    const std::size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (scientific[i] != '.')
            digits += scientific[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::stoi(scientific.substr(e + 1));

    std::string text = negative ? "-" : "";
    if (digits == "0") {
        text = "0";
    } else if (exponent >= 7 || exponent < -5) {
        text += digits.substr(0, 1);
        if (digits.size() > 1)
            text += '.' + digits.substr(1);
        const int magnitude = exponent < 0 ? -exponent : exponent;
        text += exponent < 0 ? "E-" : "E+";
        text += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    } else if (exponent >= 0) {
        const std::size_t whole = std::size_t(exponent) + 1;
        if (digits.size() <= whole)
            text += digits + std::string(whole - digits.size(), '0');
        else
            text += digits.substr(0, whole) + '.' + digits.substr(whole);
    } else {
        text += "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    }
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Collects the characters of the number at the start of text (blanks dropped) and tells how
// far into the text the number reaches.
struct Scan
{
    std::string number;
    qsizetype end = 0;
};

Scan scanNumber(QStringView text)
{
    Scan scan;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i]))
            ++i;
    };
    auto digits = [&] {
        bool any = false;
        for (skipBlanks(); i < n && isDigit(text[i]); skipBlanks()) {
            scan.number += char(text[i].unicode());
            ++i;
            any = true;
        }
        return any;
    };

    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        scan.number += char(text[i].unicode());
        ++i;
    }
    bool any = digits();
    if (i < n && text[i] == u'.') {
        scan.number += '.';
        ++i;
        any = digits() || any;
    }
    if (!any) {
        scan.number.clear();
        scan.end = 0;
        return scan;
    }
    scan.end = i;
    if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        const std::string mantissa = scan.number;
        ++i;
        skipBlanks();
        std::string exponent = "e";
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            exponent += char(text[i].unicode());
            ++i;
        }
        const std::size_t before = scan.number.size();
        scan.number += exponent;
        if (digits()) {
            scan.end = i;
        } else {
            scan.number.resize(before);
        }
    }
    return scan;
}

// Whether a number that no double can hold is too large rather than too small: the decimal
// exponent of its first significant digit is positive. Out of range, it is far from zero.
bool tooLarge(const std::string &number)
{
    const std::size_t e = std::min(number.find('e'), number.size());
    const std::size_t point = std::min(number.find('.'), e);
    const std::size_t first = number.find_first_of("123456789");
    if (first >= e)
        return false;
    const auto digitsBetween = [](std::size_t from, std::size_t to) {
        return static_cast<long long>(to - from);
    };
    const long long magnitude = first < point ? digitsBetween(first, point) - 1
                                              : -digitsBetween(point, first);
    long long exponent = 0;
    for (std::size_t i = e + 1; i < number.size(); ++i) {
        if (number[i] >= '0' && number[i] <= '9' && exponent < 1'000'000'000)
            exponent = exponent * 10 + (number[i] - '0');
    }
    if (e + 1 < number.size() && number[e + 1] == '-')
        exponent = -exponent;
    return magnitude + exponent > 0;
}

double toDouble(const std::string &number)
{
    if (number.empty())
        return 0;
    const char *first = number.data();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto result = std::from_chars(first, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!tooLarge(number))
            return 0;
        return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    }
    return value;
}

} // namespace

double leadingNumber(QStringView text)
{
    return toDouble(scanNumber(text).number);
}

std::optional<double> wholeNumber(QStringView text)
{
    const Scan scan = scanNumber(text);
    if (scan.number.empty())
        return std::nullopt;
    qsizetype i = scan.end;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i != text.size())
        return std::nullopt;
    return toDouble(scan.number);
}

} // namespace platform
