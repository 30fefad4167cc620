#include "platform/tsql/TsqlValues.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace morvane::tsql::values {

namespace {

constexpr int kMinYear = 1753;
constexpr int kMaxYear = 9999;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Reads 1..maxDigits digits at s[i]; advances i.
bool readNumber(std::string_view s, size_t& i, int maxDigits, int& out) {
    int n = 0;
    int v = 0;
    while (i < s.size() && n < maxDigits && std::isdigit(static_cast<unsigned char>(s[i]))) {
        v = v * 10 + (s[i] - '0');
        ++i;
        ++n;
    }
    out = v;
    return n > 0;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

}  // namespace

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) {
        return 29;
    }
    return days[month - 1];
}

std::optional<DateTime> parseDate(std::string_view text) {
    std::string_view s = trim(text);
    DateTime d;
    size_t i = 0;
    bool compact = s.size() >= 8 && s.find_first_not_of("0123456789") >= 8 &&
                   (s.size() == 8 || s[8] == ' ' || s[8] == 'T');
    if (compact) {
        d.year = (s[0] - '0') * 1000 + (s[1] - '0') * 100 + (s[2] - '0') * 10 + (s[3] - '0');
        d.month = (s[4] - '0') * 10 + (s[5] - '0');
        d.day = (s[6] - '0') * 10 + (s[7] - '0');
        i = 8;
    } else {
        if (!readNumber(s, i, 4, d.year) || i != 4 || i >= s.size() ||
            (s[i] != '-' && s[i] != '/' && s[i] != '.')) {
            return std::nullopt;
        }
        char sep = s[i++];
        if (!readNumber(s, i, 2, d.month) || i >= s.size() || s[i] != sep) {
            return std::nullopt;
        }
        ++i;
        if (!readNumber(s, i, 2, d.day)) {
            return std::nullopt;
        }
    }
    if (d.year < kMinYear || d.year > kMaxYear || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > daysInMonth(d.year, d.month)) {
        return std::nullopt;
    }
    if (i == s.size()) {
        return d;
    }
    if (s[i] != ' ' && s[i] != 'T') {
        return std::nullopt;
    }
    while (i < s.size() && (s[i] == ' ' || s[i] == 'T')) {
        ++i;
    }
    d.hasTime = true;
    if (!readNumber(s, i, 2, d.hour) || i >= s.size() || s[i] != ':') {
        return std::nullopt;
    }
    ++i;
    if (!readNumber(s, i, 2, d.minute)) {
        return std::nullopt;
    }
    if (i < s.size() && s[i] == ':') {
        ++i;
        if (!readNumber(s, i, 2, d.second)) {
            return std::nullopt;
        }
        if (i < s.size() && s[i] == '.') {
            ++i;
            int ms = 0;
            if (!readNumber(s, i, 7, ms)) {
                return std::nullopt;
            }
        }
    }
    if (i != s.size() || d.hour > 23 || d.minute > 59 || d.second > 59) {
        return std::nullopt;
    }
    return d;
}

std::string formatDate(const DateTime& d) {
    char buf[32];
    if (d.hasTime) {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                      d.hour, d.minute, d.second);
    } else {
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    }
    return buf;
}

// Howard Hinnant's civil-date algorithms.
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

DateTime civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    DateTime d;
    d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    d.year = static_cast<int>(y + (d.month <= 2));
    return d;
}

DateTime dateFromSerial(std::int64_t days) {
    return civilFromDays(daysFromCivil(1900, 1, 1) + days);
}

