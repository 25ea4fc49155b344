// Text pictures the script puts on the character, read pixel by pixel from
// the simulated desktop, whose font draws each glyph as a block.
#include "imagery/text_image.h"

#include "base/bmp_writer.h"
#include "imagery/animation.h"
#include "script/runner.h"
#include "support/sim_fixture.h"

namespace tk {
namespace {

constexpr Bgr kBody{0, 128, 0};

// Colours of the pictures below and the letters that stand for them.
std::string Letter(Bgr c) {
  if (c == kBody) return "c";                  // the character beneath
  if (c == Bgr{0x80, 0, 0}) return "#";        // text, the default navy
  if (c == Bgr{0, 0, 0xFF}) return "s";        // shadow, red
  if (c == Bgr{0xFF, 0xFF, 0xFF}) return ".";  // background, white
  if (c == Bgr{0xFF, 0, 0xFF}) return "k";     // the character's key colour
  return "?";
}

class TextImages : public testing::SimFixture {
 protected:
  void SetUp() override {
    SimFixture::SetUp();
    Bitmap figure(12, 8);
    figure.Fill(kBody);
    figure.Set(0, 0, {0xFF, 0, 0xFF});
    WriteFile("fig.bmp", EncodeBmp24(figure));
  }
  // Starts with the figure shown and the font at 4 points (two-pixel
  // one-byte cells, four-pixel two-byte ones, four rows) in navy, then runs
  // `body`.
  // Each call starts afresh, so a table of cases runs one character each.
  void Show(const std::string& body, bool bold = false, std::uint32_t shadow = 0) {
    if (form) {
      Exit();
      form.reset();
      for (const char* file : {"tk.ini", "tk_error.txt"}) std::filesystem::remove(Path(file));
    }
    WriteScript(
        "*TKScriptFile\n"
        "_BeginInitFlags:\nstr:Word,AB;\n_EndInitFlags:\n"
        "_FirstAction:\n>IDS=fig.bmp,fig;\n>IDP=fig;\n>AE;\n"
        "Go:\n>DPFS=4,8388608," +
        std::to_string(shadow) + (bold ? ",1" : ",0") + ",0,0,0;\n" + body + ">AE;\n");
    Start();
    ASSERT_FALSE(form->IsClosing());
    RunAction(*form, "Go");
  }
  // The first `rows` rows of the window, eight pixels each, '/' between rows.
  std::string Shown(int rows = 6) const {
    std::string out;
    for (int y = 0; y < rows; ++y) {
      for (int x = 0; x < 8; ++x) out += Letter(MainWindow().surface.At(x, y));
      out += '/';
    }
    return out;
  }
  int Named(const std::string& name) const {
    int n = 0;
    for (const auto& a : form->animations.list) n += a->name == name;
    return n;
  }
};

TEST_F(TextImages, TextOnItsBackgroundOnePixelLargerThanTheText) {
  struct Case {
    const char* body;
    bool bold;
    std::uint32_t shadow;
    const char* rows;
  };
  const Case cases[] = {
      // Two one-byte glyphs, each a block one pixel smaller than its cell.
      {">DTSP=AB,1,1,t,16777215;\n", false, 0,
       "kccccccc/c#.#..cc/c#.#..cc/c#.#..cc/c.....cc/c.....cc/"},
      // A flag's text, as any text parameter may be.
      {">DTSP=@FWord,1,1,t,16777215;\n", false, 0,
       "kccccccc/c#.#..cc/c#.#..cc/c#.#..cc/c.....cc/c.....cc/"},
      // The shadow one pixel down and right, under the text.
      {">DTSP=AB,1,1,t,16777215;\n", false, 0x0000FF,
       "kccccccc/c#.#..cc/c#s#s.cc/c#s#s.cc/c.s.s.cc/c.....cc/"},
      // A two-byte character is a full cell; bold widens each cell by one.
      {">DTSP=\x82\xA0,0,2,t,16777215;\n", false, 0,
       "kccccccc/cccccccc/###..ccc/###..ccc/###..ccc/.....ccc/"},
      {">DTSP=AB,0,0,t,16777215;\n", true, 0,
       "##.##..c/##.##..c/##.##..c/.......c/.......c/cccccccc/"},
      // Transparent: the top-left pixel's colour goes, be it the background
      // (after a full-width space)...
      {">ACR=1;\n>DTSP=\x81\x40"
       "A,1,1,t,16777215;\n",
       false, 0, "kccccccc/ccccc#cc/ccccc#cc/ccccc#cc/cccccccc/cccccccc/"},
      // ... or the text where a glyph covers it.
      {">ACR=1;\n>DTSP=AB,1,1,t,16777215;\n", false, 0,
       "kccccccc/cc.c..cc/cc.c..cc/cc.c..cc/c.....cc/c.....cc/"},
      // An empty text is the background alone, one pixel wide.
      {">DTSP=,2,0,t,16777215;\n", false, 0,
       "kc.ccccc/cc.ccccc/cc.ccccc/cc.ccccc/cc.ccccc/cccccccc/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    Show(c.body, c.bold, c.shadow);
    EXPECT_EQ(Shown(), c.rows);
    EXPECT_EQ(Named("t"), 1);
    EXPECT_TRUE(LogLines().empty());
  }
}

TEST_F(TextImages, ANewTextReplacesTheOldAndDTIDOrACDRemovesIt) {
  Show(">DTSP=ABC,0,0,t,16777215;\n>DTSP=A,0,0,t,16777215;\n>DTSP=B,4,0,u,16777215;\n");
  EXPECT_EQ(Named("t"), 1);
  EXPECT_EQ(Shown(5), "#..c#..c/#..c#..c/#..c#..c/...c...c/...c...c/");
  for (const char* removal : {">DTID=t;\n", ">ACD=t;\n"}) {
    Show(std::string(">DTSP=AB,0,0,t,16777215;\n") + removal);
    EXPECT_EQ(Named("t"), 0);
    EXPECT_EQ(Shown(5), "kccccccc/cccccccc/cccccccc/cccccccc/cccccccc/");
  }
}

TEST_F(TextImages, ANumberThatIsNotOneShowsNothing) {
  for (const char* body : {">DTSP=A,x,0,t,0;\n", ">DTSP=A,0,y,t,0;\n", ">DTSP=A,0,0,t,white;\n"}) {
    SCOPED_TRACE(body);
    Show(body);
    EXPECT_EQ(Named("t"), 0);
    ASSERT_EQ(LogLines().size(), 1u);
  }
}

// A picture too large to hold is not made, and nothing is shown.
TEST(TextImagePicture, TooLargeATextGivesNoPicture) {
  SimPlatform sim("/", "/");
  TextImageFont font;
  font.size = 1000;
  EXPECT_TRUE(ComposeTextImage(sim.Text(), font, std::string(40, 'A'), 0).empty());
  font.size = 10;
  EXPECT_EQ(ComposeTextImage(sim.Text(), font, "AB", 0).width(), 11);
}

}  // namespace
}  // namespace tk
