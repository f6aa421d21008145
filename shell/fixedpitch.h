// A fixed-pitch face for the texts whose columns must line up (the properties
// values, the command-line help). The desktop's monospace choice is taken only
// when the toolkit knows it as fixed-pitch: some monospace faces carry a few
// double-width characters and count as proportional, which would break the columns.
#pragma once

#include <QFont>

// The face at the application's default size.
QFont SHELL_FixedPitchFont();
// The face at the largest pixel size whose line (ascent plus descent) is at most
// 'lineHeight' pixels high.
QFont SHELL_FixedPitchFontForLine(int lineHeight);
