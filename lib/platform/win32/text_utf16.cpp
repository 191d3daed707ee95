// UTF-8 titles and menu texts as wide strings.
#include "platform/win32/text_utf16.h"

#include "platform/win32/windows_api.h"

namespace kelto::platform {

std::wstring to_wide(std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int units =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (units > 0) {
        std::wstring wide(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), units);
        return wide;
    }
    std::wstring latin1;
    for (const char c : text) latin1 += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return latin1;
}

}  // namespace kelto::platform
