// Every program's windows as clinging reads them: front first, with their
// styles, titles and places, and document windows inside their frames; and
// the window in front, as stepping aside asks for it.
#include <optional>
#include <vector>

#include "contract/harness.h"

namespace tk::contract {
namespace {

const std::string kSjisTitle = "Tk\x83\x65\x83\x58\x83\x67";  // "Tkテスト"

class DesktopContract : public ContractTest {
 protected:
  DesktopWindows& desktop = platform.Desktop();

  std::vector<DesktopWindow> TopLevel() {
    std::vector<DesktopWindow> all;
    desktop.VisitTopLevelWindows([&](const DesktopWindow& w) {
      all.push_back(w);
      return true;
    });
    return all;
  }
  std::vector<DesktopWindow> Inside(DesktopWindowHandle parent) {
    std::vector<DesktopWindow> all;
    desktop.VisitDescendants(parent, [&](const DesktopWindow& w) {
      all.push_back(w);
      return true;
    });
    return all;
  }
  // Where the window stands in `list`, front first; -1 when it is absent.
  static int PlaceOf(const std::vector<DesktopWindow>& list, DesktopWindowHandle handle) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i].handle == handle) return static_cast<int>(i);
    }
    return -1;
  }
  static std::optional<DesktopWindow> Titled(const std::vector<DesktopWindow>& list,
                                             const std::string& title) {
    for (const DesktopWindow& w : list) {
      if (w.title == title) return w;
    }
    return std::nullopt;
  }
};

