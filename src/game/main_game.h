#pragma once
// The card table: TMainGame is the screen on which one level is played. The rules of play
// (which card may go onto the spot, the deck, the drive and its combo, points, hints and
// undo) live in main_game_rules.cpp; the deal, the state machine and the end of a level in
// main_game_flow.cpp; the drawing of the table in main_game_draw.cpp.
//
// Effects, captions, sounds, swords, tokens and the player's profile are reached through
// mainGameHooks(). An empty hook does nothing (or answers "no"), so the rules run on their
// own in tests and before those parts are built; no rule ever waits for a hook.
#include <functional>
#include <string>

#include "app/screen.h"
#include "game/card.h"
#include "game/card_data.h"
#include "game/level.h"

struct TMainGameHooks {
  // Sound manager: playMySound(name).
  std::function<void(const std::string& name)> playSound;
  // Captions: a picture caption at (x, y) for ms milliseconds; whether one is on screen.
  std::function<void(const std::string& name, float x, float y, int ms)> imgCaption;
  std::function<bool()> captionOnScreen;
  // Particles: the drive trail towards the multiplier display. Its arrival must call
  // mainGame().raiseMultiplier(driveLength); while empty the multiplier rises at once.
  std::function<void(float fromX, float fromY, float toX, float toY, int driveLength)> driveTrail;
  // Particles: a named set of ribbons ("PERFECT-1" .. "PERFECT-3", "MAX-MULTI").
  std::function<void(const std::string& set)> ribbons;
  // Resources: a coin of kind 1 worth `amount` flying from (x, y) to the cash display;
  // its landing adds the amount to the score. Empty: the amount is added at once.
  std::function<void(float x, float y, int amount)> flyCoin;
  // Resources: a column card's token collected at the card's place (addColumnResource).
  std::function<void(TCard& card)> collectToken;
  // Profile: owned shop item ("UNDO-1", "SHOW-CARD", ...). Empty: levelLinks().haveItem.
  std::function<bool(const std::string& item)> haveItem;
  // Profile: hint level (first levels of the quest) and the cards-light-up option (true
  // while empty).
  std::function<bool()> hintLevel;
  std::function<bool()> cardsLightUp;
  // Profile: longest drive ever and its update. Empty: the level's longestDrive stands in.
  std::function<int()> longestDrive;
  std::function<void(int drive)> setLongestDrive;
  // Profile: its undo counter for this level. Empty: the screen's own `undos`.
  std::function<int&()> undos;
  // Profile: the best multiplier record follows the level's multiplier.
  std::function<void(float driveMN)> recordMultiplier;
  // Profile: one second of play (profile time + 1).
  std::function<void()> tickSecond;
  // Awards: check_<name> ("outstandingCombo", "MegaCombo", "superCombo", "easyCombo").
  std::function<void(const std::string& award)> checkAward;
  // Swords: the sword card is new to the profile and flies to the sword arc (records its
  // own undo event). Empty: the card just flies off like an owned one.
  std::function<void(TCard& card)> pickUpSword;
  // Swords: a sword is being used (clickedSword set); undo waits for it.
  std::function<bool()> swordInUse;
  // Swords: per-frame hover, use and drawing of the profile's swords.
  std::function<void()> updateSwords;
  std::function<void()> drawSwords;
  // Quest objectives, checked while playing.
  std::function<void()> updateObjectives;
  // Per-frame update and drawing of particles, captions and tokens in play.
  std::function<void()> updateEffects;
  std::function<void()> drawEffects;
  // Head-up display. Empty: a plain text line with score, drive, multiplier and deck.
  std::function<void()> drawHud;
  // Level end: what follows a finished level (the level end screen); returns "" to go on
  // or "LOSE-STAGE". Empty: go on.
  std::function<std::string()> levelEndScreen;
  // Profile: records the level's result (UPDATE_levelAndStage).
  std::function<void(int score)> recordLevel;
  // Profile: the table is being played (where = "MAIN-GAME", current stage and its data).
  std::function<void()> tableEntered;
  // The in-game menu (the options screen over the table); returns its choice: "RESTART",
  // "MAIN-MENU" or anything else to play on. Empty: play on.
  std::function<std::string()> gameMenu;
  // Sound manager: the level's music starts; it fades out when the table is left.
  std::function<void(int soundID)> levelMusic;
  std::function<void()> hideMusic;
  // Particles, emitters and captions are dropped when the table is left.
  std::function<void()> clearEffects;
  // The tutorial's per-frame check of the table (it may show a tip).
  std::function<void()> tutorialCheck;
  // The newsletter sign-up offer; true when the player signed up now (three wild cards).
  std::function<bool()> newsletterCheck;
  // Three new swords for the player (Add3WildCards).
  std::function<void()> add3WildCards;
};

TMainGameHooks& mainGameHooks();

