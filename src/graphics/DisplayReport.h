// The display part of the machine report in the report log: mode, depth and, under DirectDraw,
// video memory and refresh rate; under Direct3D the device section. DDInit installs
// WriteDisplayLines as the report's display writer; the start-up calls WriteDisplayReport (1)
// once the back-end is open.
#pragma once

#include <cstdio>

// Writes the display lines into the open report log (each line with its own "\n"). bFull adds the
// capability dump and the format table of the device section.
void WriteDisplayLines(FILE* fp, int bFull);
// The Direct3D device section: texture memory and, per display adapter, driver, capabilities and
// (bFull) the format table. Writes nothing and returns 0 unless Direct3D is open; else 1.
int WriteDxDiagReport(FILE* fp, int bFull);
