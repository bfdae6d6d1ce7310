// Painting on a real window: the back buffer's pixels and the screen.
#include <windows.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "platform/win32/handles.h"
#include "platform/win32/picture_box.h"
#include "platform/win32/picture_loader.h"
#include "platform/win32/picture_surface.h"
#include "platform/win32/window.h"
#include "saver/win32/paint_photo.h"
#include "tests/shared/solid_picture.h"
#include "tests/win/picture_test_files.h"

namespace lumiroll {
namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF,
                        kYellow = 0xFFFF00;

using test::Solid;

// Red, green / blue, yellow quarters.
Picture Quarters(int width, int height) {
  Picture p = Solid(width, height, kBlack);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.pixels[static_cast<std::size_t>(y) * width + x] =
          y < height / 2 ? (x < width / 2 ? kRed : kGreen) : (x < width / 2 ? kBlue : kYellow);
  return p;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift : {0, 8, 16}) worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
  return worst;
}

class PictureSurfaceOnScreen : public ::testing::Test {
 protected:
  // One host window for the suite: under Wine, destroying an active window takes seconds.
  static void SetUpTestSuite() {
    WindowOptions options;
    options.className = L"LumirollSurfaceTestHost";
    options.caption = L"Surface test";
    options.style = WS_POPUP | WS_VISIBLE;
    options.x = 0;
    options.y = 0;
    options.width = kWidth;
    options.height = kHeight;
    host_ = new Window();
    if (!host_->Create(options)) ADD_FAILURE() << "no host window";
  }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
    ProcessPendingEvents();
  }
  void SetUp() override {
    ASSERT_TRUE(host_ && host_->hwnd());
    ASSERT_TRUE(surface_.CreateSurface(host_->hwnd(), {0, 0, kWidth, kHeight}, RGB(0, 0, 0)));
    ProcessPendingEvents();
  }

  void Paint(const Picture& picture, float scale) { PaintPhoto(&picture, surface_, scale); }
  std::uint32_t At(int x, int y) const { return surface_.PixelAt(x, y).value_or(0xDEADBEEF); }
  // Pixels outside the rectangle that are not the background.
  int MarksOutside(RECT r) const {
    int marks = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if ((x < r.left || x >= r.right || y < r.top || y >= r.bottom) && At(x, y) != kBlack) ++marks;
    return marks;
  }

  static inline Window* host_ = nullptr;
  PictureSurface surface_;
};

TEST_F(PictureSurfaceOnScreen, TakesTheSizeOfItsRectangle) {
  EXPECT_EQ(surface_.ScaleWidth(), kWidth);
  EXPECT_EQ(surface_.ScaleHeight(), kHeight);
  surface_.Move({10, 10, 330, 250});
  EXPECT_EQ(surface_.ScaleWidth(), 320);
  EXPECT_EQ(surface_.ScaleHeight(), 240);
  EXPECT_FALSE(surface_.PixelAt(320, 0));
}

TEST_F(PictureSurfaceOnScreen, FittedPortraitPictureWithBlackBands) {
  // 3 x 4 on 640 x 480: scale 120, rectangle (140, 0, 360, 480).
  Paint(Quarters(300, 400), 0.0f);
  const struct {
    int x, y;
    std::uint32_t colour;
  } rows[] = {
      {139, 240, kBlack}, {500, 240, kBlack}, {0, 0, kBlack},    {639, 479, kBlack},  {140, 0, kRed},
      {230, 120, kRed},   {410, 120, kGreen}, {230, 360, kBlue}, {410, 360, kYellow}, {499, 479, kYellow},
  };
  for (const auto& row : rows) EXPECT_EQ(At(row.x, row.y), row.colour) << row.x << "," << row.y;
  EXPECT_EQ(MarksOutside({140, 0, 500, 480}), 0);
}

TEST_F(PictureSurfaceOnScreen, ActualSizePictureIsCentredPixelForPixel) {
  Picture picture = Solid(101, 51, kRed);
  picture.pixels[0] = kGreen;
  picture.pixels.back() = kBlue;
  Paint(picture, 1.0f);  // (269.5 -> 270, 214.5 -> 214, 101, 51)
  EXPECT_EQ(At(270, 214), kGreen);
  EXPECT_EQ(At(370, 264), kBlue);
  EXPECT_EQ(At(300, 230), kRed);
  EXPECT_EQ(MarksOutside({270, 214, 371, 265}), 0);
}

TEST_F(PictureSurfaceOnScreen, ShrunkCheckerboardTurnsGrey) {
  Picture board = Solid(1200, 1200, kBlack);
  for (int y = 0; y < 1200; ++y)
    for (int x = 0; x < 1200; ++x)
      if ((x + y) % 2) board.pixels[static_cast<std::size_t>(y) * 1200 + x] = kWhite;
  Paint(board, 0.0f);  // 480 x 480 at (80, 0)
  int worst = 0;
  for (int y = 0; y < 480; y += 7)
    for (int x = 80; x < 560; x += 7) worst = std::max(worst, ChannelDistance(At(x, y), 0x808080));
  EXPECT_LE(worst, 8);
}

