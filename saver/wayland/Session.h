#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/StopSignals.h"
#include "saver/Tessel.h"
#include "saver/wayland/Connection.h"
#include "saver/wayland/LayerSurface.h"
#include "saver/wayland/Seat.h"
#include "saver/wayland/WaylandFrontEnd.h"

// One run on a compositor: a layer on every output, followed as outputs
// come, go, resize or change scale; the frame host told of the virtual
// screen they make; ticks on the frame timer while some output wants a
// frame; and the end, by a stop signal, by the user (overlay only) or by
// the compositor.
namespace saver::wayland {

// What the run needs of the frame host.
class HostControl {
public:
    virtual ~HostControl() = default;
    virtual void Start(const CreateInfo& info) = 0;
    virtual void SetDisplay(const DisplayInfo& display) = 0;
    virtual void Tick(int client_width, int client_height) = 0;
};

enum class Ending { signal, input, lost };

class Session {
public:
    // Follows the connection's outputs from now on: made before it reads
    // the globals.
    Session(Connection& connection, bool background);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // After the globals were read: shows the layers and runs until the end.
    Ending Run(WaylandFrontEnd& front, HostControl& host, platform::StopSignals& signals);

private:
    struct Output;
    static void Geometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                         const char*, const char*, std::int32_t) {}
    static void Mode(void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {}
    static void Done(void* data, wl_output* output);
    static void Scale(void* data, wl_output* output, std::int32_t factor);
    static void Name(void* data, wl_output* output, const char* name);
    static void Description(void*, wl_output*, const char*) {}

    void Added(std::uint32_t id, wl_output* output);
    void Removed(std::uint32_t id);
    void Show(Output& output);
    // Lays the shown outputs out anew when any came, went or resized.
    void FollowOutputs();
    std::optional<PointerPlace> Locate(wl_surface* surface, double x, double y) const;
    Ending Loop(platform::StopSignals& signals);

    Connection& connection_;
    bool background_;
    std::vector<std::unique_ptr<Output>> outputs_;
    std::unique_ptr<Seat> seat_;
    WaylandFrontEnd* front_ = nullptr;
    HostControl* host_ = nullptr;
    bool started_ = false;
    bool layout_changed_ = false;
    DisplayInfo display_{0, 0, {}, {0, 0, 0, 0}};
    std::vector<WaylandFrontEnd::Target> targets_;
};

} // namespace saver::wayland
