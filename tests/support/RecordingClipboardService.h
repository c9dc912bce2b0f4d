// A clipboard that records every call and keeps what it was given.
#pragma once

#include <vector>

#include "ui/ClipboardService.h"

namespace brimvale::test {

class RecordingClipboardService : public ClipboardService {
public:
    enum class Action { Clear, SetImage };

    struct Call {
        Action action;
        QImage image; // the image given to SetImage, null for Clear
    };

    void clear() override
    {
        m_calls.push_back(Call{Action::Clear, QImage()});
        m_image = QImage();
    }

    void setImage(const QImage& image) override
    {
        m_calls.push_back(Call{Action::SetImage, image});
        m_image = image;
    }

    const std::vector<Call>& calls() const { return m_calls; }
    // What the clipboard holds now; a null image when empty.
    const QImage& image() const { return m_image; }

private:
    std::vector<Call> m_calls;
    QImage m_image;
};

} // namespace brimvale::test
