// The page's input records, reported to the window system.
#include "platform/web/page_input.h"

#include "platform/display_host.h"

namespace kelto::platform {

void report_page_input(DisplayHost &host, const PageInput &input) {
    const WindowHandle window = input.window;
    const bool dialog = host.dialog(window) != nullptr;
    switch (input.kind) {
        case PageInput::MouseDown: host.report(Click{window, input.a, input.b}); return;
        case PageInput::KeyDown:
            host.report(KeyDown{window, static_cast<unsigned>(input.a),
                                static_cast<unsigned>(input.b) & 0xFFFF});
            return;
        case PageInput::KeyUp: host.report(KeyUp{window, static_cast<unsigned>(input.a)}); return;
        case PageInput::Command:
            if (!dialog)
                host.report(MenuCommand{window, input.a});
            else if (input.a == IDCANCEL)
                host.report(DialogCancel{window});
            else
                host.report(DialogButton{window, input.a});
            return;
        case PageInput::Close:
            if (dialog)
                host.report(DialogClose{window});
            else
                host.report(CloseRequest{window});
            return;
        case PageInput::Focus: host.report(FocusChanged{window}); return;
        case PageInput::ItemText:
            host.report(DialogTextEdited{window, input.a, input.text});
            return;
        default: return;
    }
}

}  // namespace kelto::platform
