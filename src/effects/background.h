#pragma once
// Table backgrounds: the catalogue "data/backgrounds.dat" maps a level's background
// number to a description file, which names the table picture and the bushes placed on
// it. The catalogue is read once while the game loads; a background's picture and
// bushes are loaded each time a level that uses it is dealt.
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "engine/image.h"

class TRCMFile;
class TBush;
struct TBackgroundGlow;

// What a background needs from the bushes: filled when bushes are wired in. Until then
// no bushes are made, drawn or updated.
struct TBackgroundLinks {
  // createBush(kind id, x, y, scale x, scale y); null when the kind does not exist.
  std::function<std::shared_ptr<TBush>(int kind, float x, float y, float sx, float sy)> createBush;
  std::function<void(TBush& bush)> drawBush;
  std::function<void(TBush& bush)> updateBush;
};
TBackgroundLinks& backgroundLinks();

class TBackground {
 public:
  int id = 0;
  std::string url;  // description file, content root included
  ImagePtr img;     // the table picture, loaded on demand
  std::list<std::shared_ptr<TBackgroundGlow>> glowy;  // the loader adds none
  std::list<std::shared_ptr<TBush>> bushes;

  virtual ~TBackground() = default;

  virtual void _loadBackGFX(const TRCMFile& file);
  virtual void _loadGlows(const TRCMFile& file);
  virtual void _loadBushes(const TRCMFile& file);
  // Reads the description file: picture, glows, bushes (again each time).
  virtual void loadMe();
  // loadMe when the picture is not loaded yet.
  virtual void check();
  virtual void _drawBackGFX();
  virtual void _drawGlows();
  virtual void _drawBushes();
  virtual void draw();
  virtual void _updateGlows();
  virtual void _updateBushes();
  virtual void update();
};

using BackgroundPtr = std::shared_ptr<TBackground>;

// The catalogue in file order, shared for the whole run.
std::list<BackgroundPtr>& backgroundCatalogue();
// Reads "data/backgrounds.dat" behind the content root into the catalogue, replacing it.
void loadBackgroundCatalogue();
// The same from another record file (description paths still get the content root).
void loadBackgroundCatalogueFrom(const std::string& path);
// The first background with that id; null when there is none.
BackgroundPtr getBackground(int id);
