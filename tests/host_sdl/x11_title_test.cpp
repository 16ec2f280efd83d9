#include "platform/host/sdl/x11_title.h"

#include <gtest/gtest.h>

namespace {

// Which titles X's STRING type can carry, and as which bytes.
TEST(TitleAsLatin1, TakesLatin1TextAndRefusesTheRest) {
  struct Case {
    const char* utf8;
    bool fits;
    const char* latin1;
  };
  const Case cases[] = {
      {"Zarvo 0.1", true, "Zarvo 0.1"},
      {"Partita \xC3\xA0 due \xC3\xBF", true, "Partita \xE0 due \xFF"},
      {"due\trighe\n", true, "due\trighe\n"},
      {"", true, ""},
      {"Punteggi \xE2\x80\x93 pi\xC3\xB9", false, ""},  // an en dash is beyond Latin-1
      {"a\x01z", false, ""},                            // control characters are not STRING
      {"a\xC2\x85z", false, ""},                        // nor are the C1 ones
      {"a\xC1\x81z", false, ""},                        // an overlong 'A'
      {"a\xC3", false, ""},                             // cut short
      {"a\xC3z", false, ""},                            // a lead byte without its trail
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    std::string latin1 = "left over";
    EXPECT_EQ(host::sdl::TitleAsLatin1(c.utf8, latin1), c.fits);
    if (c.fits) {
      EXPECT_EQ(latin1, c.latin1);
    }
  }
}

}  // namespace
