#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/process/child_process.h"
#include "platform/process/copy_data.h"
#include "platform/process/instance_lock.h"
#include "platform/process/other_process.h"
#include "platform/process/window_registry.h"
#include "support/temp_folder.h"

namespace {

using platform::EndProcessResult;
using platform::InstanceLock;

// Every test gets a runtime folder of its own, so no lock or window of a real run is seen.
class OtherInstanceTest : public testing::Test {
 protected:
  void SetUp() override {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) saved_ = runtime;
    setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
  }
  void TearDown() override {
    if (saved_) {
      setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
    } else {
      unsetenv("XDG_RUNTIME_DIR");
    }
  }
  // A child that stops on the termination request, or one that ignores it.
  void StartChild(platform::ChildProcess& child, bool ignoresTermination) {
    const std::string script = ignoresTermination ? "trap '' TERM; exec sleep 30" : "exec sleep 30";
    ASSERT_TRUE(child.Start("/bin/sh", {"-c", script}, {}, runtime_.path()));
    // Until sh has made its exec the identity is the shell's; wait for the sleep itself.
    for (int i = 0; i < 1000; ++i) {
      if (std::optional<platform::ProcessIdentity> live = platform::LiveProcess(child.Identity().pid)) {
        std::string comm = testsupport::ReadFileBytes("/proc/" + std::to_string(live->pid) + "/comm");
        if (comm.rfind("sleep", 0) == 0) {
          identity_ = *live;
          return;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    FAIL() << "the child did not start";
  }

  testsupport::TempFolder runtime_;
  std::optional<std::string> saved_;
  platform::ProcessIdentity identity_;
};

TEST_F(OtherInstanceTest, TheFirstHolderIsAloneAndEveryLaterOneSeesThatAnotherExists) {
  InstanceLock first;
  InstanceLock second;
  InstanceLock third;
  EXPECT_EQ(first.Open("ゲーム"), InstanceLock::Result::First);
  EXPECT_EQ(second.Open("ゲーム"), InstanceLock::Result::AlreadyExists);
  // The second keeps its share: with the first gone, a third start still finds it.
  first.Close();
  EXPECT_EQ(third.Open("ゲーム"), InstanceLock::Result::AlreadyExists);
  second.Close();
  third.Close();
  EXPECT_EQ(first.Open("ゲーム"), InstanceLock::Result::First);
  EXPECT_EQ(second.Open("別の名前"), InstanceLock::Result::First);
}

TEST_F(OtherInstanceTest, AWindowIsFoundByClassAndTitleWhileItIsRegistered) {
  {
    platform::WindowRegistration window;
    ASSERT_TRUE(window.Register("Kestrel4", ""));
    const std::optional<platform::RegisteredWindow> found = platform::FindRegisteredWindow("Kestrel4");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->process, platform::CurrentProcess());
    EXPECT_FALSE(platform::FindRegisteredWindow("Kestrel4", std::string_view("タイトル")).has_value());
    ASSERT_TRUE(window.SetTitle("タイトル"));
    EXPECT_TRUE(platform::FindRegisteredWindow("Kestrel4", std::string_view("タイトル")).has_value());
    EXPECT_FALSE(platform::FindRegisteredWindow("Kestrel4_Editor").has_value());
  }
  EXPECT_FALSE(platform::FindRegisteredWindow("Kestrel4").has_value());
}

TEST_F(OtherInstanceTest, AnotherProcessIsAskedToEndFirstAndForcedOnlyWhenItDoesNotListen) {
  struct Case {
    bool ignoresTermination;
    int exitCode;
  };
  for (const Case c : {Case{false, 128 + 15}, Case{true, 128 + 9}}) {
    platform::ChildProcess child;
    StartChild(child, c.ignoresTermination);
    const auto start = std::chrono::steady_clock::now();
    // The orderly limit is long enough for a busy machine to end a listening child within it.
    EXPECT_EQ(platform::EndOtherProcess(identity_, 2000, 2000), EndProcessResult::Ended);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(child.WaitForExit(5000), c.exitCode);
    if (c.ignoresTermination) {
      EXPECT_GE(took, std::chrono::milliseconds(2000));
    } else {
      EXPECT_LT(took, std::chrono::milliseconds(2000));
    }
  }
}

TEST_F(OtherInstanceTest, AProcessThatMerelyHasTheSameIdIsNeverSignalled) {
  platform::ChildProcess child;
  StartChild(child, false);
  platform::ProcessIdentity earlier = identity_;
  earlier.startTime -= 1;  // the id as an earlier process had it
  EXPECT_EQ(platform::EndOtherProcess(earlier, 300, 300), EndProcessResult::Ended);
  EXPECT_TRUE(platform::StillRunning(identity_));
  EXPECT_FALSE(child.WaitForExit(50).has_value());
}

TEST_F(OtherInstanceTest, ANoticeReachesTheWindowOfThatClassAndTitleAndWaitsForItsAnswer) {
  platform::CopyDataReceiver tool;
  ASSERT_TRUE(tool.Open("Kestrel4_Editor", "ケストレル4"));
  const platform::CopyDataNotice sent{1234, 1, -5};
  bool delivered = false;
  std::thread sender([&] { delivered = platform::SendCopyData("Kestrel4_Editor", "ケストレル4", sent, 2000); });
  std::optional<platform::ReceivedNotice> received = tool.Receive(2000);
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->notice(), sent);
  received->Answer(1);
  sender.join();
  EXPECT_TRUE(delivered);

  EXPECT_FALSE(platform::SendCopyData("Kestrel4_Editor", "other title", sent, 2000));
  EXPECT_FALSE(platform::SendCopyData("Kestrel4_Tool", "ケストレル4", sent, 2000));
}

TEST_F(OtherInstanceTest, ANoticeNobodyAnswersGivesUpAfterTheLimit) {
  platform::CopyDataReceiver tool;
  ASSERT_TRUE(tool.Open("Kestrel4_Editor", "ケストレル4"));
  std::optional<platform::ReceivedNotice> held;
  std::thread receiver([&] { held = tool.Receive(2000); });
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(platform::SendCopyData("Kestrel4_Editor", "ケストレル4", platform::CopyDataNotice{1, 0, 1}, 100));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  receiver.join();
  EXPECT_TRUE(held.has_value());
}

}  // namespace
