#pragma once
// Resource tokens: coins worth a number of points. Each column card carries one unseen;
// playing it (or picking it up as a sword) collects it, and every card of a long drive
// brings a coin of kind 1. A collected token flies to the cash display, turning once,
// and only its landing adds its amount to the level's score.
//
// Token kinds (their pictures) come from "data/resources.dat"; kind ids run 1..n and
// kind 1 is the drive coin.
#include <functional>
#include <list>
#include <memory>
#include <string>

#include "engine/image.h"

class TLevel;
class TCard;

// Where collected tokens fly: the cash display.
constexpr float kCashX = 512, kCashY = 80;
// Share of the flight per frame step (20 frame steps from start to cash).
constexpr float kResourceFlightRate = 0.05f;

class TResourceData {
 public:
  int id = 0;
  ImagePtr img;  // centred handle; null when the picture is missing (not drawn)
};
using ResourceDataPtr = std::shared_ptr<TResourceData>;
using ResourceDataList = std::list<ResourceDataPtr>;

class TResource;
using ResourcePtr = std::shared_ptr<TResource>;
using ResourceList = std::list<ResourcePtr>;

class TResource {
 public:
  ResourceDataPtr rd;
  int ammount = 0;
  float x = 0, y = 0;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  float mx = 0, my = 0;
  float per = 0;
  int time = 0;  // clock reading of the next particle burst
  std::string state;  // "" lying, "FLY"

  virtual ~TResource() = default;

  virtual void generateParticles();
  virtual void draw();
  virtual void _update_fly();
  virtual void update();
  virtual void flyToCash();
  // Landing: the amount goes to the level's score; the token leaves the resources in play.
  virtual void addToProfile();
};

// What tokens need from around them; empty entries do nothing.
struct TResourceLinks {
  // Game screen: the level whose score a landing token raises. Null: none.
  std::function<TLevel*()> level;
  // Sound manager: playMySound(name).
  std::function<void(const std::string& name)> playSound;
  // Particles: one "resourceParticle" at (x, y) after delay milliseconds.
  std::function<void(const std::string& preset, float x, float y, int delay)> particle;
  // Game screen: the screen shake (zatrzas).
  std::function<void()> shake;
};
TResourceLinks& resourceLinks();

ResourceDataList& resourceCatalogue();
// Reads "data/resources.dat" behind the content root, replacing the catalogue.
void loadResourceCatalogue();
// The same from the given record file; pictures are looked up under imageRoot.
void loadResourceCatalogueFrom(const std::string& path, const std::string& imageRoot = "");
ResourceDataPtr getResourceDataById(int id);
// A lying token; the kind may be null (a token whose kind the catalogue lacks still pays).
ResourcePtr newResource(const ResourceDataPtr& kind, int amount, float x, float y);

// The tokens in flight, in drawing order.
ResourceList& resourcesInPlay();
// Appends the token to the resources in play and sends it to the cash display. A token
// already in the air (collected again after an undo) sends a twin, so both amounts land.
void addResource(const ResourcePtr& token);
// A column card's token, collected at the card's place; nothing when it carries none.
void collectColumnToken(TCard& card);
// A drive coin of kind 1 worth amount, collected at (x, y).
void flyCoin(float x, float y, int amount);
void updateResources();
void drawResources();
