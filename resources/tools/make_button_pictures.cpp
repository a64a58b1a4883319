// Draws the four pictures of the main window's buttons, 32x32 at 100 % and at 125, 150, 175
// and 200 % (40, 48, 56 and 64 pixels), and writes them as baseline JPEGs into the folder
// given on the command line:
//   play.jpg   blue round button with a white play triangle
//   pause.jpg  dark grey round button with a white pause double bar
//   gear.jpg   grey gear wheel
//   cross.jpg  red round button with a white cross
// and play_125.jpg ... cross_200.jpg at the larger scales. The shapes are described once, in
// the coordinates of the 32-pixel picture; each pixel is the average of 8x8 samples, so the
// edges are smooth against the window's white background at every scale.
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "platform/geometry.h"
#include "platform/jpeg/jpeg_codec.h"
#include "platform/jpeg/jpeg_encoder.h"
#include "resources/tools/tool_output.h"

namespace {

using zorvane::Colour;
using zorvane::Picture;
using zorvane::RgbColour;

constexpr int kSize = 32;  // the picture at 100 %, in whose coordinates the shapes are drawn
constexpr int kSamples = 8;
constexpr double kCentre = 16.0;

// What colour a point of the picture has, in picture coordinates (0..32).
using Shape = std::function<Colour(double x, double y)>;

// The shape drawn into `size` by `size` pixels. At 32 a sample's coordinates are multiplied
// by exactly one, so the 100 % pictures are the same bytes they always were.
Picture Render(const Shape& shape, int size) {
  const double unit = static_cast<double>(kSize) / size;
  Picture picture{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size * size * 3))};
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      double red = 0, green = 0, blue = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Colour c = shape((px + (sx + 0.5) / kSamples) * unit,
                                 (py + (sy + 0.5) / kSamples) * unit);
          red += zorvane::RedOf(c);
          green += zorvane::GreenOf(c);
          blue += zorvane::BlueOf(c);
        }
      }
      const double n = kSamples * kSamples;
      std::uint8_t* pixel = &picture.bgr[static_cast<std::size_t>((py * size + px) * 3)];
      pixel[0] = static_cast<std::uint8_t>(std::lround(blue / n));
      pixel[1] = static_cast<std::uint8_t>(std::lround(green / n));
      pixel[2] = static_cast<std::uint8_t>(std::lround(red / n));
    }
  }
  return picture;
}

double DistanceFromCentre(double x, double y) { return std::hypot(x - kCentre, y - kCentre); }

// A round button of the given colour with a symbol drawn in white.
Shape RoundButton(Colour face, std::function<bool(double, double)> symbol) {
  return [face, symbol](double x, double y) {
    if (DistanceFromCentre(x, y) > 15.0) return zorvane::kWhite;
    return symbol(x, y) ? zorvane::kWhite : face;
  };
}

bool InPlayTriangle(double x, double y) {
  // Pointing right, its centroid a little right of the button's centre.
  const double left = 12.0, right = 24.0, top = 9.0, bottom = 23.0;
  if (x < left || x > right) return false;
  const double halfHeight = (bottom - top) / 2 * (right - x) / (right - left);
  return std::abs(y - kCentre) <= halfHeight;
}

bool InPauseBars(double x, double y) {
  const bool inRows = y >= 9.5 && y <= 22.5;
  return inRows && ((x >= 10.5 && x <= 14.0) || (x >= 18.0 && x <= 21.5));
}

bool InCross(double x, double y) {
  const double u = x - kCentre, v = y - kCentre;
  const double halfWidth = 1.9, reach = 6.5;
  const bool onFirst = std::abs(u - v) / std::numbers::sqrt2 <= halfWidth;
  const bool onSecond = std::abs(u + v) / std::numbers::sqrt2 <= halfWidth;
  return (onFirst || onSecond) && std::abs(u) <= reach && std::abs(v) <= reach;
}

Colour Gear(double x, double y) {
  constexpr Colour kGearGrey = RgbColour(128, 128, 128);
  const double r = DistanceFromCentre(x, y);
  const double angle = std::atan2(y - kCentre, x - kCentre);
  constexpr int kTeeth = 8;
  // Teeth are the parts of the ring where the angle lies in the first half of a period.
  const double phase = std::fmod(angle / (2 * std::numbers::pi) * kTeeth + 100.25, 1.0);
  const bool onTooth = phase < 0.5;
  if (r <= 4.5) return zorvane::kWhite;      // the hub's hole
  if (r <= 10.5) return kGearGrey;           // the wheel
  if (r <= 14.5 && onTooth) return kGearGrey;
  return zorvane::kWhite;
}

// The scales in per cent; the 100 % files keep their plain names.
constexpr int kScales[] = {100, 125, 150, 175, 200};

// Writes the shape at every scale as `<name>.jpg`, `<name>_125.jpg` and so on.
bool WriteAtEveryScale(const std::string& folder, const std::string& name, const Shape& shape) {
  for (int scale : kScales) {
    const std::string suffix = scale == 100 ? "" : "_" + std::to_string(scale);
    const Picture picture = Render(shape, kSize * scale / 100);
    if (!zorvane::tools::WriteBytes(folder + "/" + name + suffix + ".jpg",
                                    zorvane::EncodeJpeg(picture, 92))) {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto found = zorvane::tools::OutputFolder(argc, argv);
  if (!found) return 2;
  const std::string& folder = *found;
  const bool ok =
      WriteAtEveryScale(folder, "play", RoundButton(RgbColour(32, 112, 216), InPlayTriangle)) &&
      WriteAtEveryScale(folder, "pause", RoundButton(RgbColour(72, 72, 72), InPauseBars)) &&
      WriteAtEveryScale(folder, "gear", Gear) &&
      WriteAtEveryScale(folder, "cross", RoundButton(RgbColour(216, 48, 40), InCross));
  return ok ? 0 : 1;
}
