#pragma once
#include <QIcon>

namespace kyrel {

// The toolbar picture of a command (its id), drawn by code; an empty icon for commands that
// have no button.
QIcon commandIcon(int commandId);

}  // namespace kyrel
