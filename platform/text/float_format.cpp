#include "platform/text/float_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace pellamo {

namespace {

// A non-negative value as decimal digits: digits[0].digits[1..] x 10^(point - 1),
// that is `point` digits stand before the decimal point.
struct DecimalDigits {
    std::string digits;
    int point = 1;

    bool IsZero() const { return digits.find_first_not_of('0') == std::string::npos; }

    static DecimalDigits Shortest(double magnitude)
    {
        char buf[64];
        auto result = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
        std::string_view text(buf, static_cast<size_t>(result.ptr - buf));
        size_t e = text.find('e');
        DecimalDigits d;
        for (char c : text.substr(0, e))
            if (c != '.')
                d.digits += c;
        int exponent = 0;
        std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
        d.point = exponent + 1;
        return d;
    }

    // Rounds half away from zero to `decimals` digits after the point.
    void Round(int decimals)
    {
        int keep = point + decimals;
        if (keep >= static_cast<int>(digits.size()))
            return;
        if (keep < 0) {
            *this = {};
            digits.assign(1, '0'); // assign, not "0": GCC 12 at -O3 warns of a false overlap
            return;
        }
        bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
                digits[static_cast<size_t>(i--)] = '0';
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++point;
            } else {
                ++digits[static_cast<size_t>(i)];
            }
        }
        if (digits.empty()) {
            digits.assign(1, '0');
            point = 1;
        }
    }

    std::string IntegerPart() const
    {
        std::string out;
        for (int i = 0; i < point; ++i)
            out += i < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(i)] : '0';
        size_t first = out.find_first_not_of('0');
        return first == std::string::npos ? std::string() : out.substr(first);
    }

    std::string FractionPart(int count) const
    {
        std::string out;
        for (int i = 0; i < count; ++i) {
            int index = point + i;
            out += index >= 0 && index < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(index)] : '0';
        }
        return out;
    }
};

struct Section {
    std::string prefix;
    std::string suffix;
    bool has_digits = false;
    int integer_min = 0; // digits always written before the point
    bool grouping = false;
    int fraction_min = 0;
    int fraction_max = 0;
};

std::vector<std::string_view> SplitSections(std::string_view pattern)
{
    std::vector<std::string_view> sections;
    char quote = 0;
    size_t start = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';' && sections.size() < 2) {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

Section ParseSection(std::string_view text)
{
    Section s;
    bool in_fraction = false;
    bool seen_zero = false;
    auto literal = [&](std::string_view piece) { (s.has_digits ? s.suffix : s.prefix) += piece; };
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        switch (c) {
        case '\'':
        case '"': {
            size_t end = text.find(c, i + 1);
            if (end == std::string_view::npos)
                end = text.size();
            literal(text.substr(i + 1, end - i - 1));
            i = end;
            break;
        }
        case '0':
        case '#':
            s.has_digits = true;
            if (in_fraction) {
                ++s.fraction_max;
                if (c == '0')
                    s.fraction_min = s.fraction_max;
            } else {
                seen_zero = seen_zero || c == '0';
                if (seen_zero)
                    ++s.integer_min;
            }
            break;
        case '.':
            if (in_fraction) {
                literal(".");
            } else {
                in_fraction = true;
                s.has_digits = true;
            }
            break;
        case ',':
            if (!in_fraction && s.has_digits)
                s.grouping = true;
            else
                literal(",");
            break;
        default:
            literal(text.substr(i, 1));
        }
    }
    return s;
}

std::string Grouped(const std::string& digits, const std::string& separator)
{
    if (separator.empty() || digits.size() <= 3)
        return digits;
    std::string out;
    size_t lead = digits.size() % 3;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - lead) % 3 == 0)
            out += separator;
        out += digits[i];
    }
    return out;
}

std::string Shortest(double value, const NumberLocale& locale)
{
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof buf, value);
    std::string out(buf, result.ptr);
    size_t point = out.find('.');
    if (point != std::string::npos)
        out.replace(point, 1, locale.DecimalSeparator());
    return out;
}

std::string Render(const Section& s, const DecimalDigits& d, const NumberLocale& locale)
{
    std::string integer = d.IntegerPart();
    if (static_cast<int>(integer.size()) < s.integer_min)
        integer.insert(0, static_cast<size_t>(s.integer_min) - integer.size(), '0');
    if (s.grouping)
        integer = Grouped(integer, locale.ThousandsSeparator());
    std::string fraction = d.FractionPart(s.fraction_max);
    while (static_cast<int>(fraction.size()) > s.fraction_min && fraction.back() == '0')
        fraction.pop_back();
    std::string out = s.prefix + integer;
    if (!fraction.empty())
        out += locale.DecimalSeparator() + fraction;
    return out + s.suffix;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}

std::string FormatFloat(std::string_view pattern, double value, const NumberLocale& locale)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    std::vector<std::string_view> sections = SplitSections(pattern);
    bool negative = std::signbit(value);
    size_t chosen = negative && sections.size() >= 2 && !sections[1].empty() ? 1 : 0;
    if (sections[chosen].empty())
        return Shortest(value, locale);
    Section s = ParseSection(sections[chosen]);
    if (!s.has_digits) // a pattern of text only
        return s.prefix;
    DecimalDigits d = DecimalDigits::Shortest(std::fabs(value));
    d.Round(s.fraction_max);
    if (d.IsZero()) {
        if (sections.size() >= 3 && !sections[2].empty()) {
            Section zero = ParseSection(sections[2]);
            return zero.has_digits ? Render(zero, d, locale) : zero.prefix;
        }
        return Render(s, d, locale);
    }
    std::string out = Render(s, d, locale);
    return negative && chosen == 0 ? "-" + out : out;
}

std::optional<double> TextToFloat(std::string_view text, const NumberLocale& locale)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::string integer;
    std::string fraction;
    while (i < text.size() && IsDigit(text[i]))
        integer += text[i++];
    const std::string& separator = locale.DecimalSeparator();
    if (text.substr(i, separator.size()) == separator) {
        i += separator.size();
        while (i < text.size() && IsDigit(text[i]))
            fraction += text[i++];
    }
    if (integer.empty() && fraction.empty())
        return std::nullopt;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool exponent_negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            exponent_negative = text[i++] == '-';
        if (i == text.size() || !IsDigit(text[i]))
            return std::nullopt;
        constexpr long long kCap = 1'000'000'000; // far past any double
        while (i < text.size() && IsDigit(text[i]))
            exponent = std::min(kCap, exponent * 10 + (text[i++] - '0'));
        if (exponent_negative)
            exponent = -exponent;
    }
    if (i != text.size())
        return std::nullopt;
    std::string digits = integer + fraction;
    size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return negative ? -0.0 : 0.0;
    // Where the first significant digit stands decides overflow versus
    // underflow before the conversion, so a huge exponent cannot mislead it.
    long long magnitude = static_cast<long long>(integer.size()) - static_cast<long long>(first) + exponent;
    if (magnitude > std::numeric_limits<double>::max_exponent10 + 1)
        return std::nullopt;
    if (magnitude < std::numeric_limits<double>::min_exponent10 - 400)
        return negative ? -0.0 : 0.0;
    std::string plain
        = digits.substr(first) + "e" + std::to_string(magnitude - static_cast<long long>(digits.size() - first));
    double value = 0;
    auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude > 0)
            return std::nullopt;
        value = 0;
    } else if (result.ec != std::errc()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}
