#include "app/startup.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/control.h"
#include "app/delta_time.h"
#include "app/globals.h"
#include "data/record_file.h"
#include "data/texts.h"
#include "effects/background.h"
#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/files.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/text.h"
#include "game/card_data.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/magic.h"
#include "game/main_game.h"
#include "game/resource.h"
#include "game/sword.h"
#include "game/sword_wiring.h"
#include "gui/mouse.h"
#include "screens/main_menu.h"
#include "screens/options.h"
#include "screens/table_overlay.h"

namespace fs = std::filesystem;

namespace {

// Left in the data folder when moving the old folder's files failed; the next start
// tries again.
constexpr const char* kMigrationMarker = "/.migration-pending";

// Moves what the staged copy has into the data folder, never over a file written since.
void mergeInto(const fs::path& staged, const fs::path& target) {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(staged, ec)) {
    const fs::path dest = target / entry.path().filename();
    if (!fs::exists(fs::symlink_status(dest, ec))) {
      fs::rename(entry.path(), dest, ec);
    } else if (entry.is_directory(ec) && fs::is_directory(dest, ec)) {
      mergeInto(entry.path(), dest);
    }
  }
}

// Copies the old folder beside the data folder first and moves it into place only when
// the copy is complete, so a failed copy never leaves half a migration behind.
void migrate(const std::string& oldFolder, const std::string& dataFolder, bool dataExists) {
  const std::string staging = dataFolder + ".incoming";
  std::error_code ec;
  fs::remove_all(staging, ec);
  if (!copyFolderTree(oldFolder, staging)) {
    std::fprintf(stderr, "Could not copy %s; trying again at the next start\n", oldFolder.c_str());
    fs::remove_all(staging, ec);
    createFolder(dataFolder);
    saveText("", dataFolder + kMigrationMarker);
    return;
  }
  if (!dataExists) {
    fs::rename(staging, dataFolder, ec);
    if (!ec) return;
    createFolder(dataFolder);
  }
  mergeInto(staging, dataFolder);
  fs::remove_all(staging, ec);
  deleteFile(dataFolder + kMigrationMarker);
}

std::string firstLine(const std::string& text) {
  const size_t end = text.find('\n');
  return end == std::string::npos ? text : text.substr(0, end);
}

void readMarkers() {
  TGameGlobals& g = globals();
  g.cheats = fileType("cheats.txt") != 0;
  g.noTutorial = fileType("noTutorial.txt") != 0;
  g.noLogo = fileType("noLogo.txt") != 0;
}

void readLanguage() {
  try {
    gameLanguage() = str::trim(firstLine(loadText("txt/lang.txt")));
  } catch (const FileError&) {
    std::fprintf(stderr, "txt/lang.txt is missing; using English\n");
  }
  if (gameLanguage().empty()) gameLanguage() = "en";
}

// The single instances, in the order the game makes them. Screens and managers that
// are not built yet join here as they arrive.
void createInstances() {
  static std::unique_ptr<TMouse> mouse;
  frameTimer();
  mainMenu();
  options();
  mouse = std::make_unique<TMouse>();  // becomes the global mouse
}

void setupDataFolders() {
  TGameGlobals& g = globals();
  g.dataFolder = setupDataFolder(appDataFolder(), g.productFolder);
  g.makerFolder = appDataFolder() + "/Orvanta";
  g.oldDataFolder = appDataFolder() + "/" + g.productFolder;
}

void initialise() {
  TGameGlobals& g = globals();
  g.whiteImage = loadImage(g.contentRoot + "gfx/white.png");
  options().loadOptions();
  options().openScreen();
  setWindowTitle(g.windowTitle);
  options().setupMouse();
  TPixmap icon;
  bool iconAlpha = false;
  if (loadPixmap(g.contentRoot + "gfx/icon.png", icon, iconAlpha)) setWindowIcon(icon);
  seedRnd(static_cast<int>(millisecs()));
  g.pauseText = getText(loadTextFile("txt/#LANG#/gameTexts.txt"), 1);
  g.pauseFont = loadImageFont("incbin::font.ttf", 72, FONT_SMOOTH);
  g.pointerImage = loadImage(g.contentRoot + "gfx/point.png");
  // The loading screen will load the cursors with the rest of the content.
  if (TMouse* mouse = gMouse()) {
    mouse->loadCursor("normal", g.contentRoot + "gfx/kursor.png", 14, 6, 1, 0);
    mouse->loadCursor("over", g.contentRoot + "gfx/kursor2.png", 14, 6, 1, 0);
    mouse->setCursor("normal");
  }
  loadGameContent();
}

}  // namespace

