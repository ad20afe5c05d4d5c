#include "ole/DialogTemplate.h"

#include "com/AsciiText.h"
#include "ui/MulDiv.h"

#include <charconv>
#include <cctype>

namespace {

// Splits a line at blanks; a token in double quotes keeps its blanks and
// loses its quotes. False for an unterminated quote.
bool Tokenise(std::string_view line, std::vector<DialogWord>& tokens)
{
    tokens.clear();
    size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string_view::npos) return false;
            tokens.push_back({std::string(line.substr(i + 1, end - i - 1)), true});
            i = end + 1;
            continue;
        }
        size_t end = i;
        while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
        tokens.push_back({std::string(line.substr(i, end - i)), false});
        i = end;
    }
    return true;
}

bool Number(const std::string& token, int& value, int lowest, int highest)
{
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value);
    return ec == std::errc() && ptr == end && value >= lowest && value <= highest;
}

}  // namespace

DialogPixels CDialogTemplate::ToPixels(int x, int y, int cx, int cy)
{
    DialogPixels pixels;
    pixels.x = MulDiv(x, 3, 2);
    pixels.y = MulDiv(y, 13, 8);
    pixels.cx = MulDiv(x + cx, 3, 2) - pixels.x;
    pixels.cy = MulDiv(y + cy, 13, 8) - pixels.y;
    return pixels;
}

bool CDialogTemplate::Parse(std::string_view text, CDialogTemplate& dialog, std::string& error)
{
    constexpr int kMaxUnits = 0x7FFF;
    CDialogTemplate parsed;
    bool sawDialog = false;
    std::vector<DialogWord> words;
    std::vector<std::string> tokens;
    int lineNumber = 0;
    const auto fail = [&](const std::string& fault) {
        error = "line " + std::to_string(lineNumber) + ": " + fault;
        return false;
    };
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!Tokenise(line, words)) return fail("unterminated quote");
        if (words.empty() || (!words[0].quoted && words[0].text[0] == '#')) continue;
        tokens.clear();
        for (const DialogWord& word : words) tokens.push_back(word.text);

        const std::string& keyword = tokens[0];
        if (SameAsciiText(keyword, "DIALOG")) {
            if (sawDialog) return fail("a second DIALOG");
            if (tokens.size() != 3 || !Number(tokens[1], parsed.m_cx, 0, kMaxUnits) ||
                !Number(tokens[2], parsed.m_cy, 0, kMaxUnits))
                return fail("expected DIALOG <width> <height>");
            sawDialog = true;
        } else if (SameAsciiText(keyword, "CAPTION")) {
            if (tokens.size() != 2) return fail("expected CAPTION \"<text>\"");
            parsed.m_caption = tokens[1];
        } else if (SameAsciiText(keyword, "FONT")) {
            if (tokens.size() != 3 || !Number(tokens[1], parsed.m_fontPoints, 1, 1000))
                return fail("expected FONT <points> \"<face>\"");
            parsed.m_fontName = tokens[2];
        } else if (SameAsciiText(keyword, "CONTROL")) {
            DialogItem item;
            if (tokens.size() < 7 || tokens[1].empty())
                return fail("expected CONTROL <class> <id> <x> <y> <width> <height>");
            if (tokens[1][0] == '{') {
                if (!GuidFromString(tokens[1], item.clsid)) return fail("bad class identifier " + tokens[1]);
            } else {
                item.className = tokens[1];
            }
            if (!Number(tokens[2], item.id, 0, 0xFFFF)) return fail("bad control id " + tokens[2]);
            if (!Number(tokens[3], item.x, -kMaxUnits, kMaxUnits) || !Number(tokens[4], item.y, -kMaxUnits, kMaxUnits) ||
                !Number(tokens[5], item.cx, 0, kMaxUnits) || !Number(tokens[6], item.cy, 0, kMaxUnits))
                return fail("bad position or size");
            for (size_t i = 7; i < tokens.size(); ++i) {
                if (SameAsciiText(tokens[i], "VISIBLE")) item.visible = true;
                else if (SameAsciiText(tokens[i], "HIDDEN")) item.visible = false;
                else if (SameAsciiText(tokens[i], "NOTIFY")) item.notify = true;
                else if (SameAsciiText(tokens[i], "TEXT") && i + 1 < tokens.size()) item.text = tokens[++i];
                else if (!SameAsciiText(tokens[i], "TABSTOP")) return fail("unknown style " + tokens[i]);
            }
            item.line = lineNumber;
            parsed.m_items.push_back(std::move(item));
        } else if (SameAsciiText(keyword, "PROPS")) {
            if (parsed.m_items.empty() || !parsed.m_items.back().className.empty())
                return fail("PROPS without a hosted CONTROL above it");
            if (tokens.size() < 3) return fail("expected PROPS <property> <value>");
            DialogItem& item = parsed.m_items.back();
            if (SameAsciiText(tokens[1], "Extent")) {
                if (tokens.size() != 4 || !Number(tokens[2], item.extentCx, 0, 0x7FFFFFFF) ||
                    !Number(tokens[3], item.extentCy, 0, 0x7FFFFFFF))
                    return fail("expected PROPS Extent <width> <height> in HIMETRIC");
                item.hasExtent = true;
            } else {
                item.properties.push_back({tokens[1], {words.begin() + 2, words.end()}, lineNumber});
            }
        } else {
            return fail("unknown statement " + keyword);
        }
    }
    if (!sawDialog) {
        error = "no DIALOG statement";
        return false;
    }
    dialog = std::move(parsed);
    return true;
}
