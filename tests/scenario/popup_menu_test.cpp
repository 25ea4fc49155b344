// PopupMenu1: its model, the openers and their guards, every item's handler,
// script items, the tray icon, the about box and the system commands.
#include "form/popup_menu.h"

#include "app/about_form.h"
#include "base/bmp_writer.h"
#include "base/messages.h"
#include "imagery/child_image_form.h"
#include "imagery/number_images.h"
#include "imagery/speech_state.h"
#include "script/runner.h"
#include "support/icon_files.h"
#include "support/script_fixture.h"

namespace tk {
namespace {

using Captions = std::vector<std::string>;

class PopupMenuTest : public testing::ScriptFixture {
 protected:
  // Captions and checks of the menu as it was last shown ("*" marks a check).
  Captions Shown() const {
    Captions out;
    for (const PopupMenuItem& item : sim->popup_menus.back().items) {
      out.push_back(item.caption + (item.checked ? "*" : ""));
    }
    return out;
  }
  std::string About() const { return std::string(msg::kAboutCaption) + "(&A)"; }
};

TEST_F(PopupMenuTest, FixedItemsScriptItemsAndTheClingSlot) {
  WriteFile("tk.ini", "[WndPos]\r\nZ_Pos=1\r\n");
  StartWith("_FirstAction:\n>AE;\nAdd:\n>PMS=One,A;\n>PMS=-,;\n>PMS=,OnlyLabel;\n>PMS=,;\n>AE;\n");
  sim->cursor_position = {300, 200};
  sim->Click(form->window, MouseButton::kRight, 1, 1);
  ASSERT_EQ(sim->popup_menus.size(), 1u);
  EXPECT_EQ(sim->popup_menus[0].at, (Point{300, 200}));
  EXPECT_EQ(sim->popup_menus[0].owner, form->window);
  EXPECT_EQ(Shown(),
            (Captions{msg::kMenuMove, std::string(msg::kMenuWinMost) + "*", msg::kMenuHide, "-",
                      std::string(msg::kMenuSound) + "*", std::string(msg::kMenuStepAside) + "*",
                      "-", About(), "-", msg::kMenuExit}));
  RunAction(*form, "Add");
  form->PopupMenu1.has_cling_item = true;
  form->PopupMenu1.PmCling.caption = "Cling";
  sim->Click(form->window, MouseButton::kRight, 1, 1);
  EXPECT_EQ(Shown(), (Captions{msg::kMenuMove, std::string(msg::kMenuWinMost) + "*", msg::kMenuHide,
                               "Cling", "-", std::string(msg::kMenuSound) + "*",
                               std::string(msg::kMenuStepAside) + "*", "One", "-", "", "-", About(),
                               "-", msg::kMenuExit}));
}

TEST_F(PopupMenuTest, NoMenuWhileAnActionRunsOrWhileClosing) {
  StartWith(
      "_FirstAction:\n>AE;\n"
      "Busy:\n>WAT=50;\n>AE;\n"
      "_LastAction:\n>WAT=50;\n>AE;\n");
  // Timers keep running during a wait; a right click then arrives too.
  const TimerId poke =
      sim->CreateTimer([&] { sim->Click(form->window, MouseButton::kRight, 1, 1); });
  sim->SetTimer(poke, 10, true);
  RunAction(*form, "Busy");
  EXPECT_TRUE(sim->popup_menus.empty());
  sim->SendTrayMessage(kTrayRightButtonDown);
  form->runner.runs = 1;
  sim->SendTrayMessage(kTrayRightButtonDown);
  form->runner.runs = 0;
  EXPECT_EQ(sim->popup_menus.size(), 1u);  // only the idle tray click
  Exit();
  sim->DestroyTimer(poke);
  EXPECT_EQ(sim->popup_menus.size(), 1u);
}

// Whatever way a mode changes, the next menu shows it and nothing else.
TEST_F(PopupMenuTest, CheckMarksFollowTheModes) {
  WriteFile("tk.ini", "[WndPos]\r\nZ_Pos=1\r\n");
  StartWith("_FirstAction:\n>AE;\n");
  auto expect_menu_shows_modes = [&](const char* step) {
    sim->Click(form->window, MouseButton::kRight, 5, 5);
    const Modes& m = form->shell.modes;
    const auto mark = [](bool on) { return on ? "*" : ""; };
    EXPECT_EQ(Shown()[0], std::string(msg::kMenuMove) + mark(m.move)) << step;
    EXPECT_EQ(Shown()[1], std::string(msg::kMenuWinMost) + mark(m.topmost)) << step;
    EXPECT_EQ(Shown()[2], m.hidden ? msg::kMenuShow : msg::kMenuHide) << step;
    EXPECT_EQ(Shown()[4], std::string(msg::kMenuSound) + mark(m.sound_on)) << step;
    EXPECT_EQ(Shown()[5], std::string(msg::kMenuStepAside) + mark(m.step_aside)) << step;
    EXPECT_EQ(sim->FindWindow(form->window)->topmost, m.topmost) << step;
  };
  expect_menu_shows_modes("start-up, topmost from tk.ini");
  EXPECT_TRUE(form->shell.modes.topmost);
  for (const char* caption :
       {msg::kMenuMove, msg::kMenuWinMost, msg::kMenuSound, msg::kMenuHide, msg::kMenuShow,
        msg::kMenuMove, msg::kMenuSound, msg::kMenuStepAside}) {
    Choose(caption);
    expect_menu_shows_modes(caption);
  }
  EXPECT_FALSE(form->shell.modes.topmost);
  EXPECT_FALSE(form->shell.modes.move);
  EXPECT_TRUE(form->shell.modes.sound_on);
  EXPECT_FALSE(form->shell.modes.step_aside);
}

TEST_F(PopupMenuTest, HandlersOfTheFixedItems) {
  StartWith("_FirstAction:\n>AE;\n");
  const WindowId main = form->window;
  Choose(msg::kMenuMove);
  EXPECT_TRUE(form->shell.modes.move);
  EXPECT_EQ(sim->CursorName(sim->cursor_override), "CSHAND1");
  Choose(msg::kMenuMove);
  EXPECT_EQ(sim->cursor_override, kNoCursor);

  Choose(msg::kMenuWinMost);
  EXPECT_TRUE(sim->FindWindow(main)->topmost);
  Choose(msg::kMenuWinMost);
  EXPECT_FALSE(sim->FindWindow(main)->topmost);

  Choose(msg::kMenuSound);
  EXPECT_FALSE(form->shell.modes.sound_on);

  sim->ShowWindow(main, true);
  Choose(msg::kMenuHide);
  EXPECT_TRUE(form->shell.modes.hidden);
  EXPECT_FALSE(sim->IsWindowVisible(main));
  Choose(msg::kMenuShow);
  EXPECT_TRUE(sim->IsWindowVisible(main));
  EXPECT_EQ(Shown()[2], msg::kMenuShow);

  Choose(msg::kMenuExit);
  EXPECT_TRUE(form->IsClosed());
  EXPECT_TRUE(sim->quit_requested);
  EXPECT_NE(ReadFile("tk.ini").find("X_Pos="), std::string::npos);
}

TEST_F(PopupMenuTest, HidingShowsAndHidesTheChildWindowInOrder) {
  WritePicture("b.bmp", 4, 4);
  StartWith("_FirstAction:\n>IDS=b.bmp,b;\n>IDP=b;\n>CIP=b,10,10;\n>AE;\n");
  const WindowId child = form->child_image->window;
  form->PmPutClick();
  EXPECT_FALSE(sim->IsWindowVisible(child));
  EXPECT_FALSE(sim->IsWindowVisible(form->window));
  form->PmPutClick();
  EXPECT_TRUE(sim->IsWindowVisible(child));
  EXPECT_TRUE(sim->IsWindowVisible(form->window));
  form->PmWinMostClick();
  EXPECT_TRUE(sim->FindWindow(child)->topmost);
  // The balloon opens the same menu.
  sim->Click(child, MouseButton::kRight, 1, 1);
  EXPECT_EQ(sim->popup_menus.size(), 1u);
}

TEST_F(PopupMenuTest, ScriptItemsRunTheirActionsAndAreNumbered) {
  StartWith(
      "_BeginInitFlags:\nint:N,0;\n_EndInitFlags:\n_FirstAction:\n"
      ">PMS=&Story,Story;\n>PMS=Twice,T;\n>PMS=Twice,T;\n>PMS=Keep,K;\n>AE;\n"
      "Story:\n>FV+=N,1;\n>AE;\n"
      "DelCase:\n>PMD=twice,T;\n>AE;\n"
      "DelTwice:\n>PMD=Twice,T;\n>AE;\n"
      "More:\n>PMS=Late,L;\n>AE;\n"
      "DelAll:\n>PMD=,anything;\n>AE;\n");
  auto numbers = [&] {
    std::vector<int> n;
    for (const ScriptMenuItem& item : form->PopupMenu1.script_items) n.push_back(item.number);
    return n;
  };
  Choose("&Story");
  EXPECT_EQ(Int("N"), 1);
  RunAction(*form, "DelCase");
  EXPECT_EQ(numbers(), (std::vector<int>{0, 1, 2, 3}));
  RunAction(*form, "DelTwice");
  RunAction(*form, "More");
  EXPECT_EQ(numbers(), (std::vector<int>{0, 3, 4}));
  Choose("Late");  // label L is missing: reported by the runner
  EXPECT_EQ(Logged(), std::vector<std::string>{"Label not found Error LabelName[L:]"});
  RunAction(*form, "DelAll");
  EXPECT_TRUE(form->PopupMenu1.script_items.empty());
  RunAction(*form, "More");
  EXPECT_EQ(numbers(), (std::vector<int>{0}));
}

TEST_F(PopupMenuTest, ScriptItemsHideWhileAChoiceWaitsOrFromTheTrayWhileHidden) {
  StartWith("_FirstAction:\n>PMS=Mine,M;\n>AE;\n");
  auto has_mine = [&] {
    const Captions shown = Shown();
    return std::find(shown.begin(), shown.end(), "Mine") != shown.end();
  };
  form->speech.choice_waiting = true;
  sim->Click(form->window, MouseButton::kRight, 1, 1);
  EXPECT_FALSE(has_mine());
  EXPECT_TRUE(form->PopupMenu1.script_items[0].visible);  // back after the menu closed
  form->speech.choice_waiting = false;
  form->PmPutClick();
  sim->SendTrayMessage(kTrayRightButtonDown);
  EXPECT_FALSE(has_mine());
  EXPECT_EQ(sim->foreground_requests, std::vector<WindowId>{form->window});
  EXPECT_EQ(sim->cancel_modes, std::vector<WindowId>{form->window});
  form->PmPutClick();
  sim->SendTrayMessage(kTrayRightButtonDown);
  EXPECT_TRUE(has_mine());
  sim->SendTrayMessage(kTrayLeftButtonDown);
  sim->SendTrayMessage(0x0202);  // a release: ignored
  EXPECT_EQ(sim->foreground_requests.size(), 3u);
  EXPECT_EQ(sim->popup_menus.size(), 3u);
}

TEST_F(PopupMenuTest, SystemCommands) {
  WriteFile("ear.cur", testing::CursorFileBytes());
  WriteFile("face.ico", testing::IconFileBytes());
  WriteFile("bad.ico", "not an icon");
  StartWith("_FirstAction:\n>NS=" + std::string(100, 'T') +
            ";\n>MCS=ear.cur,Ear;\n>MCS=none.cur,Gone;\n>IS=face.ico;\n>IS=bad.ico;\n>IS=;\n"
            ">AFS=Hello,Some text,255,;\n>AFS=Bye,Other,red,pic.bmp;\n>NUS;\n>AE;\n"
            "Nus:\n>NUS;\n>AE;\n");
  EXPECT_EQ(form->shell.title, std::string(63, 'T'));
  EXPECT_EQ(sim->tray_tip, form->shell.title);
  // MCS: numbers from -50 down, used up by a failure too.
  ASSERT_EQ(form->named_cursors.size(), 2u);
  EXPECT_EQ(form->named_cursors[1].number, -51);
  EXPECT_EQ(sim->CursorName(form->CursorOfNumber(-50)), "file:ear.cur");
  EXPECT_EQ(sim->CursorName(form->CursorOfNumber(-51)), "standard:arrow");
  EXPECT_EQ(form->shell.next_cursor_number, -52);
  // IS: the good icon stays in the tray after the bad one.
  EXPECT_EQ(sim->IconName(sim->tray_icon), "file:face.ico");
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{msg::kCursorFileUnopenable, msg::kFileOpenError,
                                                  msg::kIconFileUnopenable, msg::kParameterError}));
  ASSERT_EQ(Logged().size(), 2u);
  EXPECT_EQ(Logged()[0], "File open Error Line(4) LabelName[_FirstAction:] >MCS=none.cur,Gone;");
  // AFS: a bad colour keeps colour and image but not caption and text.
  EXPECT_EQ(form->shell.about_caption, "Bye");
  EXPECT_EQ(form->PopupMenu1.PmShowAbout.caption, "Bye(&A)");
  EXPECT_EQ(form->shell.about_text, "Other");
  EXPECT_EQ(form->shell.about_text_color, 255u);
  EXPECT_EQ(form->shell.about_image, "0");
  // NUS without a sound device: the items go and come, sound stays off.
  EXPECT_FALSE(form->PopupMenu1.PmSound.visible);
  EXPECT_FALSE(form->PopupMenu1.PmLine02.visible);
  RunAction(*form, "Nus");
  EXPECT_TRUE(form->PopupMenu1.PmSound.visible);
  EXPECT_FALSE(form->shell.sound_available);
  Exit();
  EXPECT_EQ(sim->IconName(1), "");  // released at exit
}

