// Starting Qt's application object for the display, or, when no window can
// be opened (no desktop session, an unreachable display), saying so in one
// line and ending the program with status 1 instead of aborting inside Qt.
#pragma once

#include <QtWidgets/QApplication>
#include <memory>

namespace kelto::platform {

constexpr int kNoDisplayExitStatus = 1;

// A new QApplication for argc/argv (which must outlive it).
std::unique_ptr<QApplication> start_application(int &argc, char **argv);

}  // namespace kelto::platform
