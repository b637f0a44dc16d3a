// Which installed families stand in for the face names the games ask for.
//
// The games name Windows faces: the Japanese Gothic and Mincho faces (fixed-pitch, and the
// proportional "Ｐ" forms), the HG faces of office suites, Western faces and the empty name. The
// Japanese ones map onto the IPA fonts (IPAGothic, IPAPGothic, IPAMincho, IPAPMincho), which
// have the same advance widths as the faces they replace; other names are handed to fontconfig,
// whose own aliases find a metric-compatible font when one is installed, followed by a generic
// family (sans-serif, serif or monospace) of the same kind. Used by FontFileResolver.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// faceUtf8: the face name converted from Shift-JIS. Returns the fontconfig family names to ask
// for, most wanted first (never empty).
std::vector<std::string> FontFamiliesFor(std::string_view faceUtf8);