TEST_F(PopupMenuTest, AboutBoxLayoutPictureAndTopmostBand) {
  Bitmap picture(200, 120);
  picture.Fill({10, 20, 30});
  WriteFile("pic.bmp", EncodeBmp24(picture));
  WriteFile("tk.ini", "[WndPos]\r\nX_Pos=100\r\nY_Pos=100\r\nZ_Pos=1\r\n");
  StartWith("_FirstAction:\n>AFS=Cap,Text,65280,pic.bmp;\n>AE;\nNoPic:\n>AFS=Cap,Text,,;\n>AE;\n");
  sim->SetWindowBounds(form->window, {100, 100, 260, 300});
  Choose("Cap(&A)");
  sim->ProcessPendingMessages();
  ASSERT_TRUE(form->about_form);
  const WindowId about = form->about_form->window;
  const AboutBoxLayout& layout = sim->about_boxes.at(about);
  EXPECT_EQ(layout.caption, "Cap");
  EXPECT_EQ(layout.label_text, "Text");
  EXPECT_EQ(layout.label_color, 65280u);
  EXPECT_EQ(layout.button_text, msg::kAboutClose);
  EXPECT_EQ(layout.client_width, 200);
  EXPECT_EQ(layout.client_height, 120);
  // Outer size 206 x 145 centred on the 160 x 200 character.
  EXPECT_EQ(layout.left, 100 + (160 - 206) / 2);
  EXPECT_EQ(layout.top, 100 + (200 - 145) / 2);
  EXPECT_EQ(layout.button, (Rect{62, 91, 137, 116}));
  EXPECT_EQ(layout.label, (Rect{8, 8, 200, 89}));
  EXPECT_TRUE(sim->FindWindow(about)->topmost);
  EXPECT_EQ(sim->FindWindow(about)->surface.At(5, 5), (Bgr{10, 20, 30}));
  sim->SendCommand(about, kAboutButtonCommand);
  EXPECT_FALSE(sim->IsWindowVisible(about));
  EXPECT_FALSE(sim->FindWindow(about)->topmost);
  EXPECT_TRUE(sim->FindWindow(form->window)->topmost);
  // Without a picture from now on; the size a picture gave stays.
  RunAction(*form, "NoPic");
  form->PmShowAboutClick();
  EXPECT_EQ(sim->about_boxes.at(about).client_width, 200);
  EXPECT_FALSE(form->about_form->bitmap_loaded);
  EXPECT_EQ(form->about_form->window, about);  // reused
}

}  // namespace
}  // namespace tk
