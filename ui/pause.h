#pragma once
// The fixed waits between exchanges live with the line worker, which runs them.
#include "bus/pause.h"