namespace {

std::int64_t dayNumber(const DateTime& d) {
    return daysFromCivil(d.year, d.month, d.day);
}

std::int64_t secondsOf(const DateTime& d) {
    return dayNumber(d) * 86400 + d.hour * 3600 + d.minute * 60 + d.second;
}

// 1970-01-04 was a Sunday; SQL Server's week boundaries fall on Sundays.
std::int64_t weekNumber(const DateTime& d) {
    std::int64_t n = dayNumber(d) - 3;
    return n >= 0 ? n / 7 : (n - 6) / 7;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

}  // namespace

std::optional<std::int64_t> dateDiff(std::string_view part, const DateTime& a, const DateTime& b) {
    if (part == "day") {
        return dayNumber(b) - dayNumber(a);
    }
    if (part == "month") {
        return (b.year - a.year) * 12LL + (b.month - a.month);
    }
    if (part == "year") {
        return static_cast<std::int64_t>(b.year) - a.year;
    }
    if (part == "quarter") {
        return (b.year - a.year) * 4LL + ((b.month - 1) / 3 - (a.month - 1) / 3);
    }
    if (part == "week") {
        return weekNumber(b) - weekNumber(a);
    }
    if (part == "hour") {
        return floorDiv(secondsOf(b), 3600) - floorDiv(secondsOf(a), 3600);
    }
    if (part == "minute") {
        return floorDiv(secondsOf(b), 60) - floorDiv(secondsOf(a), 60);
    }
    if (part == "second") {
        return secondsOf(b) - secondsOf(a);
    }
    return std::nullopt;
}

std::optional<DateTime> dateAdd(std::string_view part, std::int64_t n, const DateTime& d) {
    DateTime r = d;
    auto addMonths = [&](std::int64_t months) -> bool {
        std::int64_t total = d.year * 12LL + (d.month - 1) + months;
        std::int64_t y = floorDiv(total, 12);
        if (y < kMinYear || y > kMaxYear) {
            return false;
        }
        r.year = static_cast<int>(y);
        r.month = static_cast<int>(total - y * 12) + 1;
        r.day = std::min(d.day, daysInMonth(r.year, r.month));
        return true;
    };
    bool ok = true;
    if (part == "month") {
        ok = addMonths(n);
    } else if (part == "year") {
        ok = addMonths(n * 12);
    } else if (part == "quarter") {
        ok = addMonths(n * 3);
    } else if (part == "day" || part == "week") {
        DateTime c = civilFromDays(dayNumber(d) + (part == "week" ? n * 7 : n));
        r.year = c.year;
        r.month = c.month;
        r.day = c.day;
    } else if (part == "hour" || part == "minute" || part == "second") {
        std::int64_t unit = part == "hour" ? 3600 : (part == "minute" ? 60 : 1);
        std::int64_t s = secondsOf(d) + n * unit;
        std::int64_t days = floorDiv(s, 86400);
        std::int64_t rest = s - days * 86400;
        DateTime c = civilFromDays(days);
        r.year = c.year;
        r.month = c.month;
        r.day = c.day;
        r.hour = static_cast<int>(rest / 3600);
        r.minute = static_cast<int>(rest / 60 % 60);
        r.second = static_cast<int>(rest % 60);
        r.hasTime = true;
    } else {
        return std::nullopt;
    }
    if (!ok || r.year < kMinYear || r.year > kMaxYear) {
        return std::nullopt;
    }
    return r;
}

std::optional<std::int64_t> datePart(std::string_view part, const DateTime& d) {
    if (part == "year") {
        return d.year;
    }
    if (part == "month") {
        return d.month;
    }
    if (part == "day") {
        return d.day;
    }
    if (part == "quarter") {
        return (d.month - 1) / 3 + 1;
    }
    if (part == "hour") {
        return d.hour;
    }
    if (part == "minute") {
        return d.minute;
    }
    if (part == "second") {
        return d.second;
    }
    if (part == "week") {
        // Week 1 holds January 1st; weeks start on Sunday.
        DateTime jan1{d.year, 1, 1};
        return weekNumber(d) - weekNumber(jan1) + 1;
    }
    return std::nullopt;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::string_view s = trim(text);
    if (s.empty()) {
        return 0;
    }
    bool negative = false;
    size_t i = 0;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        ++i;
    }
    if (i == s.size() || s.size() - i > 18) {
        return std::nullopt;
    }
    std::int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) {
            return std::nullopt;
        }
        v = v * 10 + (s[i] - '0');
    }
    return negative ? -v : v;
}

std::optional<double> parseNumber(std::string_view text, bool emptyIsZero) {
    std::string_view s = trim(text);
    if (s.empty()) {
        return emptyIsZero ? std::optional<double>(0.0) : std::nullopt;
    }
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        ++i;
    }
    size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != s.size()) {
        return std::nullopt;
    }
    return std::strtod(std::string(s).c_str(), nullptr);
}

double roundDecimal(double x, int scale, bool truncate) {
    if (!std::isfinite(x) || x == 0.0) {
        return x;
    }
    // 15 significant digits: d.dddddddddddddde±XX
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(x));
    char digits[15];
    int nd = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.') {
            digits[nd++] = *p;
        }
    }
    int exp10 = std::atoi(p + 1);
    // digits[i] is the 10^(exp10 - i) place; keep places down to 10^-scale.
    int last = exp10 + scale;
    if (last >= nd - 1) {
        double v = std::strtod(buf, nullptr);
        return x < 0 ? -v : v;
    }
    long long kept = 0;
    for (int i = 0; i <= last; ++i) {
        kept = kept * 10 + (digits[i] - '0');
    }
    int next = last + 1 >= 0 ? digits[last + 1] - '0' : 0;
    if (!truncate && next >= 5) {
        ++kept;
    }
    char out[48];
    std::snprintf(out, sizeof out, "%llde%d", kept, -scale);
    double v = std::strtod(out, nullptr);
    return x < 0 ? -v : v;
}

