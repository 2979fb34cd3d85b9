#include "shell/game_session.h"

#include "data/catalogue.h"
#include "data/new_game.h"
#include "shell/command_handler.h"
#include "shell/kept_game.h"
#include "shell/turn.h"
#include "shell/turn_news.h"

namespace townwright {

GameSession::GameSession(Platform& platform) : platform_(&platform) {}

GameSession::GameSession(const GameSession& other, Platform& platform)
    : platform_(&platform),
      city_(std::make_unique<CityState>(*other.city_)),
      dialog_(other.dialog_),
      random_(other.random_) {}

void GameSession::Start(std::uint64_t seed) {
  FillCatalogues(*city_);
  SetUpNewGame(*city_, random_, seed);
  WindowDisplay display(dialog_, *platform_);
  OfferChoices(*city_, random_, display);
  city_->Day = 1;
  city_->Month = 1;
  city_->Year = 2008;
  BuildMainDialog(*city_, dialog_, *platform_);
}

bool GameSession::StartOrResume(std::uint64_t seed) {
  if (ResumeKeptGame(*city_, dialog_, random_, *platform_)) {
    platform_->Announce(ResumedGameNews(*city_));
    return true;
  }
  Start(seed);
  return false;
}

void GameSession::Handle(const WindowEvent& event) {
  MainDialogCallback(*city_, dialog_, random_, *platform_, event);
  KeepRunningGame(*city_, dialog_, random_, *platform_);
}

int GameSession::Run() {
  return platform_->RunUntilEnded([this](const WindowEvent& event) { Handle(event); });
}

}  // namespace townwright
