#pragma once
// Start-up and shut-down: from process start to the title screen, and back out.

#include <string>

// The whole run: start-up, the controller's loop, shut-down. Returns the exit code.
int runGame();

// Loads the card and background catalogues and connects levels to the backgrounds.
void loadGameContent();

// Sets up the data folder below the common application-data folder, moving an old
// folder's files over when the new one does not exist yet. Returns the data folder.
std::string setupDataFolder(const std::string& appData, const std::string& product);

// Copies a folder tree (links are not followed); false at the first entry that fails.
bool copyFolderTree(const std::string& from, const std::string& to);
