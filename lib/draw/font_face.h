// The two typefaces of the drawing layer and the metrics of a face at one size.
#pragma once

namespace kelto::text {

// Sans answers the drawing calls' "KELTO-font"; Mono is the console's fixed-pitch font.
enum class Face { Sans, Mono };

// Vertical metrics of a face at one character height, in whole pixels, in the
// manner of a text metric record: height = ascent + descent, and
// external_leading is the face's line gap at that size.
struct FontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int external_leading = 0;
};

}  // namespace kelto::text
