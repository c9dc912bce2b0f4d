// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.
#include "support/ScratchFolder.h"

#include <random>
#include <stdexcept>

namespace brimvale::test {

ScratchFolder::ScratchFolder()
{
    // Test executables run in parallel, so the name must not depend on the test alone.
    std::random_device device;
    std::mt19937_64 generator(device());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate =
            std::filesystem::temp_directory_path() / ("brimvale-test-" + std::to_string(generator()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("Cannot create a scratch folder");
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace brimvale::test
