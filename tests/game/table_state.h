#pragma once
// The card game keeps its links to other parts and its live lists (flights, undo events,
// tokens, swords, magic cards) in globals; every card-game test starts and ends with none.

#include "engine/clock.h"
#include "game/card.h"
#include "game/events.h"
#include "game/flight.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/magic.h"
#include "game/main_game.h"
#include "game/resource.h"
#include "game/sword.h"

inline void resetTableState() {
  cardLinks() = TCardLinks{};
  levelLinks() = TLevelLinks{};
  flightLinks() = TFlightLinks{};
  undoLinks() = TUndoLinks{};
  mainGameHooks() = TMainGameHooks{};
  swordLinks() = TSwordLinks{};
  resourceLinks() = TResourceLinks{};
  stageLinks() = TStageLinks{};
  levelManager().stages.clear();
  ownedSwords().swords.clear();
  swordPlay() = TSwordPlay{};
  magicCollection().clear();
  resourcesInPlay().clear();
  resetFlightLists();
  clearUndoEvents();
  pomWaterX() = 0;
  useFakeClock(true);  // the harness runs every test on the fake clock
}
