#pragma once

#include <cstdint>
#include <optional>

#include <QColor>
#include <QRect>

// The units of the window designs: positions in twips, colours as #RRGGBB.
namespace forms {

inline constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// Left, top, width, height in twips, relative to the container.
struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

inline QRect ToPixels(Twips t) { return {Pixels(t.left), Pixels(t.top), Pixels(t.width), Pixels(t.height)}; }

// A colour as the designs write it, #RRGGBB.
using Rgb = std::uint32_t;

inline QColor ToColor(Rgb rgb) { return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

struct FontSpec {
  const char* family = "MS Sans Serif";
  double points = 8.25;
  bool bold = false;
};

inline constexpr FontSpec kWindowFont{};
inline constexpr FontSpec kWindowFontBold{"MS Sans Serif", 8.25, true};

enum class Align { Left, Center, Right };

enum class Border { None, Single };

}  // namespace forms
