// The toolbar images, drawn in code so they stay sharp at any device
// pixel ratio.
#pragma once

#include <QIcon>
#include <QString>

class QAction;
class QToolBar;

// The 16 x 16 image of a toolbar button by its key ("New", "Close", "Start",
// "Stop", "Faster", "Slower", "Random", "Ascending", "Descending", "Pause",
// "Step Back", "Step Forward"); a null icon for any other key.
QIcon ToolbarImage(const QString& key);

// Adds the button of a key to the toolbar: its image only, no caption and no
// tooltip; its key is its name, its data and what screen readers announce.
// Tab reaches it and Space presses it, so no command needs the mouse.
QAction* AddToolbarButton(QToolBar* bar, const QString& key);
