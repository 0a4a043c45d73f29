#include "platform/video/presenter.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/video/frame_mailbox.h"
#include "platform/video/png_writer.h"
#include "platform/video/frame_overlay.h"
#include "support/png_reader.h"
#include "support/temp_folder.h"

namespace {

using platform::Frame;
using platform::PixelBuffer;
using platform::PixelFormat;

struct ConversionCase {
  PixelFormat format;
  std::uint32_t pixel;
  std::uint32_t shown;
};

TEST(Presenter, EveryImageFormatIsShownAsThirtyTwoBitColour) {
  platform::PaletteEntry entries[256] = {};
  entries[9] = {1, 2, 3, 0};
  const platform::Palette palette(entries);
  const ConversionCase cases[] = {
      {PixelFormat::Indexed8, 9, 0xFF010203},          {PixelFormat::Rgb565, 0xF81F, 0xFFFF00FF},
      {PixelFormat::Rgb565, 0x0841, 0xFF080808},       {PixelFormat::Argb1555, 0x7C00, 0xFFFF0000},
      {PixelFormat::Xrgb1555, 0x801F, 0xFF0000FF},     {PixelFormat::Rgb888, 0x123456, 0xFF123456},
      {PixelFormat::Xrgb8888, 0x00ABCDEF, 0xFFABCDEF}, {PixelFormat::Argb8888, 0x00ABCDEF, 0xFFABCDEF},
  };
  for (const ConversionCase& c : cases) {
    PixelBuffer image;
    ASSERT_TRUE(image.Allocate(3, 2, c.format));
    image.SetPixel(2, 1, c.pixel);
    Frame frame;
    platform::ConvertToFrame(image, &palette, frame);
    ASSERT_EQ(frame.width, 3);
    EXPECT_EQ(frame.At(2, 1), c.shown) << platform::FormatInfo(c.format).name << " " << c.pixel;
    EXPECT_EQ(frame.At(0, 0) & 0xFF000000u, 0xFF000000u);
  }
}

TEST(Presenter, OnlyTheNewestPostedFrameReachesThePresenter) {
  platform::FrameMailbox mailbox;
  PixelBuffer image;
  ASSERT_TRUE(image.Allocate(2, 2, PixelFormat::Xrgb8888));
  image.SetPixel(0, 0, 0x000001);
  mailbox.Post(image, nullptr);
  image.SetPixel(0, 0, 0x000002);
  mailbox.Post(image, nullptr);
  Frame frame;
  ASSERT_TRUE(mailbox.TakeNewest(frame));
  EXPECT_EQ(frame.At(0, 0), 0xFF000002u);
  EXPECT_EQ(frame.serial, 2u);
  EXPECT_FALSE(mailbox.TakeNewest(frame));

  platform::PresentedFrames().Reset();
  platform::CapturePresenter capture;
  EXPECT_FALSE(platform::PresentNewestFrame(capture));
  platform::PresentedFrames().Post(image, nullptr);
  EXPECT_TRUE(platform::PresentNewestFrame(capture));
  EXPECT_EQ(capture.FrameCount(), 1u);
  EXPECT_EQ(capture.LastFrame().At(0, 0), 0xFF000002u);
}

TEST(Presenter, PngFilesHoldTheFrameExactly) {
  testsupport::TempFolder folder;
  Frame frame;
  frame.width = 5;
  frame.height = 3;
  for (int i = 0; i < 15; ++i) frame.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 0x0F1E2D));
  const std::string path = (folder.path() / "frame.png").string();
  ASSERT_TRUE(platform::WritePng(path, frame));
  Frame read;
  ASSERT_TRUE(testsupport::ReadPng(path, read));
  EXPECT_EQ(read.width, 5);
  EXPECT_EQ(read.pixels, frame.pixels);
  EXPECT_FALSE(platform::WritePng(path, Frame{}));
  EXPECT_FALSE(platform::WritePng((folder.path() / "missing" / "x.png").string(), frame));
}

// A shot shows the frame drawn after the script's step asked for it; when the asking thread
// waits for the shot without having drawn, what is shown then; from a dialog's loop, what is
// shown at the next look.
TEST(Presenter, AShotWaitsForTheFrameAfterItsRequest) {
  platform::PresentedFrames().Reset();
  PixelBuffer image;
  ASSERT_TRUE(image.Allocate(2, 2, PixelFormat::Xrgb8888));
  platform::PresentedFrames().Post(image, nullptr);
  std::string path;
  platform::RequestWindowShot("a.png");
  EXPECT_FALSE(platform::TakeWindowShotRequest(1, path));  // the frame before the request
  EXPECT_FALSE(platform::WaitWindowShotTaken(0));
  platform::PresentedFrames().Post(image, nullptr);
  EXPECT_FALSE(platform::TakeWindowShotRequest(1, path));  // posted, not yet shown
  EXPECT_TRUE(platform::TakeWindowShotRequest(2, path));
  EXPECT_EQ(path, "a.png");
  EXPECT_FALSE(platform::TakeWindowShotRequest(2, path));  // taken once
  EXPECT_TRUE(platform::WaitWindowShotTaken(0));

  platform::RequestWindowShot("b.png");
  EXPECT_FALSE(platform::TakeWindowShotRequest(2, path));
  std::thread waiter([] { EXPECT_TRUE(platform::WaitWindowShotTaken(60000)); });
  while (!platform::TakeWindowShotRequest(2, path)) std::this_thread::yield();
  waiter.join();
  EXPECT_EQ(path, "b.png");

  platform::RequestWindowShot("c.png", false);
  EXPECT_TRUE(platform::TakeWindowShotRequest(0, path));
  EXPECT_EQ(path, "c.png");
  platform::PresentedFrames().Reset();
}

}  // namespace
