// The toolbar images, drawn in code so they stay sharp at any device
// pixel ratio.
#pragma once

#include <QIcon>
#include <QString>

// The 16 x 16 image of a toolbar button by its key ("New", "Close", "Start",
// "Stop", "Faster", "Slower", "Random", "Ascending", "Descending", "Pause",
// "Step Back", "Step Forward"); a null icon for any other key.
QIcon ToolbarImage(const QString& key);
