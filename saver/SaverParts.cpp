#include "saver/SaverParts.h"

#include "saver/SeededRandom.h"

namespace saver {
SaverParts::Seeding::Seeding(std::optional<std::uint32_t> seed)
{
    if (!seed)
        return;
    source_ = std::make_unique<SeededRandom>(*seed);
    in_force_.emplace(*source_);
}

SaverParts::SaverParts(config::WeftConfig& config, std::optional<std::uint32_t> seed)
    : seeding_(seed), owned_(std::make_unique<Owned>()), model_{config, owned_->scheduler, owned_->engine}
{
}

SaverParts::SaverParts(const SaverModel& shared) : seeding_(std::nullopt), model_(shared) {}

SaverParts::~SaverParts() = default;

} // namespace saver
