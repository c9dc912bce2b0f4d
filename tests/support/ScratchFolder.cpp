// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.
#include "support/ScratchFolder.h"

#include <stdexcept>

#include <stdlib.h>

namespace brimvale::test {

ScratchFolder::ScratchFolder()
{
    // A unique name: test executables run in parallel.
    std::string name = (std::filesystem::temp_directory_path() / "brimvale-test-XXXXXX").string();
    if (!::mkdtemp(name.data()))
        throw std::runtime_error("Cannot create a scratch folder");
    m_path = name;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace brimvale::test
