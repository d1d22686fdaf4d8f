#include <sys/random.h>

#include <cerrno>

#include "platform/Random.h"

namespace platform {
namespace {
class GetRandomSource final : public RandomSource {
public:
    std::uint32_t Next() override
    {
        std::uint32_t value = 0;
        while (getrandom(&value, sizeof value, 0) < 0 && errno == EINTR) {
        }
        return value;
    }
};
} // namespace

RandomSource& SecureRandomSource()
{
    static GetRandomSource source;
    return source;
}

} // namespace platform
