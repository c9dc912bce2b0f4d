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

    void clear() override { record(Action::Clear, QImage()); }
    void setImage(const QImage& image) override { record(Action::SetImage, image); }

    const std::vector<Call>& calls() const { return m_calls; }
    // What the clipboard holds now; a null image when empty.
    const QImage& image() const { return m_image; }

private:
    void record(Action action, const QImage& image)
    {
        m_calls.push_back(Call{action, image});
        m_image = image;
    }

    std::vector<Call> m_calls;
    QImage m_image;
};

} // namespace brimvale::test
