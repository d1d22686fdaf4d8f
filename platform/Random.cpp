#include "platform/Random.h"

namespace platform {
namespace {
RandomSource* installed = nullptr;
}

RandomSource& CurrentRandomSource()
{
    return installed ? *installed : SecureRandomSource();
}

void SetRandomSource(RandomSource* source)
{
    installed = source;
}

} // namespace platform