TEST_F(PictureSurfaceOnScreen, NothingOfThePreviousPictureIsLeft) {
  Paint(Solid(64, 48, kWhite), 0.0f);
  ASSERT_EQ(At(0, 0), kWhite);
  Paint(Solid(40, 20, kGreen), 1.0f);
  EXPECT_EQ(At(320, 240), kGreen);
  EXPECT_EQ(MarksOutside({300, 230, 340, 250}), 0);
  PaintPhoto(nullptr, surface_, 0.0f);
  EXPECT_EQ(MarksOutside({0, 0, 0, 0}), 0);
  Paint(Solid(64, 48, kWhite), 0.0f);
  PaintPhoto(PictureBox(), surface_, 1.0f);  // a box that holds nothing
  EXPECT_EQ(MarksOutside({0, 0, 0, 0}), 0);
}

TEST_F(PictureSurfaceOnScreen, HugeScalesDrawOnlyWhatShows) {
  Picture picture = Quarters(41, 31);
  Paint(picture, 100000.0f);  // 4,100,000 x 3,100,000: the middle of pixel (20, 15) shows
  EXPECT_LE(ChannelDistance(At(0, 0), kYellow), 2) << std::hex << At(0, 0);
  EXPECT_LE(ChannelDistance(At(639, 479), kYellow), 2) << std::hex << At(639, 479);
  Paint(picture, 1e30f);  // beyond 32 bits: nothing to draw, no failure
  EXPECT_EQ(MarksOutside({0, 0, 0, 0}), 0);
  Paint(Solid(0, 10, kWhite), 0.0f);
  EXPECT_EQ(MarksOutside({0, 0, 0, 0}), 0);
}

// The loader keeps only the middle of a large picture shown at a scale; painted, that middle must
// land exactly where the whole picture would have put it, whatever the EXIF orientation.
TEST_F(PictureSurfaceOnScreen, AKeptMiddlePaintsLikeTheWholePicture) {
  // Smooth waves with a little fine detail: placement errors show, resampling differences hardly.
  const auto pattern = [](int x, int y) {
    const auto wave = [](double t) { return static_cast<int>(120 + 100 * std::sin(t)); };
    const int detail = (x * 7 ^ y * 3) & 7;
    return test::Rgb{wave(x / 20.0) + detail, wave(y / 25.0) + detail, wave((x + y) / 30.0)};
  };
  std::vector<std::uint32_t> whole(static_cast<std::size_t>(kWidth) * kHeight), part(whole.size());
  const auto capture = [&](std::vector<std::uint32_t>& into) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) into[static_cast<std::size_t>(y) * kWidth + x] = At(x, y);
  };
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const test::Bytes exif = test::ExifWithOrientation(orientation, orientation % 2 == 0);
    const test::Bytes jpeg = test::EncodeJpeg(1601, 1203, pattern, exif, 95);
    for (const float scale : {1.0f, 0.25f, 2.5f}) {
      SCOPED_TRACE(testing::Message() << "orientation " << orientation << ", scale " << scale);
      const auto full = LoadPictureBytes(jpeg);
      const auto middle = LoadPictureBytes(jpeg, {kWidth, kHeight, scale});
      ASSERT_TRUE(full && middle);
      ASSERT_EQ(middle->width, full->width);
      ASSERT_EQ(middle->height, full->height);
      EXPECT_LT(middle->pixels.size(), full->pixels.size() / 3) << "only the middle is kept";
      Paint(*full, scale);
      capture(whole);
      Paint(*middle, scale);
      capture(part);
      // At 1 the same decoded pixels land on the same screen pixels. Otherwise the kept part's
      // place on the screen rounds to whole pixels, and reduced it was filtered differently.
      const int tolerance = scale == 1.0f ? 0 : scale > 1.0f ? 12 : 16;
      int worst = 0;
      for (std::size_t i = 0; i < whole.size(); ++i) worst = std::max(worst, ChannelDistance(whole[i], part[i]));
      EXPECT_LE(worst, tolerance);
    }
  }
}

std::uint32_t ScreenPixel(int x, int y) {
  ScopedGetDc screen(nullptr);
  const COLORREF shown = ::GetPixel(screen.get(), x, y);
  return GetRValue(shown) << 16 | GetGValue(shown) << 8 | GetBValue(shown);
}

TEST_F(PictureSurfaceOnScreen, TheScreenShowsTheBackBuffer) {
  Paint(Quarters(64, 48), 0.0f);
  const POINT points[] = {{100, 100}, {540, 100}, {100, 380}, {540, 380}};
  // Wine hands a window's drawing to the X server a moment later.
  const auto shown = [&] {
    for (const POINT& p : points)
      if (ScreenPixel(p.x, p.y) != At(p.x, p.y)) return false;
    return true;
  };
  // Up to a liveness limit of a minute: the drawing comes when the X server takes it.
  const ULONGLONG end = ::GetTickCount64() + 60000;
  while (!shown() && ::GetTickCount64() < end) {
    ProcessPendingEvents();
    ::Sleep(20);  // the poll's interval: the X server draws in a process of its own
  }
  for (const POINT& p : points) EXPECT_EQ(ScreenPixel(p.x, p.y), At(p.x, p.y)) << p.x << "," << p.y;
}

}  // namespace
}  // namespace lumiroll
