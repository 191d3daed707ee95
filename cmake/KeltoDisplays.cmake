# The displays a KELTO build can have, and what each needs: the one table of
# them, read by the library's build and by the installed package's files.
# A build takes the first display whose condition holds, the platform's
# desktop display; where none does, the headless display (which every build
# has, for the tests and the replay runner) serves programs too.
#
#   kelto_display(<name> WHEN <variable>
#                 [PACKAGE <find_package arguments>...] [PKG_CONFIG <module>]
#                 [LIBRARIES <libraries programs link>...]
#                 [LINK_OPTIONS <options programs link with>...]
#                 [OBJECTS <further object libraries of the display>...])
#
# Display <name> is the folder lib/platform/<name>/, whose CMakeLists.txt
# makes the object library kelto_platform_<name>; one of its sources defines
# make_platform_display() (platform/system.h). The build's choice is
# KELTO_DISPLAY, and what it needs KELTO_DISPLAY_PACKAGE,
# KELTO_DISPLAY_PKG_CONFIG, KELTO_DISPLAY_LIBRARIES, KELTO_DISPLAY_LINK_OPTIONS
# and KELTO_DISPLAY_OBJECTS (empty for the headless display).
set(KELTO_DISPLAY headless)
foreach(need IN ITEMS PACKAGE PKG_CONFIG LIBRARIES LINK_OPTIONS OBJECTS)
  set(KELTO_DISPLAY_${need} "")
endforeach()

function(kelto_display name)
  cmake_parse_arguments(PARSE_ARGV 1 display "" "WHEN;PKG_CONFIG"
    "PACKAGE;LIBRARIES;LINK_OPTIONS;OBJECTS")
  if(NOT KELTO_DISPLAY STREQUAL "headless" OR NOT ${display_WHEN})
    return()
  endif()
  set(KELTO_DISPLAY ${name} PARENT_SCOPE)
  foreach(need IN ITEMS PACKAGE PKG_CONFIG LIBRARIES LINK_OPTIONS OBJECTS)
    set(KELTO_DISPLAY_${need} "${display_${need}}" PARENT_SCOPE)
  endforeach()
endfunction()

# Qt 6 Widgets on a Linux desktop (KELTO_WITH_QT, on by default there).
kelto_display(qt WHEN KELTO_WITH_QT
  PACKAGE Qt6 COMPONENTS Widgets
  PKG_CONFIG Qt6Widgets
  LIBRARIES Qt6::Widgets xcb)

# Real Win32 windows on Windows.
kelto_display(win32 WHEN WIN32
  LIBRARIES user32 gdi32)

# A canvas in a web page. A program's blocking wait suspends it through
# Asyncify (its stack must hold KELTO's depth at the wait); it runs in a Web
# Worker that the page starts; it ends with an exit status the page shows;
# the worker reads and writes its files through FS. Linking at -O2 gives the size of -O3 in half the time.
kelto_display(web WHEN EMSCRIPTEN
  OBJECTS kelto_web_page_model
  LINK_OPTIONS -O2 -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH
               -sENVIRONMENT=worker -sEXIT_RUNTIME -sEXPORTED_RUNTIME_METHODS=FS)
