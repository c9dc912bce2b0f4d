// Message boxes with an OK button, as the program shows its few messages.
#pragma once

#include <QString>

namespace brimvale {

class MessageService {
public:
    enum class Icon { None, Exclamation, Information, Critical };

    virtual ~MessageService() = default;

    // Shows the text under the title with an OK button and returns when the user has closed it.
    virtual void show(const QString& text, const QString& title, Icon icon) = 0;
};

} // namespace brimvale
