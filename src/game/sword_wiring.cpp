// The wiring of swords, resource tokens and magic cards into the card table.
#include "game/sword_wiring.h"

#include <cstdio>
#include <functional>
#include <string>
#include <typeinfo>

#include "game/events.h"
#include "game/flight.h"
#include "game/level.h"
#include "game/magic.h"
#include "game/main_game.h"
#include "game/resource.h"
#include "game/sword.h"

namespace {

// Our extensions of hooks other parts own: each keeps the hook it found and runs it
// first. Recognised by type, so installing again does not stack a second copy.
struct TUpdateWithTokens {
  std::function<void()> before;
  void operator()() const {
    if (before) before();
    updateResources();
  }
};
struct TDrawWithTokens {
  std::function<void()> before;
  void operator()() const {
    if (before) before();
    drawResources();
  }
};
struct TLevelEndWithMagic {
  TMainGame* game;
  std::function<std::string()> screen;
  std::string operator()() const {
    // Magic cards left on the table wait for a later level.
    if (game->level) awaitUncollectedMagicCards(*game->level);
    resetSwordPlay(nullptr);
    return screen ? screen() : "";
  }
};

template <typename Wrapper, typename Hook>
bool ours(const Hook& hook) {
  return hook && hook.target_type() == typeid(Wrapper);
}

}  // namespace

void installSwordsResourcesAndMagic(TMainGame& game) {
  TMainGame* g = &game;
  TMainGameHooks& hooks = mainGameHooks();
  hooks.pickUpSword = [g](TCard& card) { pickUpSword(*g, card); };
  hooks.swordInUse = [] { return swordPlay().clickedSword != nullptr; };
  hooks.add3WildCards = [] { add3WildCards(); };
  hooks.updateSwords = [g] { updateSwords(*g); };
  hooks.drawSwords = [] { drawSwords(); };
  hooks.flyCoin = [](float x, float y, int amount) { flyCoin(x, y, amount); };
  hooks.collectToken = [](TCard& card) { collectColumnToken(card); };

  // Tokens fly in every state, above the particles; the effects part owns these hooks.
  if (!ours<TUpdateWithTokens>(hooks.updateEffects)) hooks.updateEffects = TUpdateWithTokens{hooks.updateEffects};
  if (!ours<TDrawWithTokens>(hooks.drawEffects)) hooks.drawEffects = TDrawWithTokens{hooks.drawEffects};
  if (auto* end = hooks.levelEndScreen.target<TLevelEndWithMagic>())
    end->game = g;
  else
    hooks.levelEndScreen = TLevelEndWithMagic{g, hooks.levelEndScreen};

  TFlightLinks& flight = flightLinks();
  flight.swordKind = [](const TSword& sword) { return sword.cardKind(); };
  flight.returnSword = [](TSword& sword) { return returnSword(sword); };
  flight.swordShown = [](TSword& sword) { return swordShown(sword); };
  flight.newSwordForCard = [](TCard& card, float rot) { landPickedSword(card, rot); };
  flight.addMagicCard = [](const CardDataPtr& kind) { magicCollection().addMagicCard(kind); };
  flight.checkMagicCardsAwards = [] {
    if (magicCardsAwardsHook()) magicCardsAwardsHook()();
  };

  TUndoLinks& undo = undoLinks();
  undo.removeSwordByCardId = [](int cardId) { ownedSwords().removeByCardId(cardId); };
  undo.hasMagicCard = [](const CardDataPtr& kind) { return kind && magicCollection().haveMagic(kind->id); };
  undo.removeMagicCard = [](const CardDataPtr& kind) { magicCollection().removeMagicCard(kind); };

  TLevelLinks& level = levelLinks();
  level.haveSwordBySeq = [](int seq) { return ownedSwords().haveSwordBySeq(seq); };
  level.resourceKindCount = [] { return static_cast<int>(resourceCatalogue().size()); };
  level.newResource = [](int kindId, int amount) -> ResourcePtr {
    ResourceDataPtr kind = getResourceDataById(kindId);
    // Still worth its points; it just has no picture in flight.
    if (!kind) std::fprintf(stderr, "resource kind %d is not in the catalogue\n", kindId);
    return newResource(kind, amount, 0, 0);
  };
  level.magicCountForLevel = [](int levelN) { return magicCountForLevel(levelN); };
  level.getMagicCard = [](int id) { return magicCollection().getMagicCard(id); };
  level.magicCardsCount = [] { return magicCollection().count(); };
  level.getAvailableRandomMagicCard = [] { return magicCollection().getAvailableRandomMagicCard(); };
  level.awaitingMagicCards = [] { return magicCollection().awaitingMagicCards; };

  TResourceLinks& tokens = resourceLinks();
  tokens.level = [g] { return g->level.get(); };
  tokens.playSound = [g](const std::string& name) { g->playSound(name); };
}
