#include "platform/win/WinText.h"

#include <cstring>
#include <vector>

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

// Decodes one UTF-8 sequence at text[at]; advances at.
char32_t DecodeOne(const unsigned char* text, int length, int& at)
{
    const unsigned char lead = text[at++];
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        value = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        value = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        value = lead & 0x07;
    } else {
        return REPLACEMENT;
    }
    for (int i = 0; i < extra; ++i) {
        if (at >= length || (text[at] & 0xC0) != 0x80)
            return REPLACEMENT;
        value = (value << 6) | (text[at++] & 0x3F);
    }
    return value;
}

void EncodeOne(char32_t value, std::string& out)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

} // namespace

int MultiByteToWideChar(UINT, DWORD, LPCSTR text, int length, WCHAR* wide, int wideLength)
{
    if (!text)
        return 0;
    if (length < 0)
        length = static_cast<int>(std::strlen(text)) + 1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::vector<WCHAR> decoded;
    for (int at = 0; at < length;)
        decoded.push_back(static_cast<WCHAR>(DecodeOne(bytes, length, at)));
    const int needed = static_cast<int>(decoded.size());
    if (wideLength == 0)
        return needed;
    if (!wide || wideLength < needed)
        return 0;
    std::memcpy(wide, decoded.data(), decoded.size() * sizeof(WCHAR));
    return needed;
}

std::string NarrowText(const WCHAR* wide)
{
    std::string out;
    for (; wide && *wide; ++wide)
        EncodeOne(static_cast<char32_t>(*wide), out);
    return out;
}
