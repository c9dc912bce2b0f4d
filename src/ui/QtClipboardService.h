// The clipboard of the Qt application.
#pragma once

#include "ui/ClipboardService.h"

namespace brimvale {

class QtClipboardService : public ClipboardService {
public:
    void clear() override;
    void setImage(const QImage& image) override;
};

} // namespace brimvale
