// Pictures at the screen's pixels: which picture of a set a DPI gets, how large it is shown,
// the smooth resizing, the button pictures made at every scale, and what the in-memory
// backend's controls show at several DPIs.
#include "platform/picture_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dpi_scale.h"
#include "tests/support/driven_window_system.h"
#include "platform/jpeg/picture_scaling.h"
#include "resources/pictures.h"

namespace zorvane {
namespace {

// Stand-in bytes: only which one is chosen matters here.
const std::uint8_t kBytes[5] = {1, 2, 3, 4, 5};
std::span<const std::uint8_t> Marked(std::size_t index) { return std::span(kBytes).subspan(index, 1); }

TEST(PictureSet, ChoosesTheExactScaleElseTheNearestLargerElseTheLargest) {
  // Listed out of order on purpose: the choice goes by DPI, not by place.
  const PictureSet set = {{144, Marked(2)}, {96, Marked(0)}, {192, Marked(4)}, {120, Marked(1)}};
  EXPECT_EQ(set.ChooseFor(96).jpeg.data(), Marked(0).data());
  EXPECT_EQ(set.ChooseFor(144).jpeg.data(), Marked(2).data());
  EXPECT_EQ(set.ChooseFor(110).dpi, 120);   // between 100 and 125 %: the 125 % one
  EXPECT_EQ(set.ChooseFor(150).dpi, 192);   // no 175 % here, so 200 %
  EXPECT_EQ(set.ChooseFor(72).dpi, 96);     // below the smallest: the smallest
  EXPECT_EQ(set.ChooseFor(288).dpi, 192);   // above the largest: the largest
}

TEST(PictureSet, APlainPictureIsMadeFor96AndAnEmptyOneIsNoPicture) {
  const PictureSet plain = pictures::HelpMainWindow;
  ASSERT_EQ(plain.Scales().size(), 1u);
  EXPECT_EQ(plain.ChooseFor(144).dpi, kLogicalDpi);
  EXPECT_EQ(plain.ChooseFor(144).jpeg.data(), pictures::HelpMainWindow.data());
  const PictureSet none;
  EXPECT_TRUE(none.Empty());
  EXPECT_TRUE(none.ChooseFor(144).jpeg.empty());
  EXPECT_TRUE(PictureSet(std::span<const std::uint8_t>{}).Empty());
}

TEST(PictureSet, ShownSizeFollowsTheOneRuleFromTheScaleItWasMadeFor) {
  EXPECT_EQ(ShownPictureSize({32, 32}, 96, 96), (Size{32, 32}));
  EXPECT_EQ(ShownPictureSize({40, 40}, 120, 110), (Size{ScaleLength(32, 110), ScaleLength(32, 110)}));
  EXPECT_EQ(ShownPictureSize({250, 94}, 96, 144), (Size{375, 141}));
  EXPECT_EQ(ShownPictureSize({64, 64}, 192, 240), (Size{80, 80}));
}

Picture Checkerboard(int width, int height) {
  Picture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t value = (x + y) % 2 == 0 ? 255 : 0;
      picture.bgr.insert(picture.bgr.end(), {value, value, value});
    }
  }
  return picture;
}

TEST(ResizeSmoothly, AveragesWhatEachPixelCoversAndKeepsTheSameSizeAsItIs) {
  const Picture board = Checkerboard(4, 4);
  const Picture half = ResizeSmoothly(board, {2, 2});
  ASSERT_EQ(half.bgr.size(), 2u * 2u * 3u);
  for (std::uint8_t channel : half.bgr) EXPECT_EQ(channel, 128);  // 127.5, rounded

  // 3 to 2: the first pixel covers one and a half source pixels, 255 and half of 0.
  Picture row{3, 1, {255, 255, 255, 0, 0, 0, 255, 255, 255}};
  const Picture narrower = ResizeSmoothly(row, {2, 1});
  EXPECT_EQ(narrower.bgr[0], 170);
  EXPECT_EQ(narrower.bgr[3], 170);

  EXPECT_EQ(ResizeSmoothly(board, {4, 4}).bgr, board.bgr);
}

struct Scale {
  int dpi;
  std::span<const std::uint8_t> play, pause, gear, cross;
};

