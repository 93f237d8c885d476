#pragma once

#include <QIcon>

// The program's icon: a small LED sign showing an "M" in red dots. Drawn in code at every
// size a window manager asks for, so it stays sharp at any screen scaling.
QIcon ProgramIcon();
