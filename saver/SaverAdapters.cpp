#include "saver/SaverAdapters.h"

#include "platform/System.h"

namespace saver {

std::uint32_t SystemClock::NowMs()
{
    return platform::TickCountMs();
}

} // namespace saver
