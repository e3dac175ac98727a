// The sixteen-colour palette every stored colour code names.
#pragma once

#include <QColor>

// The displayable colour of a colour code 0..15 (Black, Blue, Green, Cyan,
// Red, Magenta, Yellow, White, Gray, Light Blue, Light Green, Light Cyan,
// Light Red, Light Magenta, Light Yellow, Bright White). Codes outside the
// range wrap into it, so no code can fail to draw.
QColor QBColor(int code);
