#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include <QPixmap>

// The executable's own resources, looked up by type name and integer id.
namespace resources {

// The bytes of a resource, unchanged: LoadResData(3, "WAV") is the third
// sound's complete file image. Type names match whatever their case.
// Throws RuntimeError 326 when there is no such resource.
std::vector<std::uint8_t> LoadResData(int id, std::string_view type);

// A bitmap resource (a device-independent bitmap without file header) as a
// picture; on screens of twice the density, the rendition drawn for them
// ("<id>@2x") where the bitmap has one. Throws RuntimeError 326 when there is no such bitmap, and
// RuntimeError 481 when its bytes are not a picture.
QPixmap LoadResPicture(int id);

}  // namespace resources
