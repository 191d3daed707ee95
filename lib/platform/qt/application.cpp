// Starting Qt's application object, or explaining why no window can open.
#include "platform/qt/application.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace kelto::platform {

namespace {

constexpr const char *kHowToRun =
    "run it in a desktop session, or on a virtual screen with xvfb-run";

// Qt's messages while the application object is made: held back, so that a
// failure to reach the display is told in one line; given to the usual
// handler afterwards otherwise.
struct HeldMessages {
    QtMessageHandler previous = nullptr;
    std::vector<std::pair<QtMsgType, QString>> messages;
};

// Made on first use and never destroyed, as the library's state is: Qt may
// log while the process ends.
HeldMessages &held() {
    static HeldMessages *const messages = new HeldMessages;
    return *messages;
}

[[noreturn]] void no_window(const char *why) {
    std::fprintf(stderr, "KELTO cannot open its windows: %s; %s.\n", why, kHowToRun);
    std::fflush(stderr);
    std::_Exit(kNoDisplayExitStatus);
}

void hold_message(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtFatalMsg) {
        const QByteArray display = qgetenv("DISPLAY");
        const std::string why =
            display.isEmpty() ? std::string("the display cannot be reached")
                              : "display " + display.toStdString() + " cannot be reached";
        no_window(why.c_str());
    }
    held().messages.emplace_back(type, message);
}

// Without a platform chosen for Qt, a Linux desktop is found through DISPLAY
// (X11) or WAYLAND_DISPLAY.
bool display_named() {
#if defined(__linux__)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

}  // namespace

std::unique_ptr<QApplication> start_application(int &argc, char **argv) {
    if (!display_named()) no_window("no desktop display is set (DISPLAY or WAYLAND_DISPLAY)");
    held().previous = qInstallMessageHandler(hold_message);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(held().previous);
    for (const auto &[type, message] : std::exchange(held().messages, {}))
        qt_message_output(type, QMessageLogContext(), message);
    return application;
}

}  // namespace kelto::platform
