// A message service that records every message instead of showing it.
#pragma once

#include <vector>

#include "ui/MessageService.h"

namespace brimvale::test {

class RecordingMessageService : public MessageService {
public:
    struct Message {
        QString text;
        QString title;
        Icon icon = Icon::None;
    };

    void show(const QString& text, const QString& title, Icon icon) override
    {
        m_messages.push_back(Message{text, title, icon});
    }
    const std::vector<Message>& messages() const { return m_messages; }

private:
    std::vector<Message> m_messages;
};

} // namespace brimvale::test
