// The pictures of the resources, compiled into the program.
#pragma once

#include <QIcon>
#include <QImage>
#include <string>

// A picture-button face by name ("OKU", "CANCELX", ...); a null image when there is none.
QImage LoadFace(const std::string& name);
// A bitmap resource by name ("bitmap142").
QImage LoadResourceBitmap(const std::string& name);
// Icon 150, with its 32 x 32 and 16 x 16 images.
QIcon ApplicationIcon();
