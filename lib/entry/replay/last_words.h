// What the runner leaves when the program crashes or is stopped (a fault,
// an abort, SIGTERM, SIGINT, or its CPU time running out): the picture the
// graphics window last showed and the lines printed so far, written to the
// outputs asked for before the signal takes its course.
#pragma once

#include <string>
#include <vector>

#include "pixels/image.h"
#include "replay/output_file.h"

namespace kelto::replay {

struct LastWords {
    OutputFile *png = nullptr;      // may be null: no picture asked for
    OutputFile *console = nullptr;  // may be null: no console asked for
    const std::vector<std::string> *printed = nullptr;
};

// Installs the signal handlers that write `words` (which must outlive the run).
void keep_last_words(const LastWords &words);

// The graphics window's client image, as shown now (null: none yet).
void note_shown(const Image *shown);

}  // namespace kelto::replay
