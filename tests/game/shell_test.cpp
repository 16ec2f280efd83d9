#include <gtest/gtest.h>

#include <filesystem>

#include "game/playfield/movements.h"
#include "game/shell/form_zarvo.h"
#include "tests/framework/windows/window_fixture.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace Zarvo;
namespace fs = std::filesystem;
using window_tests::Drain;
using window_tests::Host;

// The game in a working directory of the test's own: `run`, with a copy of
// the pictures inside it and, when asked, another copy beside it.
class Shell : public ::testing::Test {
 protected:
  void Start(bool besideToo) {
    previous_ = fs::current_path();
    fs::create_directories(root_ / std::string("run"));
    fs::copy(ZARVO_ASSET_DIR, root_ / std::string("run/images_games"), fs::copy_options::recursive);
    if (besideToo) fs::copy(ZARVO_ASSET_DIR, root_ / std::string("images_games"), fs::copy_options::recursive);
    fs::current_path(root_ / std::string("run"));
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    game_ = new FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
  }
  void TearDown() override {
    delete game_;
    if (!previous_.empty()) fs::current_path(previous_);
  }
  testing_support::TempFolder root_;
  fs::path previous_;
  FormZarvo* game_ = nullptr;
};

TEST_F(Shell, TheCopyBesideTheWorkingDirectoryCountsAndEachPictureIsReadOnce) {
  Start(true);
  EXPECT_EQ(game_->imageCache.count("..\\images_games\\logo.bmp"), 1u);
  HBITMAP first = game_->LoadCheckedImage("..\\images_games\\logo.bmp");
  // Once checked, the file is not read again, even when it changes.
  testing_support::WriteBytes(root_ / "images_games/logo.bmp", "changed");
  EXPECT_EQ(game_->LoadCheckedImage("..\\images_games\\logo.bmp"), first);
  EXPECT_EQ(game_->imageCache.size(), 1u);
  EXPECT_TRUE(Host().MessageBoxes().empty());
}

TEST_F(Shell, TheBallSoundPlaysOnlyWhileItsFileIsWhole) {
  Start(false);
  const std::string wave = root_ / "run/images_games/ball.wav";
  const std::string bytes = testing_support::ReadBytes(wave);
  game_->PlayBallSound();
  ASSERT_EQ(Host().Sounds().size(), 1u);
  std::string changed = bytes;
  changed.back() = static_cast<char>(changed.back() ^ 1);
  testing_support::WriteBytes(wave, changed);
  game_->PlayBallSound();
  EXPECT_EQ(Host().Sounds().size(), 1u);
  testing_support::WriteBytes(wave, bytes);
  game_->PlayBallSound();
  EXPECT_EQ(Host().Sounds().size(), 2u);
}

TEST_F(Shell, ABrokenBrickPlaysTheExecutablesOwnWave) {
  Start(false);
  game_->OnChar('g');
  game_->OnChar('p');
  SpriteBall& ball = *game_->ball;
  ball.stepX = 0;
  ball.x = 85;
  ball.y = 120;
  ball.movingUp = true;
  MovementBall(&game_->ballSettings, &ball, game_).Step();
  ASSERT_FALSE(Host().Sounds().empty());
  const host::PcmFormat& format = Host().Sounds().back().format;
  EXPECT_EQ(format.samplesPerSecond, 44100);
  EXPECT_EQ(format.bitsPerSample, 16);
  EXPECT_EQ(format.channels, 1);
}

TEST_F(Shell, HomeHandsTheAddressToTheShellAndChangesNothingElse) {
  Start(false);
  game_->OnChar('g');
  const int x = game_->ball->x;
  PostMessageW(game_->hwnd, WM_COMMAND, MAKELONG(game_->homeItem->id, 0), 0);
  Drain();
  EXPECT_EQ(Host().OpenedAddresses(), (std::vector<std::string>{kHomePage}));
  EXPECT_EQ(game_->gameState, Playing);
  EXPECT_EQ(game_->ball->x, x);
  EXPECT_EQ(game_->score, 0);
}

}  // namespace
