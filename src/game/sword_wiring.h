#pragma once
// Connects swords, resource tokens and magic cards to the card table, flights, undo and
// levels through their links and hooks.

class TMainGame;

// Fills the sword, token and magic-card entries of mainGameHooks(), flightLinks(),
// undoLinks() and levelLinks(), and points tokens at the game's level. The effects and
// level-end hooks are extended, not replaced, so call this after those are set. Safe to
// call again.
void installSwordsResourcesAndMagic(TMainGame& game);
