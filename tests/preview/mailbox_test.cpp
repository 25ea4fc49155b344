#include "mailbox.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "event_hub.h"

namespace tkc {
namespace {

using namespace std::chrono_literals;

// Inputs wait for a point that takes input; controls run anywhere, in order.
TEST(Mailbox, ServesControlsAnywhereAndInputsOnlyWhereAllowed) {
  Mailbox mailbox;
  std::string ran;
  mailbox.Post(Mailbox::Kind::kInput, [&] { ran += "i1 "; });
  mailbox.Post(Mailbox::Kind::kControl, [&] { ran += "c1 "; });
  mailbox.Post(Mailbox::Kind::kInput, [&] { ran += "i2 "; });
  EXPECT_TRUE(mailbox.Serve(false));
  EXPECT_EQ(ran, "c1 ");
  EXPECT_FALSE(mailbox.Serve(false));
  EXPECT_TRUE(mailbox.Serve(true));
  EXPECT_EQ(ran, "c1 i1 i2 ");
}

// A job may lead into a wait that serves the mailbox again.
TEST(Mailbox, JobsMayServeNested) {
  Mailbox mailbox;
  std::string ran;
  mailbox.Post(Mailbox::Kind::kInput, [&] {
    ran += "outer ";
    mailbox.Serve(true);
  });
  mailbox.Post(Mailbox::Kind::kInput, [&] { ran += "inner "; });
  mailbox.Serve(true);
  EXPECT_EQ(ran, "outer inner ");
}

TEST(Mailbox, AsksAreAnsweredOnTheServingThread) {
  Mailbox mailbox;
  std::thread::id served_on;
  std::thread asker([&] {
    const auto answer = mailbox.Ask<int>(
        [&] {
          served_on = std::this_thread::get_id();
          return 42;
        },
        5s);
    EXPECT_EQ(answer, 42);
  });
  const auto give_up = Mailbox::Clock::now() + 5s;
  while (!mailbox.Serve(false) && Mailbox::Clock::now() < give_up)
    mailbox.WaitUntil(Mailbox::Clock::now() + 100ms, false);
  asker.join();
  EXPECT_EQ(served_on, std::this_thread::get_id());
}

TEST(Mailbox, UnansweredAsksGiveUpAndAClosedMailboxTakesNothing) {
  Mailbox mailbox;
  EXPECT_EQ(mailbox.Ask<int>([] { return 1; }, 10ms), std::nullopt);
  std::thread asker([&] { EXPECT_EQ(mailbox.Ask<int>([] { return 2; }, 5s), std::nullopt); });
  std::this_thread::sleep_for(20ms);
  mailbox.Close();  // drops both asks
  asker.join();
  EXPECT_FALSE(mailbox.Post(Mailbox::Kind::kControl, [] {}));
  EXPECT_FALSE(mailbox.Serve(true));
}

TEST(Mailbox, WaitEndsWhenWorkComesOrIsNudged) {
  Mailbox mailbox;
  mailbox.Post(Mailbox::Kind::kInput, [] {});
  const auto start = Mailbox::Clock::now();
  mailbox.WaitUntil(start + 200ms, false);  // an input does not wake a modal wait
  EXPECT_GE(Mailbox::Clock::now() - start, 200ms);
  mailbox.WaitUntil(Mailbox::Clock::now() + 5s, true);
  mailbox.Nudge();
  mailbox.Serve(true);
  const auto nudged = Mailbox::Clock::now();
  mailbox.WaitUntil(nudged + 5s, true);
  EXPECT_LT(Mailbox::Clock::now() - nudged, 1s);
}

TEST(EventHub, NewPagesGetTheStickyEventsAndAWholeFrame) {
  EventHub hub;
  hub.PublishSticky("state", "{\"a\":1}");
  hub.PublishSticky("menu", "{}");
  hub.PublishSticky("menu", "null");  // closed again: not given to later pages
  hub.Publish("frame", "old");
  EventHub::Cursor cursor;
  const auto first = hub.Connect(cursor);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].name, "state");
  EXPECT_TRUE(hub.TakeKeyframeRequest());
  EXPECT_FALSE(hub.TakeKeyframeRequest());
  EXPECT_EQ(hub.Watchers(), 1);

  EXPECT_TRUE(hub.Wait(cursor, 10ms).empty());  // nothing new: the old frame is not sent
  hub.Publish("frame", "new");
  const auto next = hub.Wait(cursor, 10ms);
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].data, "new");
  hub.Disconnect();
  EXPECT_EQ(hub.Watchers(), 0);
}

TEST(EventHub, APageLeftBehindStartsAgainAndCloseEndsTheWait) {
  EventHub hub;
  EventHub::Cursor cursor;
  hub.Connect(cursor);
  hub.TakeKeyframeRequest();
  hub.PublishSticky("state", "s");
  for (std::size_t i = 0; i <= EventHub::kKept; ++i) hub.Publish("frame", std::to_string(i));
  const auto again = hub.Wait(cursor, 10ms);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].name, "state");
  EXPECT_TRUE(hub.TakeKeyframeRequest());

  std::thread closer([&] {
    std::this_thread::sleep_for(20ms);
    hub.Close();
  });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(hub.Wait(cursor, 10s).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_TRUE(hub.Closed());
  closer.join();
}

}  // namespace
}  // namespace tkc