TEST(ButtonPictures, AreMadeAtEveryScaleAsBaselineJpegsOfTheScaledSize) {
  const Scale scales[] = {
      {96, pictures::PlayButton, pictures::PauseButton, pictures::GearButton, pictures::CrossButton},
      {120, pictures::PlayButton125, pictures::PauseButton125, pictures::GearButton125, pictures::CrossButton125},
      {144, pictures::PlayButton150, pictures::PauseButton150, pictures::GearButton150, pictures::CrossButton150},
      {168, pictures::PlayButton175, pictures::PauseButton175, pictures::GearButton175, pictures::CrossButton175},
      {192, pictures::PlayButton200, pictures::PauseButton200, pictures::GearButton200, pictures::CrossButton200}};
  for (const Scale& scale : scales) {
    const int side = ScaleLength(32, scale.dpi);
    for (auto jpeg : {scale.play, scale.pause, scale.gear, scale.cross}) {
      const auto decoded = DecodeJpeg(jpeg);
      ASSERT_TRUE(decoded.has_value()) << scale.dpi;
      EXPECT_EQ(decoded->width, side) << scale.dpi;
      EXPECT_EQ(decoded->height, side) << scale.dpi;
      const std::string bytes(jpeg.begin(), jpeg.end());
      EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos) << scale.dpi;
      EXPECT_GT(decoded->bgr[0], 240) << scale.dpi;  // the corner is the window's white
    }
    // The round buttons' faces are where the 32-pixel ones have them, scaled.
    for (auto jpeg : {scale.play, scale.pause, scale.cross}) {
      const auto decoded = DecodeJpeg(jpeg);
      ASSERT_TRUE(decoded.has_value());
      const std::size_t ring =
          (static_cast<std::size_t>(3 * side / 32) * side + static_cast<std::size_t>(side / 2)) * 3;
      EXPECT_LT(decoded->bgr[ring] + decoded->bgr[ring + 1] + decoded->bgr[ring + 2], 3 * 230)
          << scale.dpi;
    }
  }
  // Every set chooses its own picture at each of the five scales.
  for (const PictureSet& set : {pictures::PlayButtons(), pictures::PauseButtons(),
                                pictures::GearButtons(), pictures::CrossButtons()}) {
    ASSERT_EQ(set.Scales().size(), 5u);
    for (int dpi : {96, 120, 144, 168, 192}) EXPECT_EQ(set.ChooseFor(dpi).dpi, dpi);
  }
}

class ShownPictures : public ::testing::Test {
 protected:
  // A window holding the play button and the help window's main picture, at `dpi`.
  void CreateAt(int dpi) {
    ui.SetScreenDpi(dpi);
    const ControlSpec controls[] = {
        {.name = "play", .kind = ControlKind::Button, .rect = {0, 0, 32, 32},
         .picture = pictures::PlayButtons()},
        {.name = "figure", .kind = ControlKind::PicBox, .rect = {40, 0, 256, 112},
         .picture = pictures::HelpMainWindow}};
    window = ui.CreateWindowFromLayout({.name = "W", .size = {300, 120}, .controls = controls}, {});
  }
  std::optional<Picture> Shown(std::string_view name) {
    return ui.ShownPicture(ui.FindControl(window, name));
  }

  support::DrivenWindowSystem ui;
  WindowHandle window;
};

TEST_F(ShownPictures, At96TheControlsShowThePicturesAsTheyWereMade) {
  CreateAt(96);
  const auto play = Shown("play");
  ASSERT_TRUE(play.has_value());
  EXPECT_EQ(play->bgr, DecodeJpeg(pictures::PlayButton)->bgr);
  const auto figure = Shown("figure");
  ASSERT_TRUE(figure.has_value());
  EXPECT_EQ(figure->bgr, DecodeJpeg(pictures::HelpMainWindow)->bgr);
}

TEST_F(ShownPictures, AtAMadeScaleTheButtonShowsThatPictureAndTheFigureIsResized) {
  CreateAt(144);
  const auto play = Shown("play");
  ASSERT_TRUE(play.has_value());
  EXPECT_EQ(play->bgr, DecodeJpeg(pictures::PlayButton150)->bgr);
  const auto figure = Shown("figure");
  ASSERT_TRUE(figure.has_value());
  EXPECT_EQ(figure->width, 375);
  EXPECT_EQ(figure->height, 141);
}

TEST_F(ShownPictures, BetweenScalesTheNextLargerIsScaledDownToTheButtonsSize) {
  CreateAt(110);
  const auto play = Shown("play");
  ASSERT_TRUE(play.has_value());
  const int side = ScaleLength(32, 110);
  EXPECT_EQ(play->width, side);
  EXPECT_EQ(play->height, side);
  const auto from125 = DecodeJpeg(pictures::PlayButton125);
  EXPECT_EQ(play->bgr, ResizeSmoothly(*from125, {side, side}).bgr);
  EXPECT_GT(play->bgr[0], 240);  // the white corner stays white
}

}  // namespace
}  // namespace zorvane
