#pragma once

#include <memory>

class QMimeData;
namespace platform {
class Metafile;
}

// What the clipboard receives for a drawing: its metafile bytes as stored, and the same
// drawing as an image at its natural size for programs that take only images.
std::unique_ptr<QMimeData> clipboardData(const platform::Metafile &drawing);
