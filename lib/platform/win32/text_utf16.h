// Texts for the Windows API's wide calls: window titles and menu texts are
// UTF-8 (plain ASCII in practice), edit fields hold UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace kelto::platform {

// UTF-8 to UTF-16; a text that is not valid UTF-8 is taken as Latin-1, so
// nothing is lost and no byte is dropped.
std::wstring to_wide(std::string_view text);

}  // namespace kelto::platform
