// The program: finds the pictures, builds the game window and runs it.
#include "framework/forms/message_loop.h"
#include "framework/util/paths.h"
#include "framework/util/shell.h"
#include "game/shell/asset_paths.h"
#include "game/shell/form_zarvo.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string probe = std::string(Zarvo::kAssetPrefix) + "logo.bmp";
  if (!VexaUtility::PathExists(probe)) probe = Zarvo::kAssetFallback + Zarvo::FileNameOf(probe);
  if (!VexaUtility::PathExists(probe)) {
    VexaUtility::ShowError(
        "Immagini non trovate.\nSe esegui il gioco da un archivio zip dovrai decomprimere tutto "
        "il contenuto in una cartella ed eseguire il gioco dalla cartella",
        "Errore");
    return 1;
  }
  const std::string title = std::string("Zarvo ") + Zarvo::kCreditLine;
  auto* game = new Zarvo::FormZarvo(instance, title);
  VexaUtility::RunMessageLoop(game);
  delete game;
  return 0;
}
