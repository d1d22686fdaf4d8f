#pragma once
// The client glue of the protocols beyond the core one, made at build time.
#include <wayland-client.h>

// Layer-shell names an argument `namespace`, a C++ keyword.
#define namespace name_space
#include "wlr-layer-shell-unstable-v1-client.h"
#undef namespace