std::string formatReal(double x) {
    if (std::isfinite(x) && x == std::trunc(x) && std::fabs(x) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", x);
        return std::string(buf) == "-0" ? "0" : buf;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", x);
    return buf;
}

std::size_t charCount(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

std::size_t byteOffset(std::string_view s, std::size_t index) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (n == index) {
                return i;
            }
            ++n;
        }
    }
    return s.size();
}

int compareCi(std::string_view a, std::string_view b) {
    while (!a.empty() && a.back() == ' ') {
        a.remove_suffix(1);
    }
    while (!b.empty() && b.back() == ' ') {
        b.remove_suffix(1);
    }
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(lowerAscii(a[i]));
        unsigned char cb = static_cast<unsigned char>(lowerAscii(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::size_t findCi(std::string_view hay, std::string_view needle, std::size_t from) {
    if (needle.empty() || needle.size() > hay.size()) {
        return std::string_view::npos;
    }
    for (std::size_t i = from; i + needle.size() <= hay.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && lowerAscii(hay[i + k]) == lowerAscii(needle[k])) {
            ++k;
        }
        if (k == needle.size()) {
            return i;
        }
    }
    return std::string_view::npos;
}

namespace {

// The code point at s[i] and its length in bytes; a byte that starts no
// valid UTF-8 sequence stands for itself. ASCII letters fold to lower case.
char32_t foldedCharAt(std::string_view s, std::size_t i, std::size_t& length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = byte(0);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (i + n > s.size()) {
        n = 1;
    }
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            n = 1;
            break;
        }
    }
    length = n;
    if (n == 1) {
        return static_cast<unsigned char>(lowerAscii(static_cast<char>(c)));
    }
    char32_t cp = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        cp = (cp << 6) | (byte(k) & 0x3F);
    }
    return cp;
}

// One element of a LIKE pattern at pattern[p] (not %) against the character
// ch; `next` is where the element ends. False with next = npos for a class
// that no ] closes.
bool elementMatches(std::string_view pattern, std::size_t p, char32_t ch, std::size_t& next) {
    std::size_t length;
    if (pattern[p] == '_') {
        foldedCharAt(pattern, p, length);
        next = p + length;
        return true;
    }
    if (pattern[p] != '[') {
        const char32_t want = foldedCharAt(pattern, p, length);
        next = p + length;
        return want == ch;
    }
    std::size_t i = p + 1;
    const bool negated = i < pattern.size() && pattern[i] == '^';
    if (negated) {
        ++i;
    }
    bool found = false;
    for (;;) {
        if (i >= pattern.size()) {
            next = std::string_view::npos;
            return false;
        }
        if (pattern[i] == ']') {
            next = i + 1;
            return found != negated;
        }
        const char32_t low = foldedCharAt(pattern, i, length);
        i += length;
        // c-d is a range; a - that opens or closes the class is itself.
        if (i + 1 < pattern.size() && pattern[i] == '-' && pattern[i + 1] != ']') {
            const char32_t high = foldedCharAt(pattern, i + 1, length);
            i += 1 + length;
            found = found || (ch >= low && ch <= high);
        } else {
            found = found || ch == low;
        }
    }
}

// The greedy match with one remembered %: on a mismatch the last % takes
// one more character. Linear in the text for each % of the pattern.
bool likeMatchWhole(std::string_view text, std::string_view pattern) {
    std::size_t t = 0, p = 0;
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            while (p < pattern.size() && pattern[p] == '%') {
                ++p;
            }
            starP = p;
            starT = t;
            continue;
        }
        std::size_t length;
        const char32_t ch = foldedCharAt(text, t, length);
        std::size_t next = 0;
        if (p < pattern.size() && elementMatches(pattern, p, ch, next)) {
            p = next;
            t += length;
            continue;
        }
        if (next == std::string_view::npos) {
            return false;
        }
        if (starP == std::string_view::npos) {
            return false;
        }
        p = starP;
        foldedCharAt(text, starT, length);
        starT += length;
        t = starT;
    }
    while (p < pattern.size() && pattern[p] == '%') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace

bool likeMatch(std::string_view text, std::string_view pattern) {
    if (likeMatchWhole(text, pattern)) {
        return true;
    }
    std::string_view trimmed = text;
    while (!trimmed.empty() && trimmed.back() == ' ') {
        trimmed.remove_suffix(1);
    }
    return trimmed.size() != text.size() && likeMatchWhole(trimmed, pattern);
}

}  // namespace morvane::tsql::values
