// The program as the system starts it: WinMain on the headless host, from a
// working directory of the test's own.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/shell/form_zarvo.h"
#include "tests/framework/windows/window_fixture.h"
#include "tests/support/temp_folder.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

namespace {

using window_tests::Host;
namespace fs = std::filesystem;

const std::string kDamaged = "Immagine corrotta o dannegiata. Ripristinare la cartella immagine";

// The boxes opened since `from`: the damaged picture's, then the one that the
// background shows for the null picture it was handed.
void ExpectDamagedPictureBoxes(std::size_t from) {
  const auto& boxes = Host().MessageBoxes();
  ASSERT_EQ(boxes.size(), from + 2);
  EXPECT_EQ(boxes[from].textUtf8, kDamaged);
  EXPECT_EQ(boxes[from].captionUtf8, "errore");
  EXPECT_EQ(boxes[from + 1].textUtf8.rfind("Errore caricamento immagine - codice errore: ", 0), 0u)
      << boxes[from + 1].textUtf8;
  EXPECT_EQ(boxes[from + 1].captionUtf8, "Errore");
}

// A working directory holding a copy of the pictures, changed by the test.
class ProgramEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::create_directories(root_ / "run");
    fs::copy(ZARVO_ASSET_DIR, root_ / "run/images_games");
    fs::current_path(root_ / "run");
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    // Each box is answered; the windows standing when it opened are kept.
    Host().onMessageBox = [this](const host::headless::MessageBoxRecord&) {
      windowsAtBox_ = Host().Windows().size();
      Host().KeyDown(VK_RETURN);
      Host().KeyUp(VK_RETURN);
    };
  }
  void TearDown() override { fs::current_path(previous_); }
  int Run() {
    char commandLine[] = "";
    return WinMain(GetModuleHandleW(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  }
  std::string Pictures() const { return root_ / "run/images_games"; }

  testing_support::TempFolder root_;
  fs::path previous_;
  std::size_t windowsAtBox_ = 0;
};

TEST_F(ProgramEntry, WithoutThePicturesInEitherPlaceItSaysSoAndEndsWith1BeforeAnyWindow) {
  fs::remove_all(Pictures());
  const std::size_t boxes = Host().MessageBoxes().size();
  EXPECT_EQ(Run(), 1);
  ASSERT_EQ(Host().MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(Host().MessageBoxes()[boxes].textUtf8,
            "Immagini non trovate.\nSe esegui il gioco da un archivio zip dovrai decomprimere "
            "tutto il contenuto in una cartella ed eseguire il gioco dalla cartella");
  EXPECT_EQ(Host().MessageBoxes()[boxes].captionUtf8, "Errore");
  EXPECT_EQ(windowsAtBox_, 1u) << "the box is the only window";
  EXPECT_TRUE(Host().Windows().empty());
}

// A damaged splash, or another picture put in its place: reported, the game
// window closed, and the program ends normally.
TEST_F(ProgramEntry, ADamagedOrSwappedSplashIsReportedAndTheProgramEndsWith0) {
  const std::string logo = Pictures() + "/logo.bmp";
  const std::string bytes = testing_support::ReadBytes(logo);
  std::string damaged = bytes;
  damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x10);
  const std::string swapped = testing_support::ReadBytes(Pictures() + "/gameover.bmp");
  for (const std::string& contents : {damaged, swapped}) {
    testing_support::WriteBytes(logo, contents);
    const std::size_t boxes = Host().MessageBoxes().size();
    EXPECT_EQ(Run(), 0);
    ExpectDamagedPictureBoxes(boxes);
    EXPECT_TRUE(Host().Windows().empty());
  }
}

// The play field's picture is read only when the first level is built: a
// missing one is reported then, and closes the game.
TEST_F(ProgramEntry, AMissingPlayFieldPictureIsReportedWhenTheGameStarts) {
  fs::remove(Pictures() + "/blank.bmp");
  const std::size_t boxes = Host().MessageBoxes().size();
  auto* game = new Zarvo::FormZarvo(GetModuleHandleW(nullptr), "Zarvo");
  window_tests::RunLoop(nullptr, 50);
  EXPECT_EQ(Host().MessageBoxes().size(), boxes) << "the splash is whole";
  game->OnChar('g');
  window_tests::Drain();
  ExpectDamagedPictureBoxes(boxes);
  EXPECT_FALSE(IsWindow(game->hwnd));
  delete game;
  EXPECT_TRUE(Host().Windows().empty());
}

}  // namespace
