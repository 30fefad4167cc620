#include "platform/workbook/TextLimits.h"

#include <algorithm>

namespace morvane::workbook {

namespace {

bool xmlAllowed(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Length in bytes of the UTF-8 sequence starting with `lead`; 0 for a byte that cannot start
// one.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes one well-formed UTF-8 character at `p` (at most `left` bytes); 0 bytes when the
// sequence is malformed (overlong, a surrogate, cut short, beyond U+10FFFF).
int decode(const unsigned char* p, std::size_t left, char32_t& out) {
    const int n = sequenceLength(p[0]);
    if (n == 0 || static_cast<std::size_t>(n) > left)
        return 0;
    if (n == 1) {
        out = p[0];
        return 1;
    }
    char32_t c = p[0] & (0xFF >> (n + 1));
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    out = c;
    return n;
}

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::string grouped(long long n) {
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

}  // namespace

std::optional<std::string> cutCellText(std::string_view utf8) {
    // Every character takes at least one byte and at most two UTF-16 units: short texts fit.
    if (utf8.size() <= static_cast<std::size_t>(kCellTextLimit))
        return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t at = 0;
    int units = 0;
    while (at < utf8.size()) {
        const int n = std::max(1, sequenceLength(p[at]));
        const int width = n == 4 ? 2 : 1;
        if (units + width > kCellTextLimit)
            return std::string(utf8.substr(0, at));
        units += width;
        at += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

std::optional<std::string> xmlSafeText(std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    std::optional<std::string> out;
    std::size_t at = 0;
    while (at < utf8.size()) {
        char32_t c = 0;
        int n = decode(p + at, utf8.size() - at, c);
        const bool allowed = n > 0 && xmlAllowed(c);
        if (!allowed && !out)
            out.emplace(utf8.substr(0, at));
        if (n == 0)
            n = 1;  // a malformed byte is replaced on its own
        if (out) {
            if (allowed)
                out->append(utf8.substr(at, static_cast<std::size_t>(n)));
            else
                out->append(kReplacement);
        }
        at += static_cast<std::size_t>(n);
    }
    return out;
}

std::string cellName(int row, int column) {
    std::string letters;
    for (int c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(row + 1);
}

void TextCuts::add(const QString& sheet, int row, int column) {
    if (count++ == 0) {
        firstSheet = sheet;
        firstRow = row;
        firstColumn = column;
    }
}

QString TextCuts::notice(std::string_view formatName) const {
    if (count == 0)
        return QString();
    const std::string where =
        "cell " + cellName(firstRow, firstColumn) + " of sheet " + firstSheet.toStdString();
    const std::string text =
        count == 1 ? "A cell text was longer than the " + grouped(kCellTextLimit) +
                         " characters an " + std::string(formatName) +
                         " cell holds and was cut to that length (" + where + ")."
                   : grouped(count) + " cell texts were longer than the " +
                         grouped(kCellTextLimit) + " characters an " + std::string(formatName) +
                         " cell holds and were cut to that length (the first in " + where + ").";
    return QString::fromStdString(text);
}

}  // namespace morvane::workbook
