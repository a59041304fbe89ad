#include "timing/standard_random.h"

namespace tidewell {

StandardRandomSource::StandardRandomSource() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    m_engine.seed(seed);
}

int64_t StandardRandomSource::DrawOneTo(int64_t n) {
    if (n <= 1) return 1;
    return std::uniform_int_distribution<int64_t>(1, n)(m_engine);
}

}  // namespace tidewell