TEST_F(DesktopContract, OtherWindowsComeFrontFirstWithTheirTitlesStylesAndPlaces) {
  const Rect plain_rect{100, 120, 400, 300}, boxless_rect{150, 160, 350, 260};
  const auto plain = harness->OpenOtherWindow({"TkPlain", plain_rect});
  const auto boxless = harness->OpenOtherWindow({kSjisTitle, boxless_rect, false});
  const auto hidden = harness->OpenOtherWindow({"TkHidden", {10, 10, 200, 100}, true, false});
  harness->Pump();
  auto all = TopLevel();
  ASSERT_GE(PlaceOf(all, plain), 0);
  ASSERT_GE(PlaceOf(all, boxless), 0);
  ASSERT_GE(PlaceOf(all, hidden), 0);
  EXPECT_LT(PlaceOf(all, boxless), PlaceOf(all, plain));  // opened later: in front
  const auto at = [&](DesktopWindowHandle h) {
    return all[static_cast<std::size_t>(PlaceOf(all, h))];
  };
  const DesktopWindow p = at(plain), b = at(boxless), h = at(hidden);
  EXPECT_EQ(p.title, "TkPlain");
  EXPECT_EQ(b.title, kSjisTitle);
  EXPECT_EQ(p.bounds, plain_rect);
  EXPECT_EQ(b.bounds, boxless_rect);
  // Styles as visible, minimize box, child, document window.
  const auto styles = [](const DesktopWindow& w) {
    return std::vector<bool>{w.visible, w.minimize_box, w.child, w.mdi_child};
  };
  EXPECT_EQ(styles(p), (std::vector<bool>{true, true, false, false}));
  EXPECT_EQ(styles(b), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(styles(h), (std::vector<bool>{false, true, false, false}));

  harness->RaiseOtherWindow(plain);
  all = TopLevel();
  EXPECT_LT(PlaceOf(all, plain), PlaceOf(all, boxless));
  int visited = 0;
  desktop.VisitTopLevelWindows([&](const DesktopWindow&) { return ++visited < 2; });
  EXPECT_EQ(visited, 2);  // the visitor ends the walk

  const Rect moved{-30, 500, 170, 560};
  harness->MoveOtherWindow(plain, moved);
  EXPECT_EQ(desktop.WindowRect(plain), moved);
  harness->CloseOtherWindow(plain);
  harness->Pump();
  EXPECT_EQ(desktop.WindowRect(plain), std::nullopt);
  EXPECT_EQ(PlaceOf(TopLevel(), plain), -1);
  EXPECT_EQ(desktop.WindowRect(kNoDesktopWindow), std::nullopt);
}

TEST_F(DesktopContract, TheProgramsOwnWindowsHaveNoMinimizeBoxAndTakePartInTheOrder) {
  WindowEvents events;
  const WindowId own = platform.CreateWindow(WindowKind::kMain, &events);
  const Rect own_rect{30, 40, 90, 100};
  platform.SetWindowTitle(own, "TkOwnWindow");
  platform.SetWindowBounds(own, own_rect);
  platform.ShowWindow(own, true);
  const auto other = harness->OpenOtherWindow({"TkOther", {0, 0, 300, 200}});
  harness->Pump();
  auto all = TopLevel();
  auto mine = Titled(all, "TkOwnWindow");
  ASSERT_TRUE(mine);
  EXPECT_TRUE(mine->visible);
  EXPECT_FALSE(mine->minimize_box || mine->child);
  EXPECT_EQ(mine->bounds, own_rect);
  EXPECT_EQ(desktop.WindowRect(mine->handle), own_rect);
  EXPECT_LT(PlaceOf(all, other), PlaceOf(all, mine->handle));
  platform.SetTopmost(own, true);
  all = TopLevel();
  EXPECT_LT(PlaceOf(all, mine->handle), PlaceOf(all, other));
  platform.ShowWindow(own, false);
  mine = Titled(TopLevel(), "TkOwnWindow");
  ASSERT_TRUE(mine);
  EXPECT_FALSE(mine->visible);
  platform.DestroyWindow(own);
  EXPECT_FALSE(Titled(TopLevel(), "TkOwnWindow"));
}

TEST_F(DesktopContract, DocumentWindowsLieInsideTheirFrameFrontFirst) {
  const Rect frame_rect{50, 60, 450, 400};
  const auto frame = harness->OpenOtherWindow({"TkFrame", frame_rect});
  const auto first = harness->OpenDocumentWindow(frame);
  const auto second = harness->OpenDocumentWindow(frame);
  harness->Pump();
  const auto inside = Inside(frame);
  ASSERT_GE(PlaceOf(inside, first), 0);
  ASSERT_GE(PlaceOf(inside, second), 0);
  EXPECT_LT(PlaceOf(inside, second), PlaceOf(inside, first));
  for (const auto handle : {first, second}) {
    const DesktopWindow& d = inside[static_cast<std::size_t>(PlaceOf(inside, handle))];
    EXPECT_TRUE(d.child && d.mdi_child && d.minimize_box && d.visible);
    EXPECT_EQ(desktop.WindowRect(handle), d.bounds);
    EXPECT_GE(d.bounds.left, frame_rect.left);
    EXPECT_GE(d.bounds.top, frame_rect.top);
    EXPECT_LE(d.bounds.right, frame_rect.right);
    EXPECT_LE(d.bounds.bottom, frame_rect.bottom);
    EXPECT_EQ(PlaceOf(TopLevel(), handle), -1);
  }
  // Nothing else inside the frame looks like a document window.
  for (const DesktopWindow& d : inside) {
    EXPECT_TRUE(d.handle == first || d.handle == second || !d.mdi_child);
  }
}

// The harness's other windows belong to the test's own program, so only the
// own side of "another program's window in front" can be checked here; the
// end-to-end test brings a real other program to the front. A platform may
// send no notices (Wine does not), but then it says so.
TEST_F(DesktopContract, TheProgramsOwnWindowInFrontIsNoneOfAnotherProgramAndItsComingIsNoticed) {
  WindowEvents events;
  const WindowId first = platform.CreateWindow(WindowKind::kMain, &events);
  const WindowId second = platform.CreateWindow(WindowKind::kMain, &events);
  for (const WindowId own : {first, second}) {
    platform.SetWindowBounds(own, {40, 40, 120, 120});
    platform.ShowWindow(own, true);
  }
  int notices = 0;
  const bool noticed = desktop.NoticeFrontWindowChanges([&] { ++notices; });
  platform.ForceForeground(first);
  EXPECT_EQ(PassUntil(
                *harness, [&] { return notices > 0; }, 500),
            noticed);
  EXPECT_FALSE(desktop.ForeignFrontWindowBounds().has_value());

  ASSERT_TRUE(desktop.NoticeFrontWindowChanges(nullptr));
  const int heard = notices;
  platform.ForceForeground(second);
  harness->Pass(300);
  EXPECT_EQ(notices, heard);
  EXPECT_FALSE(desktop.ForeignFrontWindowBounds().has_value());
  platform.DestroyWindow(second);
  platform.DestroyWindow(first);
}

}  // namespace
}  // namespace tk::contract
