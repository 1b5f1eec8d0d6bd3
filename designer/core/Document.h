#pragma once
#include <string>

#include "designer/core/KyrelApp.h"

namespace kyrel {

// The document operations and the file commands (New, Open, Save, Save As) of the application.
// Paths are file-system paths (UTF-8); every message goes through app.ui.

// Resets the document, its name and the undo rings; `untitled` becomes true.
void newDocument(KyrelApp& app);

// Gives the document New's name and makes Save ask for one (the content stays).
void startUntitled(KyrelApp& app);

// Reads a project file into the document; false (after a message) when it cannot be read.
bool loadProject(KyrelApp& app, const std::string& path);

// Writes the document as a version '1' project file. The old file is replaced only by a
// complete new one; on failure a message names the path and `modified` stays as it was.
bool saveProject(KyrelApp& app, const std::string& path);

// Offers to save unsaved changes: Yes (saved, or nothing to save), No, or Cancel (also when
// the user answered Yes but the save did not happen).
MessageAnswer confirmDiscard(KyrelApp& app);

void commandNew(KyrelApp& app);
void commandOpen(KyrelApp& app);
// Open without the file dialog: the project at `path` (a recent file).
void commandOpenPath(KyrelApp& app, const std::string& path);
void commandSave(KyrelApp& app);
void commandSaveAs(KyrelApp& app);

// The project named on the command line at start-up: drops one leading double quote and cuts
// at the next one, then loads it. projectDirectory becomes the project's own directory, so
// that Save writes back to the file that was opened.
bool openProjectFromCommandLine(KyrelApp& app, const std::string& commandLine);

// Closing the main window: refused during playback, otherwise confirmDiscard decides.
// True when the window may close.
bool mayClose(KyrelApp& app);

// "dir/name.ext" -> "dir/"; a path without '/' gives "".
std::string directoryOf(const std::string& path);
// "dir/name.ext" -> "name.ext".
std::string fileNameOf(const std::string& path);

}  // namespace kyrel
