// Draws the four 32x32 pictures of the main window's buttons and writes them as baseline
// JPEGs into the folder given on the command line:
//   play.jpg   blue round button with a white play triangle
//   pause.jpg  dark grey round button with a white pause double bar
//   gear.jpg   grey gear wheel
//   cross.jpg  red round button with a white cross
// Each pixel is the average of 8x8 samples, so the edges are smooth against the window's
// white background.
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "platform/geometry.h"
#include "platform/jpeg/jpeg_codec.h"
#include "resources/tools/tool_output.h"

namespace {

using zorvane::Colour;
using zorvane::Picture;
using zorvane::RgbColour;

constexpr int kSize = 32;
constexpr int kSamples = 8;
constexpr double kCentre = 16.0;

// What colour a point of the picture has, in picture coordinates (0..32).
using Shape = std::function<Colour(double x, double y)>;

Picture Render(const Shape& shape) {
  Picture picture{kSize, kSize, std::vector<std::uint8_t>(kSize * kSize * 3)};
  for (int py = 0; py < kSize; ++py) {
    for (int px = 0; px < kSize; ++px) {
      double red = 0, green = 0, blue = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Colour c = shape(px + (sx + 0.5) / kSamples, py + (sy + 0.5) / kSamples);
          red += zorvane::RedOf(c);
          green += zorvane::GreenOf(c);
          blue += zorvane::BlueOf(c);
        }
      }
      const double n = kSamples * kSamples;
      std::uint8_t* pixel = &picture.bgr[static_cast<std::size_t>((py * kSize + px) * 3)];
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

bool Write(const std::string& path, const Picture& picture) {
  return zorvane::tools::WriteBytes(path, zorvane::EncodeJpeg(picture, 92));
}

}  // namespace

int main(int argc, char** argv) {
  const auto found = zorvane::tools::OutputFolder(argc, argv);
  if (!found) return 2;
  const std::string& folder = *found;
  const bool ok = Write(folder + "/play.jpg", Render(RoundButton(RgbColour(32, 112, 216), InPlayTriangle))) &&
                  Write(folder + "/pause.jpg", Render(RoundButton(RgbColour(72, 72, 72), InPauseBars))) &&
                  Write(folder + "/gear.jpg", Render(Gear)) &&
                  Write(folder + "/cross.jpg", Render(RoundButton(RgbColour(216, 48, 40), InCross)));
  return ok ? 0 : 1;
}