// Until the loading screen exists, the catalogues load here, and the level reaches the
// backgrounds through its links.
void loadGameContent() {
  loadCardCatalogue();
  loadSwordCatalogue();
  loadResourceCatalogue();
  levelManager().setup();  // stages and the magic card table
  loadBackgroundCatalogue();
  TLevelLinks& links = levelLinks();
  links.findBackground = [](int id) { return getBackground(id); };
  links.loadBackground = [](TBackground& background) { background.loadMe(); };
  links.drawBackground = [](TBackground& background) { background.draw(); };
  TMainGameHooks& hooks = mainGameHooks();
  hooks.gameMenu = [] { return gameMenu().mainLoop(); };
  hooks.levelEndScreen = [] { return levelSummary().mainLoop(); };
  installSwordsResourcesAndMagic(mainGame());
}

bool copyFolderTree(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::create_directories(to, ec);
  if (ec) return false;
  for (const fs::directory_entry& entry : fs::directory_iterator(from, ec)) {
    const fs::file_status status = entry.symlink_status(ec);
    if (ec) return false;
    const fs::path dest = fs::path(to) / entry.path().filename();
    if (fs::is_symlink(status)) continue;  // never follow links out of the folder
    if (fs::is_directory(status)) {
      if (!copyFolderTree(entry.path().string(), dest.string())) return false;
    } else if (fs::is_regular_file(status)) {
      fs::copy_file(entry.path(), dest, fs::copy_options::overwrite_existing, ec);
      if (ec) return false;
    }
  }
  return !ec;
}

std::string setupDataFolder(const std::string& appData, const std::string& product) {
  const std::string oldFolder = str::replaceAll(appData + "/" + product, "\\", "/");
  const std::string maker = appData + "/Orvanta";
  createFolder(maker);
  const std::string data = str::replaceAll(maker + "/" + product, "\\", "/");
  const bool dataExists = fileType(data) == 2;
  const bool oldExists = fileType(oldFolder) == 2;
  if (!dataExists && oldExists)
    migrate(oldFolder, data, false);
  else if (dataExists && oldExists && fileType(data + kMigrationMarker) == 1)
    migrate(oldFolder, data, true);
  createFolder(data);
  grantAccess(data);
  createFolder(data + "/Data");
  grantAccess(data + "/Data");
  createFolder(data + "/Profiles");
  grantAccess(data + "/Profiles");
  return data;
}

int runGame() {
  TGameGlobals& g = globals();
  readMarkers();
  readLanguage();
  createInstances();
  g.newsletter = fileType(g.contentRoot + "gfx/newsletter") != 0;
  g.launcher = fileType("data/launcher.txt") != 0;
  g.guiReload = 1;
  g.desktopWidth = desktopWidth();
  g.desktopHeight = desktopHeight();
  g.windowTitle = str::trim(getText(loadTextFile("txt/" + gameLanguage() + "/names.txt"), 1));
  g.productFolder = "Tarnwick";
  setupDataFolders();
  // A settings file that cannot be read moves the game to a sibling data folder.
  if (fileType(TOptions::settingsPath()) != 0) {
    try {
      loadText(TOptions::settingsPath());
    } catch (const FileError&) {
      g.productFolder = "Tarnwick-Ok";
      setupDataFolders();
    }
  }
  initialise();
  mainMenu()._prepareDelta();
  Control::start();
  Control::mainLoop();
  Control::shutDown();
  closeGraphics();
  closeAudio();
  return 0;
}
