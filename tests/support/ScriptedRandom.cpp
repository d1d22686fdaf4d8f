#include "support/ScriptedRandom.h"
