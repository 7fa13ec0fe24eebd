// The whole game, started as the executable starts it, played by a scripted player that
// only clicks and presses keys: the title's free play, a level dealt from the stage
// catalogue and played to its end (a fitting uncovered card when there is one, else the
// deck, else the end-hand button), the level's summary, back to the title, quit.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/globals.h"
#include "app/startup.h"
#include "engine/clock.h"
#include "engine/draw.h"
#include "engine/input.h"
#include "engine/numbers.h"
#include "game/flight.h"
#include "game/main_game.h"
#include "screens/main_menu.h"
#include "screens/table_overlay.h"
#include "support/harness.h"

namespace {

// What the level handed to the profile, and the figures it was worked out from.
struct Recorded {
  int total = -1;
  float score = 0;
  int cardsLeft = 0;
  float driveMN = 0;
};

// Clicks like a player: one action at a time, the pointer moved a few frames before the
// button goes down.
class ScriptedPlayer {
 public:
  enum Phase { TITLE, PLAYING, SUMMARY, LEAVING, DONE };

  Phase phase = TITLE;
  int frame = 0;
  int cardsPlayed = 0, deckDraws = 0, endHands = 0;
  std::string levelResult;
  std::vector<std::string> statesSeen;
  bool sawTableShot = false;

  void onFrame() {
    ++frame;
    advanceFakeClock(17);
    const TMainGame& game = mainGame();
    if (statesSeen.empty() || statesSeen.back() != game.state) statesSeen.push_back(game.state);
    if (pending_ > 0) {
      if (--pending_ == 0) {
        injectMouseButton(1, true);
        release_ = true;
      }
      return;
    }
    if (release_) {
      injectMouseButton(1, false);
      release_ = false;
      wait_ = 8;
      return;
    }
    if (wait_ > 0 && --wait_ > 0) return;
    switch (phase) {
      case TITLE:
        if (frame > 40) {
          const TMainMenu::Choice& freePlay = TMainMenu::kChoices[0];
          clickAt(512, freePlay.y + 20);
          phase = PLAYING;
        }
        break;
      case PLAYING:
        play();
        break;
      case SUMMARY:
        if (game.state == "OVER") {
          levelResult = game.wynik;
          phase = LEAVING;
        } else {
          if (levelSummary().alpha == 1) {
            keep(levelSummary(), "summary.png");
            clickAt(512, levelSummary().choiceTop(0) + TTableOverlay::kChoiceHeight / 2);
            wait_ = 30;
          }
        }
        break;
      case LEAVING:
        // Back on the title: Escape quits.
        if (game.state == "OVER" && frame % 20 == 0) {
          injectKey(key::ESCAPE, true);
          injectKey(key::ESCAPE, false);
        }
        break;
      case DONE:
        break;
    }
    if (frame > 30000) {
      ADD_FAILURE() << "the scripted game did not end; states: " << statesText();
      injectQuit();
      phase = DONE;
    }
  }

  std::string statesText() const {
    std::string s;
    for (const std::string& state : statesSeen) s += state + " ";
    return s;
  }

 private:
  int pending_ = 0;
  bool release_ = false;
  int wait_ = 0;

  void clickAt(float x, float y) {
    injectMouseMove(static_cast<int>(x), static_cast<int>(y));
    pending_ = 3;
  }

  // The frame has been presented already: draws the screen again to keep a picture.
  static void keep(TEkran& screen, const std::string& name) {
    const char* dir = std::getenv("TARNWICK_KEEP_SCREENSHOTS");
    if (!dir) return;
    cls();
    screen.draw();
    saveBackBuffer(std::string(dir) + "/" + name);
    cls();
  }

  void play() {
    TMainGame& game = mainGame();
    if (game.state == "END" || game.state == "OVER") {
      phase = SUMMARY;
      return;
    }
    if (game.state != "NORMAL" || !flights().empty() || !game.level) return;
    // The topmost uncovered card that fits the spot.
    for (auto it = game.level->cards.rbegin(); it != game.level->cards.rend(); ++it) {
      const CardPtr& card = *it;
      if (card->odkryta && card->side == 1 && card->cd && game.isPlayable(*card->cd)) {
        if (!sawTableShot && cardsPlayed == 3) {
          keep(mainGame(), "free-play.png");
          sawTableShot = true;
        }
        clickAt(card->x, card->y);
        ++cardsPlayed;
        return;
      }
    }
    const float x = game.level->deckHolderX + 50 + (game.deckHolderW - 240) / 2;
    const float y = game.level->deckHolderY + 25 + (game.deckHolderH - 45) / 2;
    if (!game.level->deck.empty()) {
      ++deckDraws;
    } else {
      if (game.endHandA < 1) return;  // the end-hand button is still fading in
      ++endHands;
    }
    clickAt(x, y);
  }
};

ScriptedPlayer* player = nullptr;

TEST(FreePlayRun, AScriptedPlayerClearsALevelFromTheTitleToTheSummary) {
  const std::string game = harness::gameFolder();
  ASSERT_TRUE(std::filesystem::exists(game + "/data/stages.dat")) << "the quest's stages are content";
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(game);

  ScriptedPlayer script;
  player = &script;
  // The level's result reaches the profile through this hook; start-up installs the
  // game's hooks, so the watch goes on top at the first frame.
  std::vector<Recorded> recorded;
  bool wrapped = false;
  frameObserver() = [&] {
    if (!wrapped) {
      wrapped = true;
      auto inner = mainGameHooks().recordLevel;
      mainGameHooks().recordLevel = [inner, &recorded](int total) {
        const TMainGame& g = mainGame();
        recorded.push_back({total, g.level->score, static_cast<int>(g.level->cards.size()), g.level->driveMN});
        if (inner) inner(total);
      };
    }
    player->onFrame();
  };

  const int code = runGame();
  frameObserver() = nullptr;
  player = nullptr;
  std::filesystem::current_path(previous);

  EXPECT_EQ(code, 0);
  EXPECT_EQ(script.levelResult, "GET-NEXT-LEVEL") << "states: " << script.statesText();
  EXPECT_GT(script.cardsPlayed, 5);
  EXPECT_GT(script.deckDraws, 0);
  ASSERT_EQ(recorded.size(), 1u) << "one level, one result";
  const Recorded& r = recorded[0];
  // The level's own arithmetic: (score + the cards-left bonus) times the multiplier.
  const int bonus = TMainGame::cardsLeftBonus(r.cardsLeft);
  EXPECT_EQ(r.total, truncToInt(static_cast<float>(truncToInt(r.score) + bonus) * r.driveMN));
  EXPECT_GE(r.driveMN, 1.0f);
  EXPECT_EQ(mainGame().recordedTotal, r.total);
}

}  // namespace
