#include "shell/game_session.h"

#include "data/catalogue.h"
#include "data/new_game.h"
#include "shell/main_window.h"
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
  BuildMainDialog();
}

bool GameSession::StartOrResume(std::uint64_t seed) {
  if (ResumeKeptGame()) {
    platform_->Announce(ResumedGameNews(*city_));
    return true;
  }
  Start(seed);
  return false;
}

void GameSession::Handle(const WindowEvent& event) {
  MainDialogCallback(event);
  KeepRunningGame();
}

void GameSession::BuildMainDialog() {
  dialog_.MainDialogHandle = platform_->CreateMainWindow(kWindowCaption, kMainWindowPlace,
                                                         kDialogFontFace, kDialogFontPoints);
  if (dialog_.MainDialogHandle == 0) return;
  // Each control made by its first refresh, in creation order.
  WindowDisplay display(dialog_, *platform_);
  for (const ControlLayout& layout : WindowControls()) {
    display.RefreshControl(layout.id, FirstText(*city_, layout));
  }
  CreateYearFont(dialog_, *platform_);
  display.ApplyYearFont();
}

int GameSession::Run() {
  return platform_->RunUntilEnded([this](const WindowEvent& event) { Handle(event); });
}

}  // namespace townwright
