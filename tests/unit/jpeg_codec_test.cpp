// Pictures decode to the right size and colours; anything that is not a picture gives
// nothing and never ends the program.
#include "platform/jpeg/jpeg_codec.h"
#include "platform/jpeg/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "resources/pictures.h"

namespace zorvane {
namespace {

Picture SolidPicture(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
  Picture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    picture.bgr.insert(picture.bgr.end(), {b, g, r});
  }
  return picture;
}

TEST(JpegCodec, RoundTripKeepsSizeAndColour) {
  const Picture original = SolidPicture(37, 11, 200, 40, 10);
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(original, 95);
  const auto decoded = DecodeJpeg(jpeg);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->width, 37);
  EXPECT_EQ(decoded->height, 11);
  ASSERT_EQ(decoded->bgr.size(), 37u * 11u * 3u);
  // Lossy, but a flat colour comes back within a few levels.
  EXPECT_NEAR(decoded->bgr[0], 200, 4);
  EXPECT_NEAR(decoded->bgr[1], 40, 4);
  EXPECT_NEAR(decoded->bgr[2], 10, 4);
}

TEST(JpegCodec, EncodesBaseline) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(SolidPicture(8, 8, 0, 0, 0), 90);
  const std::string bytes(jpeg.begin(), jpeg.end());
  EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);  // baseline frame
  EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos);  // no progressive frame
}

TEST(JpegCodec, UndecodableInputGivesNothing) {
  EXPECT_FALSE(DecodeJpeg({}).has_value());
  const std::uint8_t notJpeg[] = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  EXPECT_FALSE(DecodeJpeg(notJpeg).has_value());
  const std::uint8_t justStart[] = {0xFF, 0xD8};
  EXPECT_FALSE(DecodeJpeg(justStart).has_value());
}

TEST(JpegCodec, TruncatedPictureNeverEndsTheProgram) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(SolidPicture(64, 64, 1, 2, 3), 90);
  // Every prefix either decodes (libjpeg pads a cut-off scan) or gives nothing.
  for (std::size_t length = 0; length < jpeg.size(); length += 7) {
    const auto decoded = DecodeJpeg(std::span(jpeg).first(length));
    if (decoded) {
      EXPECT_EQ(decoded->bgr.size(), 64u * 64u * 3u);
    }
  }
  std::vector<std::uint8_t> corrupt = jpeg;
  for (std::size_t i = 20; i < corrupt.size(); i += 3) corrupt[i] ^= 0x5A;
  (void)DecodeJpeg(corrupt);  // must return, whatever it returns
}

TEST(ButtonPictures, AreBaseline32By32Jpegs) {
  for (auto picture : {pictures::PlayButton, pictures::PauseButton, pictures::GearButton,
                       pictures::CrossButton}) {
    const auto decoded = DecodeJpeg(picture);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 32);
    EXPECT_EQ(decoded->height, 32);
    const std::string bytes(picture.begin(), picture.end());
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos);
  }
}

TEST(ButtonPictures, CornersAreWhiteAndCentresAreNot) {
  // The buttons sit on the window's white background; their symbols fill the middle.
  for (auto picture : {pictures::PlayButton, pictures::PauseButton, pictures::CrossButton}) {
    const auto decoded = DecodeJpeg(picture);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_GT(decoded->bgr[0], 240);  // top-left corner, blue channel
    const std::size_t ring = (3 * 32 + 16) * 3;  // (16, 3): on the button's face
    EXPECT_LT(decoded->bgr[ring] + decoded->bgr[ring + 1] + decoded->bgr[ring + 2], 3 * 230);
  }
}

}  // namespace
}  // namespace zorvane
