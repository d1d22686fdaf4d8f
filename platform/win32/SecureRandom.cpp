#define _CRT_RAND_S
#include <stdlib.h>

#include "platform/Random.h"

namespace platform {
namespace {
class RandSource final : public RandomSource {
public:
    std::uint32_t Next() override
    {
        unsigned int value = 0;
        rand_s(&value); // a failed draw is not detected; the value obtained is used
        return value;
    }
};
} // namespace

RandomSource& SecureRandomSource()
{
    static RandSource source;
    return source;
}

} // namespace platform
