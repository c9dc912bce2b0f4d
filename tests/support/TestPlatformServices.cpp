// Platform services made of test doubles, for constructing windows under test.
#include "support/TestPlatformServices.h"

namespace brimvale::test {

std::optional<QString> ScriptedDialogBackend::chooseFile(const FileRequest& request)
{
    m_fileRequests.push_back(request);
    if (m_fileAnswers.empty())
        return std::nullopt;
    const std::optional<QString> answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    return answer;
}

} // namespace brimvale::test
