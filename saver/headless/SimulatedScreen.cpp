#include "saver/headless/SimulatedScreen.h"

namespace saver::headless {

void SimulatedScreen::Present(const weftcpplib::CDIBData& image, std::span<const saver::BlitPlan> plans)
{
    for (const saver::BlitPlan& plan : plans)
        frame_.Draw(image, plan);
}

} // namespace saver::headless
