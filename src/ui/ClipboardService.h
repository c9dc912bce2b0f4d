// The system clipboard as the copy commands use it.
#pragma once

#include <QImage>

namespace brimvale {

class ClipboardService {
public:
    virtual ~ClipboardService() = default;

    // Empties the clipboard.
    virtual void clear() = 0;
    // Puts the image on the clipboard as a picture.
    virtual void setImage(const QImage& image) = 0;
};

} // namespace brimvale