class TMainGame : public TEkran {
 public:
  // Rule fields.
  static constexpr int MIN_LONG_DRIVE = 5;
  static constexpr int CONST_WAIT_TIME = 1000;
  LevelPtr level;
  std::string state;
  int clickTime = 0;
  int checkTime = 0;
  int waitingTime = 0;
  int waitTime = 0;
  int secondTime = 0;
  CardPtr over;
  CardList showedCards;
  CardList goodCards;
  int deckOver = 0;
  int deckCardOver = 0, deckWaitTime = 0;
  int kartaPominieta = 0;
  float swordShowX = 815, swordShowY = 500;
  int remDriveN = 0;
  int pomDeckCardsLeft = 0;
  int runesOfTarnwick = 0;
  int fadeToWhite = 0;
  float undoA = 0, dUndoA = 0;
  float endCAlpha = 0, dEndCAlpha = 0;
  float endHandA = 0, dEndHandA = 0;
  float deckAlpha = 0, dDeckAlpha = 0;
  float deckOverA = 0, dDeckOverA = 0;
  float deckHelpA = 0, dDeckHelpA = 0;
  float endA = 0, dEndA = 0;
  float comboA = 0, dComboA = 0;
  // Undos left when no profile is wired in (mainGameHooks().undos empty).
  int undos = 1;
  // The last result handed to the profile (recordLevel); shown until a profile keeps it.
  int recordedTotal = 0;
  // Deck holder picture size; the deck area and the level's deck geometry follow it.
  float deckHolderW = 470, deckHolderH = 168;

  TMainGame();

  // Rules -------------------------------------------------------------------------------
  void addDeckCard();
  void addScore(float points);
  void addColumnResource(TCard& card);
  void addDriveResource();
  void LongDrive_add();
  void LongDrive_end();
  // An ace links a king and a two; suits play no part. Symmetric.
  static bool checkSequence(int seqA, int seqB);
  bool checkSequence(const CardDataPtr& a, const CardDataPtr& b) const;
  // The top card: the last card on its way to the spot, else the spot's last kind.
  CardDataPtr getFirstCard() const;
  // Whether the kind may go onto the spot now.
  bool isPlayable(const TCardData& kind) const;
  void pickSword(TCard& card);
  void useCard(const CardPtr& card);
  void _update_cardOver();
  void _update_deckCardOver();
  void _update_deckOver();
  void _update_time();
  void _update_hint();
  void _update_objectives();
  void _updateUndo();
  void _updateGUI();
  void _updateEndA();
  void _updateComboAlpha();
  void _updateDeckHelpA();
  void _prepareDeckCard();
  // The undo button: spends an undo only when something was undone. True when undone.
  bool undo();
  // Takes the last move back without spending an undo (also the developer key Z).
  bool undoLast();
  // The drive trail has arrived: the multiplier rises by (driveLength - 5) / 10.
  void raiseMultiplier(int driveLength);
  float getMaxDriveMultiplier() const;
  void _controlKEYBOARD();

  // Flow --------------------------------------------------------------------------------
  void setLevel(LevelPtr newLevel);
  std::string mainLoop();
  void prepare();
  void _prepareBegin();
  void _prepareSelf();
  void finish();
  void setState(const std::string& name);
  void _updateState();
  void _update_STATE_begin();
  void _update_STATE_normal();
  void _update_STATE_caption();
  void _update_STATE_perfect();
  void _update_STATE_perfect2();
  void _update_STATE_perfect3();
  void _update_STATE_end();
  void _update_STATE_wait_for_caption();
  void _update_STATE_wait_for_caption1();
  void waitForCaption();
  void waitForCaption1();
  void END_LEVEL();
  void deckCardsFlyOut();
  // A newsletter sign-up's gift: three swords the player does not own.
  void Add3WildCards();
  // The in-game menu: restart, back to the title, or play on.
  void goMenu();
  // Hands the result to the profile (and keeps it in recordedTotal).
  void recordResult(int total);
  // Cards-left bonus: 0 left 500, 1 250, 2 150, 3 100, 4 50, more 0.
  static int cardsLeftBonus(int cardsLeft);
  // What the level is worth once over: (score + bonus [+ 5 % with "KASA+5"]) * multiplier.
  int levelTotal() const;
  void update() override;
  // One frame of play without the screen's input and fades: the state step, flights and
  // the display values. Tests drive the rules with it.
  void updatePlay();

  // Drawing -----------------------------------------------------------------------------
  void draw() override;
  void _drawBack();
  void _drawCards();
  void _drawDeck();
  void _drawSpot();
  void _drawInfo();

  // Hooks -------------------------------------------------------------------------------
  bool haveItem(const std::string& item) const;
  void playSound(const std::string& name) const;
  void caption(const std::string& name, float x, float y, int ms) const;
  bool hintLevel() const;
  int& undoCount();
  bool swordInUse() const;
  // Points the cards' game-screen links at this screen.
  void installCardLinks();
};

// The one game screen.
TMainGame& mainGame();
